#include "adapters/dialogs/dialogrecord.h"

#include "core/common/text.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace quiz
{

std::string jsonQuoted(const std::string &text)
{
    std::string out = "\"";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += ch;
            }
        }
    }
    return out + "\"";
}

std::string dialogRecordJson(const DialogRecord &r)
{
    return "{\"kind\":" + jsonQuoted(r.kind) + ",\"title\":" + jsonQuoted(r.title) +
           ",\"text\":" + jsonQuoted(r.text) + ",\"icon\":" + jsonQuoted(r.icon) +
           ",\"buttons\":" + jsonQuoted(r.buttons) + ",\"default\":" + jsonQuoted(r.defaultValue) +
           ",\"answer\":" + jsonQuoted(r.answer) + "}";
}

std::string iconWord(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical:
        return "critical";
    case MessageIcon::Exclamation:
        return "exclamation";
    case MessageIcon::Information:
        return "information";
    case MessageIcon::Question:
        return "question";
    case MessageIcon::None:
        break;
    }
    return "none";
}

std::string buttonsWord(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::OkCancel:
        return "okcancel";
    case MessageButtons::YesNo:
        return "yesno";
    case MessageButtons::YesNoCancel:
        return "yesnocancel";
    case MessageButtons::Ok:
        break;
    }
    return "ok";
}

std::string answerWord(MessageAnswer answer)
{
    switch (answer) {
    case MessageAnswer::Cancel:
        return "Cancel";
    case MessageAnswer::Yes:
        return "Yes";
    case MessageAnswer::No:
        return "No";
    case MessageAnswer::Ok:
        break;
    }
    return "OK";
}

MessageAnswer defaultAnswer(MessageButtons buttons)
{
    return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel ? MessageAnswer::Yes
                                                                                      : MessageAnswer::Ok;
}

MessageAnswer escapeAnswer(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel:
        return MessageAnswer::Cancel;
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    case MessageButtons::Ok:
        break;
    }
    return MessageAnswer::Ok;
}

bool hasButton(MessageButtons buttons, MessageAnswer answer)
{
    switch (answer) {
    case MessageAnswer::Ok:
        return buttons == MessageButtons::Ok || buttons == MessageButtons::OkCancel;
    case MessageAnswer::Cancel:
        return buttons == MessageButtons::OkCancel || buttons == MessageButtons::YesNoCancel;
    case MessageAnswer::Yes:
    case MessageAnswer::No:
        return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel;
    }
    return false;
}

std::string fontAnswerValue(const FontChoice &f)
{
    const auto flag = [](bool b) { return b ? "1" : "0"; };
    return f.name + "," + std::to_string(f.size) + "," + flag(f.bold) + "," + flag(f.italic) + "," +
           flag(f.underline) + "," + flag(f.strikeThrough) + "," + std::to_string(f.colour);
}

namespace
{

bool parseUnsigned(const std::string &text, unsigned long long maximum, unsigned long long &value)
{
    if (text.empty() || text.size() > 10)
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    value = std::strtoull(text.c_str(), nullptr, 10);
    return value <= maximum;
}

bool parseFlag(const std::string &text, bool &flag)
{
    if (text != "0" && text != "1")
        return false;
    flag = text == "1";
    return true;
}

} // namespace

std::optional<FontChoice> parseFontAnswerValue(const std::string &value)
{
    std::vector<std::string> parts = split(value, ",");
    if (parts.size() < 7)
        return std::nullopt;
    // The name is whatever precedes the last six items.
    const size_t numbersFrom = parts.size() - 6;
    FontChoice font;
    font.name = parts[0];
    for (size_t i = 1; i < numbersFrom; ++i)
        font.name += "," + parts[i];
    unsigned long long size = 0, colour = 0;
    if (font.name.empty() || !parseUnsigned(parts[numbersFrom], 4096, size) || size == 0 ||
        !parseFlag(parts[numbersFrom + 1], font.bold) || !parseFlag(parts[numbersFrom + 2], font.italic) ||
        !parseFlag(parts[numbersFrom + 3], font.underline) ||
        !parseFlag(parts[numbersFrom + 4], font.strikeThrough) ||
        !parseUnsigned(parts[numbersFrom + 5], 0xFFFFFF, colour))
        return std::nullopt;
    font.size = static_cast<int>(size);
    font.colour = static_cast<std::uint32_t>(colour);
    return font;
}

} // namespace quiz
