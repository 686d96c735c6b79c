#include "adapters/xlsx/xmltext.h"

#include <charconv>
#include <cmath>

namespace quiz
{

namespace
{

bool isHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// "_x0041_" in a cell is read back as "A".
bool startsEscape(std::string_view text, std::size_t at)
{
    return at + 7 <= text.size() && text[at + 1] == 'x' && isHex(text[at + 2]) && isHex(text[at + 3]) &&
           isHex(text[at + 4]) && isHex(text[at + 5]) && text[at + 6] == '_';
}

void appendEscape(std::string &out, unsigned char c)
{
    static const char digits[] = "0123456789ABCDEF";
    out += "_x00";
    out += digits[c >> 4];
    out += digits[c & 15];
    out += '_';
}

} // namespace

void appendXmlText(std::string &out, std::string_view text)
{
    std::size_t plain = 0; // start of the run not yet appended
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const bool special = c == '&' || c == '<' || c == '>' || c == '"' ||
                             (c < 0x20 && c != '\t' && c != '\n') || (c == '_' && startsEscape(text, i));
        if (!special)
            continue;
        out.append(text.substr(plain, i - plain));
        plain = i + 1;
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\r': // a reader turns a plain carriage return into a line feed
            out += "&#13;";
            break;
        default:
            appendEscape(out, c);
        }
    }
    out.append(text.substr(plain));
}

void appendNumber(std::string &out, double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void appendNumber(std::string &out, long long value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

} // namespace quiz
