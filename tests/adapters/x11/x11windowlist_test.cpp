#include "adapters/x11/x11windowlist.h"
#include "fakes/x11fakes.h"
#include "support/rows.h"

#include <gtest/gtest.h>

#include <set>

namespace quiz
{
namespace
{

using test::FakeX11Connection;

// Windows "id,parent,flags,title" separated by ";" (tests/data/x11/windowlist.rows).
void build(FakeX11Connection &conn, const std::string &windows)
{
    for (const std::string &item : test::splitTrimmed(windows, ';')) {
        const auto field = test::splitTrimmed(item, ',');
        const std::string flags = field.size() > 2 ? field[2] : "";
        auto &w = conn.add(std::stoul(field[0]),
                           field[1].empty() ? FakeX11Connection::kRoot : std::stoul(field[1]));
        const auto has = [&](char flag) { return flags.find(flag) != std::string::npos; };
        w.state = {!has('u') && !has('m'), has('o'), has('i')};
        w.iconic = has('m');
        w.wmState = has('w');
        if (field.size() > 3)
            (has('l') ? w.wmName : w.netWmName) = field[3];
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

using WindowListRows = test::RowTest;

TEST_P(WindowListRows, ListsTopLevelWindowsFromTheTop)
{
    const test::Row &r = GetParam();
    FakeX11Connection conn;
    build(conn, r[0]);
    if (r[1] != "none") {
        conn.managed.emplace();
        for (const std::string &id : r.list(1))
            conn.managed->push_back(std::stoul(id));
    }
    std::set<XWindowId> own;
    for (const std::string &id : r.list(2))
        own.insert(std::stoul(id));
    EXPECT_EQ(summary(listX11Windows(conn, own)), r[3]);
}
QUIZ_ROWS(WindowListRows, "x11/windowlist.rows");

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

using TitleMatching = test::RowTest;

TEST_P(TitleMatching, FollowsTheProgramsWildcards)
{
    std::vector<WindowInfo> windows;
    for (const char *title :
         {"show.odp - LibreOffice Impress", "Presenting: show", "presenting: notes", "Presenting"}) {
        windows.emplace_back();
        windows.back().handle = WindowHandle(windows.size());
        windows.back().title = title;
    }
    std::string matched;
    for (const WindowInfo &w : windowsMatching(windows, GetParam()[0], GetParam().flag(1)))
        matched += std::to_string(w.handle);
    EXPECT_EQ(matched, GetParam()[2]);
}
QUIZ_ROWS(TitleMatching, "x11/matching.rows");

} // namespace
} // namespace quiz
