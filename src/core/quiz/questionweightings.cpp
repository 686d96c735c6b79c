#include "core/quiz/questionweightings.h"

#include "core/common/fileutil.h"
#include "core/common/text.h"
#include "core/common/writeformat.h"

#include <algorithm>
#include <utility>

namespace quiz
{

void ReadQuestionWeightings(const std::string &questionPath, std::array<double, 13> &weights)
{
    const std::string file = resolvePath(questionPath);
    if (!FileExists(file)) {
        std::fill(weights.begin(), weights.begin() + 11, 1.0);
        return;
    }
    QuestionWeightingsOf(readTextFile(file).value_or(std::string()), weights);
}

void QuestionWeightingsOf(std::string content, std::array<double, 13> &weights)
{
    std::fill(weights.begin(), weights.begin() + 11, 1.0);
    ItemReader reader(std::move(content));
    while (const auto item = reader.next()) {
        if (*item != "QUESTION WEIGHTINGS")
            continue;
        const auto list = reader.next();
        if (!list)
            return;
        const std::vector<std::string> pieces = split(replaceAll(*list, "\"", ""), ",");
        for (size_t i = 0; i < pieces.size() && i < weights.size(); ++i)
            weights[i] = leadingNumber(pieces[i]);
        return;
    }
}

} // namespace quiz
