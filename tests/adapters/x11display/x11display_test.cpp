#include "adapters/x11/x11windowsystem.h"
#include "core/presentationlink/presentationlink.h"
#include "support/quizrunner.h"
#include "support/rows.h"
#include "support/wait.h"
#include "support/windowmanager.h"

#include <QCoreApplication>
#include <QImage>
#include <QProcess>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <regex>

namespace quiz
{
namespace
{

// A plain X client of the test's own, beside the program's toolkit
// connection; it reads the server back through a second connection. Its
// windows ask for their place as a program placing them itself does (a
// window manager keeps the inside where it was asked for); an undecorated
// one has no frame, as a full-screen show has none.
class TestClient
{
  public:
    TestClient() : c_(xcb_connect(nullptr, nullptr)), x(XcbConnection::open(nullptr, nullptr)) {}
    ~TestClient() { xcb_disconnect(c_); }

    xcb_window_t window(const std::string &title, const PixelRect &r, std::uint32_t colour = 0xFFFFFF,
                        bool latin1 = false, bool mapped = true, bool decorated = true)
    {
        const xcb_window_t id = xcb_generate_id(c_);
        xcb_create_window(c_, XCB_COPY_FROM_PARENT, id, x->root(), r.left, r.top, r.width, r.height, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_BACK_PIXEL, &colour);
        xcb_change_property(
            c_, XCB_PROP_MODE_REPLACE, id, latin1 ? xcb_atom_t(XCB_ATOM_WM_NAME) : atom("_NET_WM_NAME"),
            latin1 ? xcb_atom_t(XCB_ATOM_STRING) : atom("UTF8_STRING"), 8, title.size(), title.data());
        // WM_NORMAL_HINTS: user position and size, static gravity (10).
        std::uint32_t hints[18] = {1 | 2 | 4 | 8 | (1 << 9), std::uint32_t(r.left), std::uint32_t(r.top),
                                   std::uint32_t(r.width), std::uint32_t(r.height)};
        hints[17] = 10;
        xcb_change_property(c_, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS,
                            32, 18, hints);
        if (!decorated) {
            const std::uint32_t motif[5] = {2, 0, 0, 0, 0}; // decorations: none
            const xcb_atom_t hintsAtom = atom("_MOTIF_WM_HINTS");
            xcb_change_property(c_, XCB_PROP_MODE_REPLACE, id, hintsAtom, hintsAtom, 32, 5, motif);
        }
        if (mapped) {
            xcb_map_window(c_, id);
            // A window manager maps it once it has framed and placed it.
            test::waitUntil([&] { return viewable(id) && x->rootRect(id) == r; }, 10000);
        }
        std::free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr)); // all done
        return id;
    }
    bool viewable(xcb_window_t id)
    {
        auto *a = xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, id), nullptr);
        const bool shown = a && a->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(a);
        return shown;
    }
    xcb_window_t focus()
    {
        auto *f = xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr);
        const xcb_window_t window = f ? f->focus : xcb_window_t(XCB_NONE);
        std::free(f);
        return window;
    }
    // The window's place on the screen with its frame, when it has one.
    PixelRect framed(XWindowId id)
    {
        const PixelRect r = x->rootRect(id);
        const FrameExtents e = x->frameExtents(id);
        return {r.left - e.left, r.top - e.top, r.width + e.left + e.right, r.height + e.top + e.bottom};
    }
    // The window's place in the stacking order: its frame's, under a window manager.
    std::ptrdiff_t stackIndex(XWindowId id)
    {
        const auto order = stacking();
        return std::find(order.begin(), order.end(), x->topAncestor(id)) - order.begin();
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
    xcb_atom_t atom(const char *name)
    {
        auto *reply = xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, std::strlen(name), name), nullptr);
        const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return value;
    }
    xcb_connection_t *c_;

  public:
    std::unique_ptr<XcbConnection> x;
};

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
        show = client.window("Presenting: quiz night", kShow, 0xC08040, false, true, false);
    }
    TestClient client;
    std::unique_ptr<X11WindowSystem> ws;
    RunContext ctx;
    xcb_window_t show = 0;
};

