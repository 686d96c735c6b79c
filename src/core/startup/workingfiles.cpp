#include "core/startup/workingfiles.h"

#include "core/common/fileutil.h"
#include "core/common/text.h"
#include "core/common/writeformat.h"

#include <algorithm>

namespace quiz
{

namespace
{

const char *const kActiveMarker = "quizActive.txt";
const char *const kInsertCompleteMarker = "QuizInsertComplete.txt";

} // namespace

void ReadTlxIni(QuizState &state)
{
    const std::string path = resolveFile(state.addinFolder, "tlx.ini");
    if (!FileExists(path))
        return;
    ItemReader reader = ItemReader::fromFile(path);
    while (const auto item = reader.next()) {
        if (toUpper(*item) == "CHART FADE") {
            // A key without a value reads as 0.
            const auto value = reader.next();
            state.chartFade = value && leadingNumber(*value) != 0;
            return;
        }
    }
}

void LoadValidKeypads(QuizState &state, const std::string &path)
{
    const std::string file = resolvePath(path);
    if (!FileExists(file)) {
        state.validKeypads.assign(651, 1);
        state.validKeypads[650] = 0;
        return;
    }
    ItemReader reader = ItemReader::fromFile(file);
    const std::string digits = reader.next().value_or(std::string());
    state.validKeypads.assign(digits.size() + 1, 0);
    for (size_t i = 0; i < digits.size(); ++i) {
        const char c = digits[i];
        state.validKeypads[i + 1] = (c >= '0' && c <= '9') ? c - '0' : 0;
    }
}

bool WriteQuizActiveMarker(const QuizState &state, std::string *error)
{
    return writeFileAtomic(resolveFile(state.addinFolder, kActiveMarker), WriteRecord().text("Blah").line(),
                           error);
}

bool WriteInsertCompleteMarker(const QuizState &state, std::string *error)
{
    if (!writeFileAtomic(resolveFile(state.addinFolder, kInsertCompleteMarker),
                         WriteRecord().text("Quiz insert complete").line(), error))
        return false;
    RemoveQuizActiveMarker(state);
    return true;
}

void RemoveQuizActiveMarker(const QuizState &state)
{
    const std::string path = resolveFile(state.addinFolder, "quizactive.txt");
    if (FileExists(path))
        removeFile(path);
}

void ResetDisplayPositions(QuizState &state)
{
    const size_t places = static_cast<size_t>(std::max(state.displayCount, 0));
    state.annotationPositions.resize(places + 1);
    state.rankLabelPositions.resize(places + 1);
    for (size_t i = 0; i < places; ++i) {
        state.rankLabelPositions[i] = PointD{3000, 600};
        state.annotationPositions[i][0] = PointD{-1, -1};
        state.annotationPositions[i][1] = PointD{-1, -1};
    }
}

} // namespace quiz
