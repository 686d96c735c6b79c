#include "ui/display/layouteditorrun.h"

#include "core/common/runend.h"
#include "core/display/displaylayout.h"
#include "core/display/layouteditor.h"
#include "core/startup/runcontext.h"
#include "ui/common/handlerguard.h"
#include "ui/common/screenmetrics.h"
#include "ui/display/backgroundgrabber.h"
#include "ui/display/composechartdisplay.h"
#include "ui/display/frmtchartsetup.h"

#include <QEventLoop>

namespace quiz
{

namespace
{

// Puts the window's inside on the rectangle; a window manager frames it around.
void placeInside(QWidget &window, const PixelRect &rect)
{
    window.setGeometry(rect.left, rect.top, std::max(1, rect.width), std::max(1, rect.height));
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
        const QRect inside = editor.geometry();
        if (show.width > 0 && show.height > 0)
            placeInside(editor, layoutEditorPlace(
                                    ctx.state.displayAreas[0], show,
                                    PixelRect{inside.x(), inside.y(), inside.width(), inside.height()},
                                    displayAreaTopShift(ctx.state.twipsPerPixelY, screenHeightTwips())));
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
