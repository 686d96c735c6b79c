#include "core/quiz/correctanswer.h"

#include "core/common/fileutil.h"
#include "core/common/text.h"
#include "core/common/writeformat.h"

#include <utility>

namespace quiz
{

std::string ReadCorrectAnswer(const std::string &path)
{
    const std::string file = resolvePath(path);
    if (!FileExists(file))
        return "";
    return CorrectAnswerOf(readTextFile(file).value_or(std::string()));
}

std::string CorrectAnswerOf(std::string content)
{
    ItemReader reader(std::move(content));

    // Header: version, option count, question type and six more items.
    reader.next();
    const std::optional<int> optionCount = reader.nextInt();
    const std::optional<int> type = reader.nextInt();
    for (int i = 0; i < 6; ++i)
        reader.next();
    if (!optionCount || !type || *type < 0 || *type > 14 || *type == 7)
        return "";

    const auto skipLines = [&reader](long long count) {
        for (long long i = 0; i < count; ++i)
            if (!reader.nextLine())
                return false;
        return true;
    };
    long long optionLines = *optionCount;
    if (*type == 6 || *type == 8) {
        // Option blocks of m lines each, then one line more.
        const std::optional<std::string> blockLine = reader.nextLine();
        if (!blockLine)
            return "";
        optionLines = static_cast<long long>(leadingInt(*blockLine)) * *optionCount + 1;
    }
    if (!skipLines(optionLines) || !skipLines(3))
        return "";
    return reader.next().value_or("");
}

} // namespace quiz
