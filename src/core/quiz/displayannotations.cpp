#include "core/quiz/displayannotations.h"

#include <algorithm>

namespace quiz
{

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
            const PointD at =
                annotationPosition(r, kind, savedAnnotationPosition(state, r, kind), windowWidthTwips,
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

void storeLayout(QuizState &state, const std::vector<Annotation> &annotations, double windowWidthTwips,
                 double windowHeightTwips)
{
    if (windowWidthTwips <= 0 || windowHeightTwips <= 0)
        return;
    const std::size_t rows = static_cast<std::size_t>(std::max(0, state.displayCount));
    if (state.annotationPositions.size() < rows)
        state.annotationPositions.resize(rows, {PointD{-1, -1}, PointD{-1, -1}, PointD{-1, -1}});
    for (std::size_t r = 0; r < rows; ++r)
        for (std::size_t k = 0; k < 2; ++k) {
            const std::size_t t = 2 * r + k;
            if (t >= annotations.size())
                continue;
            state.annotationPositions[r][k] =
                PointD{state.twipsPerPixelX * annotations[t].left / windowWidthTwips,
                       state.twipsPerPixelY * annotations[t].top / windowHeightTwips};
        }
    if (annotations.empty())
        return;
    setDisplayFont(state, annotations.front().font);
}

} // namespace quiz
