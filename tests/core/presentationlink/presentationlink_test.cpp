#include "core/presentationlink/presentationlink.h"
#include "core/presentationlink/titlematch.h"
#include "fakes/fakerun.h"
#include "support/rows.h"

#include <gtest/gtest.h>

#include <map>

namespace quiz
{
namespace
{

using test::FakeWindowSystem;

class FakeForm : public LinkForm
{
  public:
    double l = 0, t = 0, w = 0, h = 0;
    int shown = 0;
    int moves = 0;
    double left() const override { return l; }
    double top() const override { return t; }
    double width() const override { return w; }
    double height() const override { return h; }
    void moveTo(double left, double top) override
    {
        l = left;
        t = top;
        ++moves;
    }
    void show() override { ++shown; }
};

class Link : public ::testing::Test, public test::FakeRun
{
  protected:
    FakeWindowSystem &ws = windows; // 15 twips a pixel both ways, as the run state starts
    void addShow(PixelRect showRect)
    {
        ws.add(2, "PowerPoint Slide Show - [show.pptx]", showRect);
        ctx.state.showWindows = {2, 0};
    }
};

// --- placing a window

PixelRect rect(const test::Row &row, size_t i)
{
    const auto v = row.list(i);
    return {std::stoi(v.at(0)), std::stoi(v.at(1)), std::stoi(v.at(2)), std::stoi(v.at(3))};
}

using Placement = test::RowTest;

TEST_P(Placement, GivesWholePixelRectangle)
{
    const test::Row &r = GetParam();
    EXPECT_EQ(SlideShowPlacement(rect(r, 0), rect(r, 1), r.real(2), r.real(3), r.real(4), r.real(5)),
              rect(r, 6));
}
QUIZ_ROWS(Placement, "presentationlink/placement.rows");

TEST_F(Link, PlaceOverSlideShowMovesTheWindowOverTheFirstShowIfThereIsOne)
{
    ws.add(50, "talvix - Quiz Results", {1, 2, 3, 4}).ownWindow = true;
    ctx.state.showWindows = {0};
    PlaceOverSlideShow(ctx, 50, -1, -1, 0.3, 0.5);
    EXPECT_EQ(ws.at(50).rect, (PixelRect{1, 2, 3, 4}));
    EXPECT_TRUE(ws.calls.empty());
    addShow({0, 0, 1000, 800});
    PlaceOverSlideShow(ctx, 50, -1, -1, 0.3, 0.5);
    EXPECT_EQ(ws.at(50).rect, (PixelRect{250, 520, 500, 240}));
}

TEST_F(Link, CentreOverPowerPointRestoresMinimisedMainWindowAndShowsOrDoesNothingWithoutIt)
{
    ws.add(9, "Some editor");
    FakeForm form;
    form.w = 6000;
    form.h = 4500;
    CentreOverPowerPoint(ctx, form, true);
    EXPECT_EQ(form.moves, 0);
    EXPECT_EQ(form.shown, 0);

    ws.add(1, "Microsoft PowerPoint - [show.pptx]", {100, 50, 800, 600}).minimised = true;
    CentreOverPowerPoint(ctx, form, true);
    EXPECT_EQ(ws.calls, (std::vector<std::string>{"restore 1"}));
    EXPECT_DOUBLE_EQ(form.l, 4500);
    EXPECT_DOUBLE_EQ(form.t, 3000);
    EXPECT_EQ(form.shown, 1);
    CentreOverPowerPoint(ctx, form, false);
    EXPECT_EQ(form.shown, 1);
    EXPECT_EQ(form.moves, 2);
    // Centred in twips; a form larger than the window sticks out on both sides.
    EXPECT_EQ(CentredFormPosition({0, 0, 101, 11}, 12, 15, 1001, 100), (PointD{105.5, 32.5}));
    EXPECT_DOUBLE_EQ(CentredFormPosition({0, 0, 100, 100}, 15, 15, 3000, 1500).x, -750);
}

// Confining parks, hides and confines; parking puts the cursor at the show's bottom left.
TEST_F(Link, TheCursorIsConfinedAndParked)
{
    FakeForm form;
    std::tie(form.l, form.t, form.w, form.h) = std::make_tuple(1500, 750, 6000, 4500);
    ws.cursorCount = 0;
    ConfineCursorToWindow(ctx, form);
    EXPECT_EQ(ws.confinement, (PixelRect{100, 50, 400, 300}));
    EXPECT_EQ(std::make_tuple(ws.cursorX, ws.cursorY, ws.cursorCount), std::make_tuple(490, 340, -1));
    ReleaseCursor(ctx);
    EXPECT_EQ(ws.cursorCount, 0);
    EXPECT_FALSE(ws.confinement.has_value());

    ws.confinement = PixelRect{1, 1, 1, 1};
    ParkCursorOnShow(ctx); // no show: nothing happens
    EXPECT_TRUE(ws.confinement.has_value());
    addShow({10, 20, 800, 600});
    ParkCursorOnShow(ctx);
    EXPECT_FALSE(ws.confinement.has_value());
    EXPECT_EQ(std::make_pair(ws.cursorX, ws.cursorY), std::make_pair(10, 620));
}

TEST_F(Link, HideAllFormsHidesVisibleOwnWindowsLastFirst)
{
    ws.add(100, "Quiz").ownWindow = true;
    ws.add(101, "hidden").ownWindow = true;
    ws.at(101).visible = false;
    ws.add(102, "talvix - Quiz Results").ownWindow = true;
    ws.add(1, "Microsoft PowerPoint - [show.pptx]");
    HideAllForms(ctx);
    EXPECT_EQ(ws.calls, (std::vector<std::string>{"hide 102", "hide 100"}));
}

using FileNames = test::RowTest;

TEST_P(FileNames, ReportTheFirstForbiddenCharacterOfTheList)
{
    const std::string reported = GetParam()[1];
    test::FakeDialogs dialogs;
    EXPECT_EQ(CheckFileName(GetParam()[0], dialogs), !reported.empty());
    if (reported.empty()) {
        EXPECT_TRUE(dialogs.messages.empty());
        return;
    }
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.said(0), "talvix matrix|Filename may not contain " + reported + "|information|ok");
}
QUIZ_ROWS(FileNames, "presentationlink/filenames.rows");

// --- finding windows by title

using Wildcard = test::RowTest;

TEST_P(Wildcard, MatchesTheWholeText)
{
    EXPECT_EQ(WildcardMatch(GetParam()[0], GetParam()[1]), GetParam().flag(2));
}
QUIZ_ROWS(Wildcard, "presentationlink/wildcard.rows");

TEST(SearchableTitle, KeepsAtMost128Characters)
{
    std::string accented;
    for (int i = 0; i < 130; ++i)
        accented += "\xC3\xA9";
    EXPECT_EQ(SearchableTitle(accented).size(), 256u); // 128 two-byte characters, none cut
    EXPECT_EQ(SearchableTitle("short"), "short");
}

class Collecting : public Link, public ::testing::WithParamInterface<test::Row>
{
};

std::vector<WindowHandle> handles(const test::Row &row, size_t i)
{
    std::vector<WindowHandle> out;
    for (const std::string &h : row.list(i))
        out.push_back(std::stoi(h));
    return out;
}

// Collecting lists the show and main windows in Z order, ending with 0; the
// rectangle is the last main window's found, and a previous collection is forgotten.
TEST_P(Collecting, ListsShowAndMainWindows)
{
    ws.add(7, "PowerPoint Slide Show - [old.ppt]");
    CollectPowerPointWindows(ctx);
    ws.windows.clear();
    for (const std::string &w : GetParam().list(0, ';')) {
        const std::string head = w.substr(0, w.find(':'));
        const int handle = std::stoi(head);
        WindowInfo &info = ws.add(handle, w.substr(w.find(':') + 1), {handle, 0, 100, 100});
        info.visible = head.find('h') == std::string::npos;
        info.hasParent = head.find('c') != std::string::npos;
    }
    CollectPowerPointWindows(ctx);
    const auto mains = handles(GetParam(), 2);
    EXPECT_EQ(ctx.state.showWindows, handles(GetParam(), 1));
    EXPECT_EQ(ctx.state.pptWindows, mains);
    const PixelRect last =
        mains.size() > 1 ? PixelRect{int(mains[mains.size() - 2]), 0, 100, 100} : PixelRect{};
    EXPECT_EQ(ctx.state.pptWindowRect, last);
}
QUIZ_ROWS(Collecting, "presentationlink/windows.rows");

using Enabling = Collecting;

// Disabling outside DISPLAY raises the main and show windows and sets the show's
// pointer; a failing pointer and a missing window are passed over.
TEST_P(Enabling, ThePresentationProgramsWindows)
{
    const test::Row &r = GetParam();
    for (const std::string &w : r.list(2))
        ws.add(std::stoi(w),
               w == "1" ? "Microsoft PowerPoint - [show.pptx]" : "PowerPoint Slide Show - [show.pptx]");
    ctx.state.modeWord = r[0];
    host.pointerFails = r.flag(3);
    EnablePowerPointWindows(ctx, r.flag(1));
    std::string calls;
    for (const std::string &call : ws.calls)
        calls += (calls.empty() ? "" : ";") + call;
    EXPECT_EQ(calls, r[4]);
    EXPECT_EQ(host.pointerType, r.num(5));
}
QUIZ_ROWS(Enabling, "presentationlink/enable.rows");

using Cursor = Collecting;

// Hiding steps until the count is negative, showing until it is not (always at least one step).
TEST_P(Cursor, StepsUntilTheCountTurns)
{
    ws.cursorCount = GetParam().num(1);
    GetParam()[0] == "hide" ? HideCursor(ctx) : ShowCursorAgain(ctx);
    EXPECT_EQ(std::make_pair(ws.cursorCount, ws.showCursorCalls),
              std::make_pair(GetParam().num(2), GetParam().num(3)));
}
QUIZ_ROWS(Cursor, "presentationlink/cursor.rows");

using Finding = Collecting;

// The first match in Z order; case matters only when asked; a plain search after a
// collecting one stops at its first match again.
TEST_P(Finding, TakesTheFirstMatchInZOrder)
{
    const test::Row &r = GetParam();
    for (const auto &[handle, title] :
         std::map<WindowHandle, std::string>{{1, "Microsoft PowerPoint - [Quiz.ppt]"},
                                             {2, "PowerPoint Slide Show - [Quiz.ppt]"},
                                             {5, "Quiz"},
                                             {6, "quiz"},
                                             {8, "PowerPoint - x"},
                                             {9, "talvix_controller 2"}})
        ws.add(handle, title);
    if (r.flag(2))
        CollectPowerPointWindows(ctx);
    EXPECT_EQ(FindWindowByTitle(ctx, r[0], r.flag(1)), r.num(3));
}
QUIZ_ROWS(Finding, "presentationlink/find.rows");

TEST_F(Link, HostSuppliesItsOwnWindowTitles)
{
    host.patterns.anyWindow = "*Impress*";
    host.patterns.mainWindow = "* - LibreOffice Impress";
    host.patterns.showWindow = "Presenting: *";
    ws.add(1, "show.odp - LibreOffice Impress", {0, 0, 640, 480});
    ws.add(2, "Presenting: show.odp");
    CollectPowerPointWindows(ctx);
    EXPECT_EQ(ctx.state.pptWindows, (std::vector<WindowHandle>{1, 0}));
    EXPECT_EQ(ctx.state.showWindows, (std::vector<WindowHandle>{2, 0}));
}

} // namespace
} // namespace quiz
