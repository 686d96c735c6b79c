#include "adapters/x11/x11windowlist.h"
#include "fakes/x11fakes.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quiz
{
namespace
{

using test::FakeX11Connection;

std::vector<std::string> split(const std::string &text, char at)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string item; std::getline(in, item, at);)
        out.push_back(item);
    return out;
}

// Windows "id|parent|flags|title" separated by ";", each on top of its
// parent's children (parent "" = the root). Flags: i input-only, u unmapped,
// m minimised, o override-redirect, w WM_STATE, l the title is an old Latin-1
// WM_NAME, n an empty UTF-8 name beside it; "-" as title: none.
void build(FakeX11Connection &conn, const std::string &windows)
{
    for (const std::string &item : split(windows, ';')) {
        const auto field = split(item, '|');
        const std::string flags = field.size() > 2 ? field[2] : "", title = field.size() > 3 ? field[3] : "-";
        auto &w = conn.add(std::stoul(field[0]),
                           field[1].empty() ? FakeX11Connection::kRoot : std::stoul(field[1]));
        const auto has = [&](char flag) { return flags.find(flag) != std::string::npos; };
        w.state = {!has('u') && !has('m'), has('o'), has('i')};
        w.iconic = has('m');
        w.wmState = has('w');
        if (title != "-")
            (has('l') ? w.wmName : w.netWmName) = title;
        if (has('n'))
            w.netWmName = "";
    }
}

// The list from the top: titles, "~" marking an invisible window, "_" a minimised one.
std::string summary(const std::vector<WindowInfo> &windows)
{
    std::string out;
    for (const WindowInfo &w : windows)
        out += (out.empty() ? "" : ", ") + w.title + (w.visible ? "" : "~") + (w.minimised ? "_" : "");
    return out;
}

struct ListCase {
    const char *name;
    const char *windows;
    std::optional<std::vector<XWindowId>> managed;
    std::set<XWindowId> own;
    const char *expected;
};

void PrintTo(const ListCase &row, std::ostream *out)
{
    *out << row.windows;
}

class WindowListRows : public ::testing::TestWithParam<ListCase>
{
};

TEST_P(WindowListRows, ListsTopLevelWindowsFromTheTop)
{
    FakeX11Connection conn;
    build(conn, GetParam().windows);
    conn.managed = GetParam().managed;
    EXPECT_EQ(summary(listX11Windows(conn, GetParam().own)), GetParam().expected);
}

const ListCase kListCases[] = {
    {"NoManagerWalksTheRootTopDown", "10|||bottom;11|||middle;12|||top", {}, {}, "top, middle, bottom"},
    {"NoManagerSkipsOwnInputOnlyAndUntitled", "10|||show;11|||Quiz;12||i|input;13||", {}, {11}, "show"},
    {"NoManagerLooksInsideFrames",
     "20||;21|20|;22|20|wl|Caf\xe9 notes;23|||on top",
     {},
     {},
     "on top, Caf\xc3\xa9 notes"},
    {"NoManagerKeepsOverrideRedirectShows",
     "10|||editor;11||o|Presenting: quiz",
     {},
     {},
     "Presenting: quiz, editor"},
    {"HiddenAndMinimised", "10||u|hidden;11||m|minimised", {}, {}, "minimised_, hidden~"},
    {"ManagerStackingWithTitledUnmanagedFirst",
     "30||;31||;40|30||first;41|31||second;50||o|Presenting: quiz;51||o",
     std::vector<XWindowId>{40, 41},
     {},
     "Presenting: quiz, second, first"},
    {"ManagerListSkipsOwnWindows", "40|||Quiz;41|||editor", std::vector<XWindowId>{41, 40}, {40}, "editor"},
    {"EmptyUnicodeNameFallsBack", "10||ln|old name", {}, {}, "old name"},
};

INSTANTIATE_TEST_SUITE_P(X11, WindowListRows, ::testing::ValuesIn(kListCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(X11WindowList, RectanglesTakeInTheFrameAndOwnersCount)
{
    FakeX11Connection conn;
    auto &w = conn.add(10);
    w.netWmName = "Pr\xc3\xa4sentation";
    w.wmName = std::string("old");
    w.rect = {100, 50, 400, 300};
    w.extents = {2, 3, 20, 4};
    w.transient = true;
    const auto list = listX11Windows(conn, {});
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].title, "Pr\xc3\xa4sentation");
    EXPECT_EQ(list[0].rect, (PixelRect{98, 30, 405, 324}));
    EXPECT_TRUE(list[0].hasParent);
}

TEST(X11WindowList, MatchesTitlesWithTheProgramsWildcards)
{
    std::vector<WindowInfo> windows;
    for (const char *title :
         {"show.odp - LibreOffice Impress", "Presenting: show", "presenting: notes", "Presenting"}) {
        windows.emplace_back();
        windows.back().handle = WindowHandle(windows.size());
        windows.back().title = title;
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
    EXPECT_EQ(handles("presenting: ????", false), "2");
}

} // namespace
} // namespace quiz
