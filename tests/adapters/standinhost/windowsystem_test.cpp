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

TEST_F(Desktop, ListsTheProgramsWindowsThenTheHosts)
{
    const auto windows = ws->topLevelWindows();
    ASSERT_EQ(windows.size(), 3u);
    EXPECT_EQ(windows[0].title, "talvix - Quiz Results");
    EXPECT_TRUE(windows[0].ownWindow);
    EXPECT_TRUE(windows[0].visible);
    EXPECT_EQ(windows[0].handle, quizHandle());
    EXPECT_GE(windows[0].handle, StandInWindowSystem::kFirstWidgetHandle);
    EXPECT_EQ(windows[1].title, "PowerPoint Slide Show - [show.pptx]");
    EXPECT_FALSE(windows[1].ownWindow);
    EXPECT_EQ(windows[2].title, "Microsoft PowerPoint - [show.pptx]");
    EXPECT_EQ(StandInWindowSystem::widgetOf(quizHandle()), &quizWindow);
    EXPECT_EQ(ws->topLevelWindows()[0].handle, quizHandle()); // stable
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

TEST_F(Desktop, PlacesTheProgramsWindowOverTheShow)
{
    CollectPowerPointWindows(ctx);
    ASSERT_EQ(ctx.state.showWindows.size(), 2u);
    EXPECT_EQ(ctx.state.pptWindowRect, (PixelRect{10, 20, 640, 480}));
    PlaceOverSlideShow(ctx, quizHandle(), -1, -1, 0.3, 0.5);
    EXPECT_EQ(ws->windowRect(quizHandle()), (PixelRect{80, 156, 160, 72}));
    EXPECT_EQ(quizWindow.frameGeometry(), QRect(80, 156, 160, 72));
}

TEST_F(Desktop, CentresAFormOverTheMainWindow)
{
    WidgetLinkForm form(&quizWindow, 15, 15);
    quizWindow.hide();
    CentreOverPowerPoint(ctx, form, true);
    // main window (10, 20) 640 x 480; the form's frame is its size
    const QSize frame = quizWindow.frameGeometry().size();
    EXPECT_EQ(quizWindow.frameGeometry().topLeft(),
              QPoint(10 + (640 - frame.width()) / 2, 20 + (480 - frame.height()) / 2));
    EXPECT_TRUE(quizWindow.isVisible());
}

TEST_F(Desktop, HostWindowsAreMovedAndRaisedThroughTheHost)
{
    const WindowHandle main = ws->topLevelWindows()[2].handle;
    ws->moveWindow(main, {1, 2, 300, 200});
    ws->raiseWindow(main);
    const auto windows = openHost()->windows();
    EXPECT_EQ(windows[0].handle, main);
    EXPECT_EQ(windows[0].rect, (PixelRect{1, 2, 300, 200}));
    EXPECT_EQ(ws->windowRect(main), (PixelRect{1, 2, 300, 200}));
}

TEST_F(Desktop, CursorKeepsItsCountAndConfinement)
{
    WidgetLinkForm form(&quizWindow, 15, 15);
    ConfineCursorToWindow(ctx, form);
    EXPECT_EQ(ws->cursorDisplayCount(), -1);
    const QRect frame = quizWindow.frameGeometry();
    EXPECT_EQ(ws->cursorConfinement(), (PixelRect{frame.x(), frame.y(), frame.width(), frame.height()}));
    EXPECT_EQ(ws->lastCursorPos(), std::make_pair(frame.right() + 1 - 10, frame.bottom() + 1 - 10));
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);

    CollectPowerPointWindows(ctx);
    ParkCursorOnShow(ctx);
    ReleaseCursor(ctx);
    EXPECT_EQ(ws->cursorDisplayCount(), 0);
    EXPECT_FALSE(ws->cursorConfinement().has_value());
    EXPECT_EQ(ws->lastCursorPos(), std::make_pair(0, 240));
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
