#include "ui/display/layouteditorrun.h"

#include "core/common/runend.h"
#include "core/display/layouteditor.h"
#include "core/startup/runcontext.h"
#include "ui/common/handlerguard.h"
#include "ui/display/backgroundgrabber.h"
#include "ui/display/composechartdisplay.h"
#include "ui/display/frmtchartsetup.h"

#include <QEventLoop>

namespace quiz
{

namespace
{

// Puts the window's frame on the rectangle, its inside taking what the frame leaves.
void placeFrame(QWidget &window, const PixelRect &rect)
{
    const QRect frame = window.frameGeometry(), inner = window.geometry();
    window.move(rect.left, rect.top);
    window.resize(std::max(1, rect.width - (frame.width() - inner.width())),
                  std::max(1, rect.height - (frame.height() - inner.height())));
}

} // namespace

void RunLayoutEditor(RunContext &ctx)
{
    CaptureSlideShow(ctx);
    FrmTChartSetup editor(ctx);
    editor.resize(640, 480);
    editor.winId(); // a native window knows its frame, which the placement covers
    try {
        const PixelRect show = showWindowRect(ctx);
        const QRect frame = editor.frameGeometry();
        if (show.width > 0 && show.height > 0)
            placeFrame(editor,
                       layoutEditorPlace(ctx.state.displayAreas[0], show,
                                         PixelRect{frame.x(), frame.y(), frame.width(), frame.height()}));
    } catch (const std::exception &) {
        // No show window to lie over: the editor keeps its own place.
    }
    ComposeChartDisplay(ctx, editor.parts(), true, false, ctx.state.displayCount);

    QEventLoop loop;
    QObject::connect(&editor, &FrmTChartSetup::closed, &loop, guarded(&loop, &QEventLoop::quit));
    editor.fadeIn();
    loop.exec();
    rethrowLatchedRunEnd();
}

} // namespace quiz
