#include "core/display/layouteditor.h"

#include "core/common/text.h"
#include "core/display/chartmodel.h"
#include "core/display/showplacement.h"
#include "ports/dialogs.h"

#include <algorithm>
#include <cmath>

namespace quiz
{

bool anySelected(const Annotations &annotations)
{
    return std::any_of(annotations.begin(), annotations.end(),
                       [](const Annotation &a) { return isSelected(a); });
}

void selectKind(Annotations &annotations, AnnotationKind kind)
{
    for (std::size_t i = static_cast<std::size_t>(kind); i < annotations.size(); i += 2)
        annotations[i].highlight.visible = true;
}

void deselectAll(Annotations &annotations)
{
    for (Annotation &a : annotations)
        a.highlight.visible = false;
}

bool editorKeyDown(Annotations &annotations, int keyCode, int shiftState)
{
    const double step = shiftState == 1 ? 5 : 2;
    double dx = 0, dy = 0;
    switch (keyCode) {
    case keyPageDown:
    case keyPageUp: {
        const double sign = keyCode == keyPageDown ? 1 : -1;
        // Rows spread apart (or close up) around row 0, selected or not.
        for (std::size_t t = 0; t < annotations.size(); ++t)
            annotations[t].top += sign * 5 * 2 * static_cast<double>(t / 2);
        return true;
    }
    case keyDown:
        dy = step;
        break;
    case keyUp:
        dy = -step;
        break;
    case keyLeft:
        dx = -step;
        break;
    case keyRight:
        dx = step;
        break;
    default:
        return false;
    }
    for (Annotation &a : annotations)
        if (isSelected(a)) {
            a.left += dx;
            a.top += dy;
        }
    return true;
}

void alignSelected(Annotations &annotations, AlignEdge edge)
{
    const auto first = std::find_if(annotations.begin(), annotations.end(), isSelected);
    if (first == annotations.end())
        return;
    const double value = edge == AlignEdge::Left ? first->left : first->top;
    for (Annotation &a : annotations)
        if (isSelected(a))
            (edge == AlignEdge::Left ? a.left : a.top) = value;
    deselectAll(annotations);
}

void applyFont(Annotations &annotations, const FontChoice &font)
{
    for (Annotation &a : annotations)
        static_cast<FontChoice &>(a.font) = font;
}

bool EditorMouse::mouseDown(Annotations &annotations, const std::vector<RectD> &boxes, int button, double x,
                            double y, bool showScores, CursorPos cursor)
{
    menu_.deselect = false;
    menu_.align = false;
    menu_.scores = showScores;
    if (button != 2) {
        held_ = true;
        pressed_ = annotationAt(annotations, boxes, x, y);
        pressCursor_ = cursor;
        return false;
    }
    const int hit = annotationAt(annotations, boxes, x, y);
    if (hit >= 0) {
        Annotation &a = annotations[static_cast<std::size_t>(hit)];
        a.highlight.visible = !a.highlight.visible;
        return false;
    }
    if (anySelected(annotations)) {
        menu_.align = true;
        menu_.deselect = true;
    }
    return true;
}

EditorMouse::Pointer EditorMouse::mouseMove(const Annotations &annotations, const std::vector<RectD> &boxes,
                                            double x, double y, CursorPos cursor)
{
    if (dragging())
        return Pointer::Unchanged;
    const int hit = annotationAt(annotations, boxes, x, y);
    if (hit < 0)
        return Pointer::Default;
    if (held_) {
        dragged_ = hit;
        last_ = hit == pressed_ ? pressCursor_ : cursor;
    }
    return Pointer::SizeAll;
}

bool EditorMouse::mouseUp(Annotations &annotations, CursorPos cursor, double chartWidth, double chartHeight)
{
    const bool moved = dragTick(annotations, cursor, chartWidth, chartHeight);
    dragged_ = -1;
    held_ = false;
    pressed_ = -1;
    last_.reset();
    return moved;
}

bool EditorMouse::dragTick(Annotations &annotations, CursorPos cursor, double chartWidth, double chartHeight)
{
    if (!dragging() || static_cast<std::size_t>(dragged_) >= annotations.size())
        return false;
    if (!last_ || *last_ == cursor) {
        last_ = cursor;
        return false;
    }
    const double dx = cursor.x - last_->x, dy = cursor.y - last_->y;
    last_ = cursor;
    Annotation &d = annotations[static_cast<std::size_t>(dragged_)];
    d.top = std::max(dragMinimum, std::min(d.top + dy, chartHeight - dragBottomMargin));
    d.left = std::max(dragMinimum, std::min(d.left + dx, chartWidth - dragRightMargin));
    // The others follow by the mouse's own movement, unclamped.
    for (std::size_t i = 0; i < annotations.size(); ++i)
        if (static_cast<int>(i) != dragged_ && isSelected(annotations[i])) {
            annotations[i].left += dx;
            annotations[i].top += dy;
        }
    return true;
}

int rowsPerColumn(int pairs, int columns)
{
    if (columns < 1)
        return 0;
    return pairs % columns == 0 ? pairs / columns : pairs / columns + 1;
}

void distribute(Annotations &annotations, int columns, const DistributeMetrics &m)
{
    const int pairs = static_cast<int>(annotations.size() / 2);
    const int rows = rowsPerColumn(pairs, columns);
    if (rows < 1)
        return;
    const double h = m.textHeight;
    const double gap =
        rows > 1 ? (m.windowHeight - double(pairs) / columns * h - m.fontSize - 15.0 * columns) / (rows - 1)
                 : 1;
    auto slotX = [&](int k) { return k * (m.windowWidth - (m.widestWidth + 25)) / (2 * columns - 1); };
    for (int p = 0; p < pairs; ++p) {
        const int row = p % rows, column = p / rows;
        const double top = std::nearbyint((gap + h) * row);
        for (int k = 0; k < 2; ++k) {
            Annotation &a = annotations[static_cast<std::size_t>(2 * p + k)];
            a.left = slotX(2 * column + k);
            a.top = top;
        }
    }
}

std::optional<int> askDistributeColumns(Dialogs &dialogs)
{
    for (;;) {
        const std::optional<std::string> answer = dialogs.input(
            "Enter the number of columns you wish to distribute to (1-10)", "Number of Columns", "1");
        if (!answer || answer->empty())
            return std::nullopt;
        const double value = leadingNumber(*answer);
        if (value >= 1 && value <= 10)
            return leadingInt(*answer);
        dialogs.message("Number of colums must be in the range of 1 - 10", "Quiz - Invalid Entry",
                        MessageIcon::Exclamation, MessageButtons::Ok);
    }
}

std::string layoutEditorHelpText()
{
    return "\u00a4 Right click selects and deselects text.\r\n"
           "\u00a4 Click and hold with the left mouse to move the selected text\r\n"
           "\u00a4 Page Up and Page Down will decrease and increase the spacing between the text.\r\n"
           "\u00a4 Shift and Arrow Key moves the selected text.";
}

PixelRect layoutEditorPlace(const DisplayArea &stored, const PixelRect &show, const PixelRect &window,
                            float topShift)
{
    if (stored.width != 0 || stored.height != 0 || stored.left != 0 || stored.top != 0)
        return SlideShowPlacement(show, window, stored.top + topShift, stored.left, stored.height,
                                  stored.width);
    return SlideShowPlacement(show, window, -2, -2, 0.6, 0.6);
}

std::optional<DisplayArea> displayAreaOf(const PixelRect &window, const PixelRect &show, float topShift)
{
    if (show.width <= 0 || show.height <= 0)
        return std::nullopt;
    const double sw = show.width, sh = show.height;
    return DisplayArea{static_cast<float>(window.width / sw), static_cast<float>(window.height / sh),
                       static_cast<float>((window.left - show.left) / sw),
                       static_cast<float>((window.top - show.top) / sh - topShift)};
}

std::optional<DisplayArea> closingDisplayArea(const DisplayArea &stored, const PixelRect &inside,
                                              const PixelRect &show, float topShift)
{
    const bool set = stored.width != 0 || stored.height != 0 || stored.left != 0 || stored.top != 0;
    if (set && show.width > 0 && show.height > 0 &&
        layoutEditorPlace(stored, show, inside, topShift) == inside)
        return stored;
    return displayAreaOf(inside, show, topShift);
}

} // namespace quiz
