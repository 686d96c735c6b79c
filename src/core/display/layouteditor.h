#pragma once

#include "core/display/annotation.h"
#include "core/display/displayarea.h"
#include "core/display/displaykeys.h"
#include "core/display/displaylayout.h"
#include "ports/geometry.h"

#include <optional>
#include <string>
#include <vector>

namespace quiz
{

class Dialogs;

// What the layout editor does to the chart's annotations, apart from the
// window: selection, moves, the drag, spreading, aligning, distributing and
// what closing stores. Annotations are in tool order (name 2r, score 2r + 1);
// positions are pixels of the chart.
using Annotations = std::vector<Annotation>;

// An annotation is selected while its highlight shows.
inline bool isSelected(const Annotation &a)
{
    return a.highlight.visible;
}
bool anySelected(const Annotations &annotations);
void selectKind(Annotations &annotations, AnnotationKind kind); // "Keypads" / "Scores"
void deselectAll(Annotations &annotations);

// A key on the editor (shift state 1 = Shift, 2 = Ctrl, 4 = Alt). Page Down /
// Page Up move both annotations of row r down / up by 10r pixels, selected or
// not; the arrows move the selected annotations by 2 pixels, 5 with Shift
// alone. Returns true when the key is one of these.
bool editorKeyDown(Annotations &annotations, int keyCode, int shiftState);

enum class AlignEdge { Left, Top };
// Every selected annotation takes the edge of the lowest selected one; then
// nothing is selected.
void alignSelected(Annotations &annotations, AlignEdge edge);

// Applies the chosen font to every annotation (the text's shadow stays).
void applyFont(Annotations &annotations, const FontChoice &font);

struct CursorPos {
    int x = 0;
    int y = 0;
    bool operator==(const CursorPos &) const = default;
};

// A drag runs between the clamps: the dragged annotation's top stays at most
// chart height - 24 and its left at most chart width - 8, neither below 1.
inline constexpr double dragBottomMargin = 24;
inline constexpr double dragRightMargin = 8;
inline constexpr double dragMinimum = 1;

// The mouse on the chart: selection with the right button, the drag with the
// left one, and the enabled state of the pop-up menu's entries.
class EditorMouse
{
  public:
    struct MenuState {
        bool align = true;
        bool deselect = true;
        bool scores = true;
    };
    enum class Pointer { Unchanged, Default, SizeAll };

    // A button pressed at (x, y); boxes[i] is annotation i's box. The right
    // button toggles the selection of the first annotation hit; when none is
    // hit, answers true: the pop-up menu is to be shown. Any other button
    // only marks the button as held (the cursor then at `cursor`).
    bool mouseDown(Annotations &annotations, const std::vector<RectD> &boxes, int button, double x, double y,
                   bool showScores, CursorPos cursor = {});
    // The mouse moved, the cursor being at `cursor` on the screen: which
    // pointer to show. Over an annotation with the button held, that
    // annotation becomes the dragged one; the drag counts from where the
    // button was pressed when that was on the same annotation, else from here.
    Pointer mouseMove(const Annotations &annotations, const std::vector<RectD> &boxes, double x, double y,
                      CursorPos cursor);
    // The button released with the cursor at `cursor`: a running drag takes
    // the last movement, then no drag, nothing held, no remembered cursor.
    // Returns true when something moved.
    bool mouseUp(Annotations &annotations, CursorPos cursor, double chartWidth, double chartHeight);
    // One tick of the drag timer, with the cursor's screen position: the
    // dragged annotation moves by the cursor's movement since the last tick
    // (or the drag's start), kept inside the chart, and every other selected
    // one by the same. Returns true when something moved.
    bool dragTick(Annotations &annotations, CursorPos cursor, double chartWidth, double chartHeight);

    bool dragging() const { return dragged_ >= 0; }
    int dragged() const { return dragged_; }
    bool held() const { return held_; }
    const MenuState &menu() const { return menu_; }

  private:
    int dragged_ = -1;
    bool held_ = false;
    int pressed_ = -1; // the annotation under the held button's press
    CursorPos pressCursor_;
    std::optional<CursorPos> last_;
    MenuState menu_;
};

// Auto distribute. The rows per column for `pairs` pairs over `columns`.
int rowsPerColumn(int pairs, int columns);

struct DistributeMetrics {
    double widestWidth = 0;  // the widest annotation, pixels
    double windowWidth = 0;  // pixels
    double windowHeight = 0; // pixels
    double textHeight = 0;   // annotation 0's text in the window's font, pixels
    double fontSize = 0;     // the window's font size, points
};
// Lays the pairs out column by column over `columns` columns (1..10).
void distribute(Annotations &annotations, int columns, const DistributeMetrics &metrics);

// Asks for the number of columns until the answer is in 1..10; nullopt when
// the answer is empty or the box is cancelled.
std::optional<int> askDistributeColumns(Dialogs &dialogs);

// The help message of the editor and its title.
std::string layoutEditorHelpText();
inline constexpr const char *layoutEditorHelpTitle = "Team Quiz Setup";

// Where the editor's inside opens over the show (pixels): the stored area
// moved down by topShift (as DISPLAY moves it, displayAreaTopShift) when any
// of its values is non-zero, else centred at 60% of the show's size. window is
// the editor's present inside (its size serves for a zero width or height).
PixelRect layoutEditorPlace(const DisplayArea &stored, const PixelRect &show, const PixelRect &window,
                            float topShift = 0);

// The window's place as fractions of the slide-show window (both in pixels),
// its top fraction less topShift, so that DISPLAY, which moves the area down
// by that much, puts its window where this one lies; nullopt for a show
// window without size.
std::optional<DisplayArea> displayAreaOf(const PixelRect &window, const PixelRect &show, float topShift = 0);
// What closing stores for the editor's inside: the stored area itself while
// the inside lies where layoutEditorPlace put it (so that opening and closing
// never shifts it by whole-pixel rounding), else displayAreaOf.
std::optional<DisplayArea> closingDisplayArea(const DisplayArea &stored, const PixelRect &inside,
                                              const PixelRect &show, float topShift);

} // namespace quiz