TEST_F(X11Display, FindsAPlainClientWindowByTitlePatternWithItsRectangle)
{
    const PixelRect inside{400, 40, 100, 80};
    const xcb_window_t notes = client.window("Caf\xe9 notes", inside, 0, true);
    client.window("Presenting: hidden", {0, 0, 50, 50}, 0, false, false);
    QWidget own;
    own.setWindowTitle("Quiz");
    own.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&own));

    EXPECT_EQ(FindWindowByTitle(ctx, "presenting: quiz*", false), WindowHandle(show));
    EXPECT_EQ(FindWindowByTitle(ctx, "Caf\xc3\xa9 *", true), WindowHandle(notes));
    EXPECT_EQ(FindWindowByTitle(ctx, "*hidden", false), 0);
    EXPECT_EQ(ws->windowRect(show), kShow);
    // A framed window's rectangle holds its frame, where the window manager keeps the inside.
    EXPECT_EQ(client.x->rootRect(notes), inside);
    EXPECT_EQ(ws->windowRect(notes), client.framed(notes));
    if (test::WindowManager::requested()) {
        EXPECT_GT(client.framed(notes).height, inside.height) << "openbox gave the window no frame";
    }

    // Activation gives the window the keyboard, with or without a window manager.
    ws->activateWindow(notes);
    EXPECT_TRUE(test::waitUntil([&] { return client.focus() == notes; }, 10000)) << client.focus();

    const auto windows = ws->topLevelWindows();
    ASSERT_FALSE(windows.empty());
    EXPECT_EQ(windows.front().handle, ws->ownWindowHandle(&own)); // the program's own first, once
    EXPECT_TRUE(windows.front().ownWindow);
    EXPECT_EQ(std::count_if(windows.begin(), windows.end(),
                            [&](const WindowInfo &w) { return w.handle == windows.front().handle; }),
              1);
}

// Rows (x11/placements.rows): the fractions of the show given and the
// program's window's place on the screen.
class PlaceOverShow : public X11Display, public ::testing::WithParamInterface<test::Row>
{
};

TEST_P(PlaceOverShow, PutsTheProgramsWindowAtFractionsOfTheShow)
{
    QWidget display(nullptr, Qt::Window | Qt::FramelessWindowHint); // as the display window is
    display.setWindowTitle("Quiz");
    display.setGeometry(0, 0, 50, 50);
    display.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&display));
    const xcb_window_t later =
        client.window("Presenting: later", kShow, 0xFFFFFF, false, true, false); // above the program's window
    ctx.state.showWindows = {WindowHandle(later), 0};

    const test::Row &r = GetParam();
    const std::vector<float> to = r.floats(4);
    const PixelRect expected{int(to[0]), int(to[1]), int(to[2]), int(to[3])};
    PlaceOverSlideShow(ctx, ws->ownWindowHandle(&display), r.real(0), r.real(1), r.real(2), r.real(3));
    const xcb_window_t id = xcb_window_t(display.winId());
    EXPECT_TRUE(test::waitUntil([&] { return client.x->rootRect(id) == expected; }, 10000))
        << client.x->rootRect(id).left;
    EXPECT_EQ(ws->windowRect(ws->ownWindowHandle(&display)), expected);
    EXPECT_TRUE(test::waitUntil([&] { return client.stackIndex(id) > client.stackIndex(later); }, 10000));
}
QUIZ_ROWS(PlaceOverShow, "x11/placements.rows");

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
    EXPECT_EQ(client.stackIndex(shield), client.stackIndex(show) + 1); // above its frame, if any
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
// and ends as when no presentation program is running (rows: x11/nodisplay.rows).
using X11Program = test::RowTest;
TEST_P(X11Program, EndsSilentlyWithoutADisplayOrAPresentationProgram)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("TALVIX_HOST");
    env.insert("TALVIX_IMPRESS", "pipe,name=quiz_test_no_office");
    env.remove("QT_QPA_PLATFORM");
    if (GetParam()[0] != "own")
        env.insert("DISPLAY", QString::fromStdString(GetParam()[0]));
    QProcess quiz;
    quiz.setProcessEnvironment(env);
    quiz.start(QString::fromStdString(test::QuizRunner::quizBinary()), {"quiz.quz,DISPLAY"});
    ASSERT_TRUE(quiz.waitForFinished(20000));
    const std::string err = quiz.readAllStandardError().toStdString();
    EXPECT_EQ(quiz.exitCode(), 0) << err;
    EXPECT_NE(err.find(GetParam()[1]), std::string::npos) << err;
}
QUIZ_ROWS(X11Program, "x11/nodisplay.rows");

