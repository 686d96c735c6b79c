#include "adapters/x11/x11windowsystem.h"
#include "core/votedata/presentationlink.h"
#include "support/quizrunner.h"

#include <QCoreApplication>
#include <QImage>
#include <QProcess>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstring>
#include <functional>

namespace quiz
{
namespace
{

// A plain X client of the test's own, beside the program's toolkit
// connection; it reads the server back through a second connection.
class TestClient
{
  public:
    TestClient() : c_(xcb_connect(nullptr, nullptr)), x(XcbConnection::open(nullptr, nullptr)) {}
    ~TestClient() { xcb_disconnect(c_); }

    xcb_window_t window(const std::string &title, const PixelRect &r, std::uint32_t colour = 0xFFFFFF,
                        bool latin1 = false, bool mapped = true)
    {
        const xcb_window_t id = xcb_generate_id(c_);
        xcb_create_window(c_, XCB_COPY_FROM_PARENT, id, x->root(), r.left, r.top, r.width, r.height, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_BACK_PIXEL, &colour);
        auto *utf8 = xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, 11, "UTF8_STRING"), nullptr);
        auto *name = xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, 12, "_NET_WM_NAME"), nullptr);
        xcb_change_property(c_, XCB_PROP_MODE_REPLACE, id, latin1 ? xcb_atom_t(XCB_ATOM_WM_NAME) : name->atom,
                            latin1 ? xcb_atom_t(XCB_ATOM_STRING) : utf8->atom, 8, title.size(), title.data());
        std::free(utf8);
        std::free(name);
        if (mapped)
            xcb_map_window(c_, id);
        std::free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr)); // all done
        return id;
    }
    std::vector<XWindowId> stacking() { return x->children(x->root()); }
    // True when this client could take the pointer (nobody else holds it).
    bool pointerFree()
    {
        const bool free = x->grabPointer(XCB_NONE);
        x->ungrabPointer();
        return free;
    }

  private:
    xcb_connection_t *c_;

  public:
    std::unique_ptr<XcbConnection> x;
};

bool eventually(const std::function<bool()> &done)
{
    for (int i = 0; i < 300 && !done(); ++i)
        QTest::qWait(10);
    return done();
}

const PixelRect kShow{40, 30, 320, 240};

class X11Display : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        std::string error;
        ws = X11WindowSystem::open(nullptr, &error);
        ASSERT_TRUE(ws) << error;
        ctx.windows = ws.get();
        show = client.window("Presenting: quiz night", kShow, 0xC08040);
    }
    TestClient client;
    std::unique_ptr<X11WindowSystem> ws;
    RunContext ctx;
    xcb_window_t show = 0;
};

TEST_F(X11Display, FindsAPlainClientWindowByTitlePatternWithItsRectangle)
{
    const xcb_window_t notes = client.window("Caf\xe9 notes", {400, 20, 100, 80}, 0, true);
    client.window("Presenting: hidden", {0, 0, 50, 50}, 0, false, false);
    QWidget own;
    own.setWindowTitle("Quiz");
    own.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&own));

    EXPECT_EQ(FindWindowByTitle(ctx, "presenting: quiz*", false), WindowHandle(show));
    EXPECT_EQ(FindWindowByTitle(ctx, "Caf\xc3\xa9 *", true), WindowHandle(notes));
    EXPECT_EQ(FindWindowByTitle(ctx, "*hidden", false), 0);
    EXPECT_EQ(ws->windowRect(show), kShow);

    const auto windows = ws->topLevelWindows();
    ASSERT_FALSE(windows.empty());
    EXPECT_EQ(windows.front().handle, ws->ownWindowHandle(&own)); // the program's own first, once
    EXPECT_TRUE(windows.front().ownWindow);
    EXPECT_EQ(std::count_if(windows.begin(), windows.end(),
                            [&](const WindowInfo &w) { return w.handle == windows.front().handle; }),
              1);
}

struct Placement {
    double top, left, height, width;
    PixelRect expected;
};

class PlaceOverShow : public X11Display, public ::testing::WithParamInterface<Placement>
{
};

