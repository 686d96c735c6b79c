#include "adapters/x11/x11windowlist.h"
#include "fakes/x11fakes.h"

#include <gtest/gtest.h>

#include <functional>

namespace quiz
{
namespace
{

using test::FakeX11Connection;

// What the list shows: "title" per window from the top, with "~" for an
// invisible one and "_" for a minimised one, joined by "|".
std::string summary(const std::vector<WindowInfo> &windows)
{
    std::string out;
    for (const WindowInfo &w : windows)
        out += (out.empty() ? "" : "|") + w.title + (w.visible ? "" : "~") + (w.minimised ? "_" : "");
    return out;
}

// Adds a window with a UTF-8 title on top of its parent's children.
FakeX11Connection::Window &win(FakeX11Connection &c, XWindowId id, const char *title = nullptr,
                               XWindowId parent = FakeX11Connection::kRoot)
{
    auto &w = c.add(id, parent);
    if (title)
        w.netWmName = title;
    return w;
}

struct ListCase {
    const char *name;
    std::function<void(FakeX11Connection &)> build;
    std::set<XWindowId> own;
    const char *expected;
};

class WindowListRows : public ::testing::TestWithParam<ListCase>
{
};

TEST_P(WindowListRows, ListsTopLevelWindowsFromTheTop)
{
    FakeX11Connection conn;
    GetParam().build(conn);
    EXPECT_EQ(summary(listX11Windows(conn, GetParam().own)), GetParam().expected);
}

const ListCase kListCases[] = {
    {"NoManagerWalksTheRootTopDown",
     [](auto &c) { win(c, 10, "bottom"), win(c, 11, "middle"), win(c, 12, "top"); },
     {},
     "top|middle|bottom"},
    {"NoManagerSkipsOwnInputOnlyAndUntitledWindows",
     [](auto &c) {
         win(c, 10, "show"), win(c, 11, "Quiz"), win(c, 13);
         win(c, 12, "input").state.inputOnly = true;
     },
     {11},
     "show"},
    {"NoManagerLooksInsideFramesForTheClient", // a manager without EWMH
     [](auto &c) {
         win(c, 20), win(c, 21, nullptr, 20);
         auto &client = win(c, 22, nullptr, 20);
         client.wmState = true;
         client.wmName = std::string("Caf\xe9 notes"); // Latin-1
         win(c, 23, "on top");
     },
     {},
     "on top|Caf\xc3\xa9 notes"},
    {"NoManagerKeepsOverrideRedirectShows",
     [](auto &c) { win(c, 10, "editor"), win(c, 11, "Presenting: quiz").state.overrideRedirect = true; },
     {},
     "Presenting: quiz|editor"},
    {"HiddenAndMinimisedWindows",
     [](auto &c) {
         win(c, 10, "hidden").state.viewable = false;
         auto &minimised = win(c, 11, "minimised");
         minimised.state.viewable = false;
         minimised.iconic = true;
     },
     {},
     "minimised_|hidden~"},
    {"ManagerStackingFromTheTopWithUnmanagedShowsFirst",
     [](auto &c) {
         win(c, 30), win(c, 31), win(c, 40, "first", 30), win(c, 41, "second", 31);
         win(c, 50, "Presenting: quiz").state.overrideRedirect = true;
         win(c, 51).state.overrideRedirect = true; // untitled: a menu, say
         c.managed = std::vector<XWindowId>{40, 41};
     },
     {},
     "Presenting: quiz|second|first"},
    {"ManagerListSkipsOwnWindows",
     [](auto &c) {
         win(c, 40, "Quiz"), win(c, 41, "editor");
         c.managed = std::vector<XWindowId>{41, 40};
     },
     {40},
     "editor"},
    {"UnicodeNameWinsOverTheOldName",
     [](auto &c) {
         win(c, 10, "Pr\xc3\xa4sentation").wmName = std::string("old");
         win(c, 11, "").wmName = std::string("old name");
     },
     {},
     "old name|Pr\xc3\xa4sentation"},
};

INSTANTIATE_TEST_SUITE_P(X11, WindowListRows, ::testing::ValuesIn(kListCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(X11WindowList, RectanglesTakeInTheFrameAndOwnersCount)
{
    FakeX11Connection conn;
    auto &w = win(conn, 10, "framed");
    w.rect = {100, 50, 400, 300};
    w.extents = {2, 3, 20, 4};
    w.transient = true;
    const auto list = listX11Windows(conn, {});
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].rect, (PixelRect{98, 30, 405, 324}));
    EXPECT_TRUE(list[0].hasParent);
    EXPECT_EQ(list[0].handle, 10);
}

TEST(X11WindowList, MatchesTitlesWithTheProgramsWildcards)
{
    std::vector<WindowInfo> windows(4);
    const char *titles[] = {"show.odp - LibreOffice Impress", "Presenting: show", "presenting: notes",
                            "Presenting"};
    for (int i = 0; i < 4; ++i) {
        windows[i].handle = i + 1;
        windows[i].title = titles[i];
    }
    const auto handles = [&](const char *pattern, bool caseSensitive) {
        std::string out;
        for (const WindowInfo &w : windowsMatching(windows, pattern, caseSensitive))
            out += std::to_string(w.handle);
        return out;
    };
    EXPECT_EQ(handles("Presenting: *", false), "23");
    EXPECT_EQ(handles("Presenting: *", true), "2");
    EXPECT_EQ(handles("*impress", false), "1");
    EXPECT_EQ(handles("Presenting?", false), "");
    EXPECT_EQ(handles("presenting: ????", false), "2");
}

} // namespace
} // namespace quiz
