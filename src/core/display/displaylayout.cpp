#include "core/display/displaylayout.h"

namespace quiz {

std::string placeholderText(int row, AnnotationKind kind, const std::array<std::string, 2> &textToAdd)
{
    const std::string place = std::to_string(row + 1);
    if (kind == AnnotationKind::Name)
        return "K" + place;
    return textToAdd[0] + " S" + place + textToAdd[1];
}

PointD annotationPosition(int row, AnnotationKind kind, const PointD &saved, double windowWidthTwips,
                          double windowHeightTwips, int twipsPerPixelX, int twipsPerPixelY)
{
    if (saved.x == -1 || saved.y == -1)
        return PointD{300.0 * static_cast<int>(kind), 60.0 * row};
    // Multiply first, then divide, as the saved layout was computed.
    return PointD{windowWidthTwips * saved.x / twipsPerPixelX, windowHeightTwips * saved.y / twipsPerPixelY};
}

PointD savedAnnotationPosition(const QuizState &state, int row, AnnotationKind kind)
{
    if (row < 0 || static_cast<std::size_t>(row) >= state.annotationPositions.size())
        return PointD{-1, -1};
    return state.annotationPositions[static_cast<std::size_t>(row)][static_cast<std::size_t>(kind)];
}

AnnotationFont displayFont(const QuizState &state)
{
    AnnotationFont font;
    static_cast<FontChoice &>(font) = displayFontChoice(state);
    font.shadowTransparency = 100;
    return font;
}

std::vector<Annotation> composeAnnotations(const QuizState &state, int rowCount, double windowWidthTwips,
                                           double windowHeightTwips)
{
    std::vector<Annotation> out;
    const AnnotationFont font = displayFont(state);
    for (int r = 0; r < rowCount; ++r) {
        for (AnnotationKind kind : {AnnotationKind::Name, AnnotationKind::Score}) {
            Annotation a;
            a.text = placeholderText(r, kind, state.textToAdd);
            if (kind == AnnotationKind::Score && state.showScores == 0)
                a.active = false;
            const PointD at = annotationPosition(r, kind, savedAnnotationPosition(state, r, kind), windowWidthTwips,
                                                 windowHeightTwips, state.twipsPerPixelX, state.twipsPerPixelY);
            a.left = at.x;
            a.top = at.y;
            // Only the text shows: box and shadow fully transparent.
            a.shadowTransparency = 100;
            a.boxTransparency = 100;
            a.highlight = AnnotationHighlight{false, 0, 4, 0};
            a.font = font;
            out.push_back(std::move(a));
        }
    }
    return out;
}

float displayAreaTopShift(int twipsPerPixelY, double screenHeightTwips)
{
    if (screenHeightTwips <= 0)
        return 0;
    return static_cast<float>(22.0 * twipsPerPixelY / screenHeightTwips);
}

} // namespace quiz
