#include "core/phonevote/phonequestion.h"

#include "core/common/writeformat.h"

namespace quiz
{

const char *phoneQuestionKindName(PhoneQuestionKind kind)
{
    switch (kind) {
    case PhoneQuestionKind::Options:
        return "options";
    case PhoneQuestionKind::Text:
        return "text";
    case PhoneQuestionKind::Series:
        return "series";
    case PhoneQuestionKind::Rank:
        return "rank";
    case PhoneQuestionKind::Unreadable:
        break;
    }
    return "unreadable";
}

PhoneQuestion readPhoneQuestion(const std::string &file, const std::string &content)
{
    PhoneQuestion q;
    q.file = file;
    ItemReader reader(content);
    reader.next(); // version
    const std::optional<int> count = reader.nextInt();
    const std::optional<int> type = reader.nextInt();
    q.title = reader.next().value_or("");
    q.question = reader.next().value_or("");
    reader.next(); // answer style
    reader.next(); // chart style
    const std::optional<int> mode = reader.nextInt();
    reader.restOfLine();
    if (!count || !type || !mode)
        return q;
    if (*type == 7)
        q.kind = PhoneQuestionKind::Rank;
    else if (*mode == 2)
        q.kind = PhoneQuestionKind::Series;
    else if (*type == 6)
        q.kind = PhoneQuestionKind::Text;
    if (q.kind != PhoneQuestionKind::Unreadable) {
        q.options.clear();
        return q;
    }
    if (*count < 1 || *count > 10 || *type < 0 || *type > 14)
        return q;
    for (int i = 0; i < *count; ++i) {
        const std::optional<std::string> text = reader.next();
        if (!text)
            return q;
        q.options.push_back(*text);
        reader.restOfLine();
    }
    reader.restOfLine(); // font
    reader.restOfLine(); // chart
    const std::optional<int> seconds = reader.nextInt();
    const std::optional<bool> on = reader.nextFlag();
    if (!seconds || !on)
        return q;
    q.countdownSeconds = *on && *seconds > 0 ? *seconds : 0;
    q.kind = PhoneQuestionKind::Options;
    return q;
}

} // namespace quiz