TEST_P(PlaceOverShow, PutsTheProgramsWindowAtFractionsOfTheShow)
{
    QWidget display;
    display.setWindowTitle("Quiz");
    display.setGeometry(0, 0, 50, 50);
    display.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&display));
    const xcb_window_t later = client.window("Presenting: later", kShow); // above the program's window
    ctx.state.showWindows = {WindowHandle(later), 0};

    const Placement &p = GetParam();
    PlaceOverSlideShow(ctx, ws->ownWindowHandle(&display), p.top, p.left, p.height, p.width);
    const xcb_window_t id = xcb_window_t(display.winId());
    EXPECT_TRUE(eventually([&] { return client.x->rootRect(id) == p.expected; }))
        << client.x->rootRect(id).left;
    EXPECT_EQ(ws->windowRect(ws->ownWindowHandle(&display)), p.expected);
    const auto order = client.stacking();
    EXPECT_GT(std::find(order.begin(), order.end(), id), std::find(order.begin(), order.end(), later));
}

INSTANTIATE_TEST_SUITE_P(X11, PlaceOverShow,
                         ::testing::Values(Placement{0.5, 0.25, 0.25, 0.5, {120, 150, 160, 60}},
                                           Placement{-1, -1, 0.3, 0.5, {120, 186, 160, 72}},
                                           Placement{-2, -2, 0.5, 0.25, {160, 90, 80, 120}}));

TEST_F(X11Display, CapturesTheWindowsAreaFromTheScreen)
{
    const QImage picture = ws->capture(show);
    ASSERT_EQ(picture.size(), QSize(kShow.width, kShow.height));
    EXPECT_EQ(picture.pixel(0, 0), qRgb(0xC0, 0x80, 0x40));
    EXPECT_EQ(picture.pixel(kShow.width - 1, kShow.height - 1), qRgb(0xC0, 0x80, 0x40));
}

TEST_F(X11Display, ConfinementGrabsThePointerUntilLiftedOrTheRunEnds)
{
    ASSERT_TRUE(client.pointerFree());
    const PixelRect area{100, 80, 200, 150};
    ws->setCursorPos(area.right() - 10, area.bottom() - 10);
    ws->confineCursor(area);
    EXPECT_TRUE(ws->cursorConfined());
    EXPECT_FALSE(client.pointerFree());

    ws->confineCursor(std::nullopt);
    EXPECT_FALSE(ws->cursorConfined());
    EXPECT_TRUE(client.pointerFree());

    ws->confineCursor(area);
    ws.reset(); // the end of the run
    EXPECT_TRUE(client.pointerFree());
}

TEST_F(X11Display, DisablingLaysAShieldDirectlyOverTheWindow)
{
    client.window("notes", {400, 300, 100, 100}); // above the show
    ws->enableWindow(show, false);
    const XWindowId shield = ws->shieldOf(show);
    ASSERT_NE(shield, 0u);
    EXPECT_EQ(client.x->rootRect(shield), kShow);
    const auto order = client.stacking();
    const auto at = std::find(order.begin(), order.end(), show);
    ASSERT_NE(at + 1, order.end());
    EXPECT_EQ(*(at + 1), shield);
    const auto windows = ws->topLevelWindows();
    const auto listed = std::find_if(windows.begin(), windows.end(),
                                     [&](const WindowInfo &w) { return w.handle == WindowHandle(show); });
    ASSERT_NE(listed, windows.end());
    EXPECT_FALSE(listed->enabled);

    ws->enableWindow(show, true);
    EXPECT_EQ(ws->shieldOf(show), 0u);
    const auto after = client.stacking();
    EXPECT_EQ(std::find(after.begin(), after.end(), shield), after.end());
}

// Without a host file the program needs an X display; without one it says so
// and ends as when no presentation program is running.
TEST(X11Program, EndsSilentlyWithoutADisplayOrAPresentationProgram)
{
    const struct {
        const char *display; // nullptr: the test's own
        const char *says;
    } rows[] = {{"", "quiz: no X display (DISPLAY is not set)"},
                {":4711", "quiz: cannot open the X display \":4711\""},
                {nullptr, "quiz: no presentation program"}};
    for (const auto &row : rows) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("TALVIX_HOST");
        env.insert("TALVIX_IMPRESS", "pipe,name=quiz_test_no_office");
        env.remove("QT_QPA_PLATFORM");
        if (row.display)
            env.insert("DISPLAY", row.display);
        QProcess quiz;
        quiz.setProcessEnvironment(env);
        quiz.start(QString::fromStdString(test::QuizRunner::quizBinary()), {"quiz.quz,DISPLAY"});
        ASSERT_TRUE(quiz.waitForFinished(20000));
        const std::string err = quiz.readAllStandardError().toStdString();
        EXPECT_EQ(quiz.exitCode(), 0) << err;
        EXPECT_NE(err.find(row.says), std::string::npos) << err;
    }
}

} // namespace
} // namespace quiz
