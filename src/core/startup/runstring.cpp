#include "core/startup/runstring.h"

#include "core/common/text.h"
#include "core/startup/commandline.h"

namespace quiz
{

std::string commandTextOfRunString(const std::string &run)
{
    size_t start = 0;
    const size_t exe = toLower(run).find(".exe");
    if (exe != std::string::npos) {
        start = exe + 5;
    } else {
        size_t programEnd = 0;
        if (!run.empty() && run[0] == '"') {
            const size_t close = run.find('"', 1);
            programEnd = close == std::string::npos ? run.size() : close + 1;
        }
        const size_t blank = run.find(' ', programEnd);
        if (blank == std::string::npos)
            return {};
        start = blank + 1;
    }
    return start < run.size() ? run.substr(start) : std::string();
}

std::string quizFileOfRunString(const std::string &run)
{
    return ParseCommandLine(commandTextOfRunString(run), {}).quizFileName;
}

} // namespace quiz
