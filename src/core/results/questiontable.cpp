#include "core/results/questiontable.h"

#include <algorithm>

#include "core/common/fileutil.h"
#include "core/common/text.h"
#include "core/common/writeformat.h"
#include "core/quiz/correctanswer.h"
#include "core/startup/runstring.h"
#include "ports/presentationhost.h"

namespace quiz
{

namespace
{

const std::string one = "1";

void skip(ItemReader &reader, long long count)
{
    for (long long i = 0; i < count && !reader.atEnd(); ++i)
        reader.next();
}

int intItem(ItemReader &reader)
{
    return leadingInt(reader.next().value_or(""));
}

std::optional<std::string> weightingsItem(const std::string &path)
{
    ItemReader reader = ItemReader::fromFile(path);
    while (const auto item = reader.next())
        if (*item == "QUESTION WEIGHTINGS")
            return reader.next().value_or("");
    return std::nullopt;
}

} // namespace

const std::string &QuestionInfo::weighting(int option) const
{
    return option >= 0 && option < static_cast<int>(weightings.size()) ? weightings[option] : one;
}

std::optional<QuestionInfo> LoadQuestionFile(const std::string &path, const std::string &presentationFolder)
{
    const std::size_t slash = path.find_last_of("\\/");
    std::string file = slash != std::string::npos ? resolvePath(path) : resolveFile(presentationFolder, path);
    // A folder written on another machine: the file beside the presentation.
    if (slash != std::string::npos && !FileExists(file))
        file = resolveFile(presentationFolder, path.substr(slash + 1));
    if (!FileExists(file))
        return std::nullopt;

    QuestionInfo q;
    ItemReader reader = ItemReader::fromFile(file);
    std::string header[9];
    for (std::string &item : header)
        item = reader.next().value_or("");
    const int version = leadingInt(header[0]);
    q.optionCount = leadingInt(header[1]);
    q.typeCode = header[2];
    const int type = leadingInt(header[2]);
    const int mode = leadingInt(header[7]);
    const long long older = version < 2 ? 2 : 0;
    const long long c = q.optionCount;

    if (type == 7) {
        q.voteType = "RANK";
        q.itemCount = intItem(reader);
        skip(reader, 4LL * q.itemCount + 15 - older);
        q.firstOption = intItem(reader);
    } else if (mode == 2 || type != 6) {
        q.voteType = mode == 2 ? "SERIES" : header[5];
        q.itemCount = 1;
        // Option lines: text, colour, reserved.
        // A count beyond what the file holds stops at its end.
        for (long long o = 0; o < c && !reader.atEnd(); ++o) {
            q.optionTexts.push_back(reader.next().value_or(""));
            skip(reader, 2);
        }
        skip(reader, 19 - older);
        q.firstOption = intItem(reader);
        if (mode == 2) {
            skip(reader, 2);
            q.itemCount = intItem(reader);
        }
    } else {
        q.voteType = "TEXT";
        q.itemCount = 1;
        skip(reader, 2 * c + 20 - older);
        q.firstOption = intItem(reader);
    }

    const bool rankOrSeries = type == 7 || mode == 2;
    std::optional<std::string> list;
    if (!rankOrSeries) {
        q.correctAnswers = ReadCorrectAnswer(file);
        list = weightingsItem(file);
    }
    if (list)
        q.weightings = split(*list, ",");
    else
        // Options past the table weigh "1" all the same (weighting()), so a
        // count read from a broken file cannot make it huge.
        q.weightings.assign(static_cast<size_t>(std::clamp(
                                static_cast<long long>(q.firstOption) + q.optionCount, 0LL, 256LL)),
                            one);
    q.name = path.substr(slash + 1);
    return q;
}

std::vector<QuestionInfo> LoadVotingSlides(PresentationHost &host, const std::string &presentationFolder,
                                           const std::function<void(const std::string &)> &caption)
{
    std::vector<QuestionInfo> table;
    caption("Checking for voting slides");
    int count = 0;
    try {
        count = host.slideCount();
    } catch (const HostError &) {
    }
    for (int i = 1; i <= count; ++i) {
        caption("Checking slide " + std::to_string(i) + " of " + std::to_string(count));
        HostSlide slide;
        try {
            slide = host.slide(i);
        } catch (const HostError &) {
            continue;
        }
        for (const HostShape &shape : slide.shapes) {
            if (toUpper(shape.name) != "VOTE")
                continue;
            const std::string file = quizFileOfRunString(shape.runString);
            if (!endsWith(toUpper(file), ".TLX"))
                continue;
            // The tag moves from the shape to the slide; a presentation where
            // it already moved is left as it is (no change asked of the host).
            try {
                if (findIgnoringCase(shape.tags, "QuiztlxName"))
                    host.deleteShapeTag(i, shape.name, "QuiztlxName");
            } catch (const HostError &) {
            }
            try {
                const std::string *tag = findIgnoringCase(slide.tags, "QuiztlxName");
                if (!tag || *tag != file)
                    host.setSlideTag(i, "QuiztlxName", file);
            } catch (const HostError &) {
            }
            table.emplace_back();
            if (auto q = LoadQuestionFile(file, presentationFolder)) {
                table.back() = std::move(*q);
                break;
            }
        }
    }
    return table;
}

} // namespace quiz
