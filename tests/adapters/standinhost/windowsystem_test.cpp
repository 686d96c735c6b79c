#include "adapters/standinhost/standinwindowsystem.h"
#include "core/votedata/presentationlink.h"
#include "hostfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QWidget>

namespace quiz
{
namespace
{

class Desktop : public test::HostFolder
{
  protected:
    std::unique_ptr<StandInWindowSystem> ws;
    QWidget quizWindow;
    RunContext ctx;
    void SetUp() override
    {
        HostFolder::SetUp();
        ws = std::make_unique<StandInWindowSystem>(*host);
        quizWindow.setWindowTitle("talvix - Quiz Results");
        quizWindow.setGeometry(50, 60, 200, 100);
        quizWindow.show();
        ctx.host = host.get();
        ctx.windows = ws.get();
    }
    WindowHandle quizHandle() { return StandInWindowSystem::handleOf(&quizWindow); }
};

// The window placement, centring and cursor rules are tested on fakes; these
// tests check that the stand-in carries them to the widgets and the host file.

TEST_F(Desktop, ListsMovesAndRaisesTheProgramsWindowsThenTheHosts)
{
    const auto windows = ws->topLevelWindows();
    ASSERT_EQ(windows.size(), 3u);
    EXPECT_EQ(windows[0].title, "talvix - Quiz Results");
    EXPECT_TRUE(windows[0].ownWindow);
    EXPECT_EQ(windows[0].handle, quizHandle());
    EXPECT_EQ(StandInWindowSystem::widgetOf(quizHandle()), &quizWindow);
    EXPECT_EQ(windows[1].title, "PowerPoint Slide Show - [show.pptx]");
    EXPECT_FALSE(windows[1].ownWindow);
    EXPECT_EQ(windows[2].title, "Microsoft PowerPoint - [show.pptx]");

    ws->moveWindow(quizHandle(), {80, 156, 160, 72});
    EXPECT_EQ(quizWindow.frameGeometry(), QRect(80, 156, 160, 72));
    EXPECT_EQ(ws->windowRect(quizHandle()), (PixelRect{80, 156, 160, 72}));
    const WindowHandle main = windows[2].handle;
    ws->moveWindow(main, {1, 2, 300, 200});
    ws->raiseWindow(main);
    const auto written = openHost()->windows();
    EXPECT_EQ(written[0].handle, main);
    EXPECT_EQ(written[0].rect, (PixelRect{1, 2, 300, 200}));
}

TEST_F(Desktop, DisablingThePresentationProgramWritesItsWindowsBack)
{
    ctx.state.modeWord = "DISPLAY";
    EnablePowerPointWindows(ctx, false);
    auto again = openHost();
    for (const auto &w : again->windows())
        EXPECT_FALSE(w.enabled) << w.title;
    EXPECT_EQ(again->slideShowPointerType(), 3);
    EXPECT_TRUE(quizWindow.isEnabled());

    EnablePowerPointWindows(ctx, true);
    for (const auto &w : openHost()->windows())
        EXPECT_TRUE(w.enabled) << w.title;
    EXPECT_EQ(openHost()->slideShowPointerType(), 4);
}

TEST_F(Desktop, CursorKeepsItsCountAndConfinement)
{
    WidgetLinkForm form(&quizWindow, 15, 15);
    ConfineCursorToWindow(ctx, form);
    EXPECT_EQ(ws->cursorDisplayCount(), -1);
    const QRect frame = quizWindow.frameGeometry();
    EXPECT_EQ(ws->cursorConfinement(), (PixelRect{frame.x(), frame.y(), frame.width(), frame.height()}));
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);

    ReleaseCursor(ctx);
    EXPECT_EQ(ws->cursorDisplayCount(), 0);
    EXPECT_FALSE(ws->cursorConfinement().has_value());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(Desktop, HideAllFormsHidesOnlyTheProgramsWindowsAndTheClipboardIsEmptied)
{
    HideAllForms(ctx);
    EXPECT_FALSE(quizWindow.isVisible());
    for (const auto &w : openHost()->windows())
        EXPECT_TRUE(w.visible);
    QGuiApplication::clipboard()->setText("chart");
    ClearClipboard(ctx);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
}

} // namespace
} // namespace quiz