// Where a traced run's annotations lay on the screen, by index.
std::map<int, std::pair<int, int>> annotationsOnScreen(const std::string &trace)
{
    std::map<int, std::pair<int, int>> at;
    const std::regex line("annotation (\\d+) at (-?\\d+),(-?\\d+)");
    for (std::sregex_iterator m(trace.begin(), trace.end(), line), end; m != end; ++m)
        at[std::stoi((*m)[1])] = {std::stoi((*m)[2]), std::stoi((*m)[3])};
    return at;
}

// Rows laid out in the layout editor appear at the same places on the screen
// in DISPLAY, within 2 pixels, whatever frame a window manager puts around
// the editor: the stand-in presentation program's show fills the screen.
TEST(X11Layout, TheDisplayShowsTheRowsWhereTheLayoutEditorLeftThem)
{
    test::QuizRunner runner;
    const std::string folder = runner.folder().str();
    const std::string host = std::regex_replace(
        runner.hostJson(), std::regex("\"window\": \\[\\s*0,\\s*0,\\s*1024,\\s*768\\s*\\]"),
        "\"window\": [0, 0, 640, 480]");
    runner.setHostJson(host);
    runner.setEnv("DISPLAY", std::getenv("DISPLAY"));
    runner.setEnv("QT_QPA_PLATFORM", "xcb");
    const auto run = [&](const std::string &name, const std::string &script, const std::string &words,
                         const std::vector<std::string> &answers) {
        runner.folder().write(name + ".script", script);
        runner.setEnv("TALVIX_UI_SCRIPT", folder + "/" + name + ".script");
        runner.setEnv("TALVIX_TRACE", folder + "/" + name + ".trace");
        const test::QuizRunResult r = runner.run({words}, answers, 60000);
        EXPECT_EQ(r.exitCode, 0) << r.err << runner.folder().read(name + ".script.log");
        return annotationsOnScreen(runner.folder().read(name + ".trace"));
    };
    // The editor is closed once the window manager has framed it and put it on the screen.
    const auto laid = run("setup",
                          "click QuizForm/Command2(0)\nwait FrmTChartSetup\nclose FrmTChartSetup\nclick "
                          "QuizForm/Command2(1)\n",
                          "SETUP", {"file:" + folder + "/laid"});
    runner.setHostJson(host); // the set-up's "EndShowEdit" ended the show
    const auto shown =
        run("display", "wait FrmTChartDisplay\nclick FrmTChartDisplay/TChart\n", "laid.quz,DISPLAY", {});
    ASSERT_GE(laid.size(), 2u);
    ASSERT_GE(shown.size(), 2u) << runner.folder().read("display.trace");
    for (const auto &[index, place] : shown) {
        ASSERT_TRUE(laid.count(index)) << index;
        EXPECT_NEAR(place.first, laid.at(index).first, 2) << "annotation " << index;
        EXPECT_NEAR(place.second, laid.at(index).second, 2) << "annotation " << index;
    }
}

} // namespace
} // namespace quiz
