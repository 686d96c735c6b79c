#include "core/setup/placingfields.h"

#include "core/common/text.h"
#include "ports/dialogs.h"

#include <cctype>

namespace quiz
{

namespace
{

// A number as the field accepts it: blanks around, an optional sign, digits
// with at most one decimal point, at least one digit.
bool isNumber(const std::string &text)
{
    const std::string t = trim(text);
    size_t i = 0;
    if (i < t.size() && (t[i] == '-' || t[i] == '+'))
        ++i;
    bool digit = false, point = false;
    for (; i < t.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(t[i])))
            digit = true;
        else if (t[i] == '.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

int value(const std::string &text)
{
    return leadingInt(text);
}

} // namespace

std::string cleanPlacingText(const std::string &text)
{
    if (!isNumber(text))
        return {};
    const std::string t = trim(text);
    if (leadingNumber(t) < 0)
        return t.substr(1);
    return text;
}

int Placings::displayCount() const
{
    return value(last) - value(first) + 1;
}

int Placings::firstPlace() const
{
    return value(first);
}

Placings lastPlacingLeft(const std::string &first, const std::string &last)
{
    Placings p{first, last};
    const int s = value(first), e = value(last);
    if (e - s + 1 > kMaxPlacesShown) {
        p.tooMany = true;
        p.last = std::to_string(s + kMaxPlacesShown - 1);
    } else if (s > e) {
        p.last = std::to_string(s + 5);
    }
    return p;
}

Placings firstPlacingLeft(const std::string &first, const std::string &last)
{
    Placings p{first, last};
    const int s = value(first), e = value(last);
    if (e - s + 1 > kMaxPlacesShown) {
        p.tooMany = true;
        p.first = std::to_string(e - (kMaxPlacesShown - 1));
    } else if (e < s) {
        p.first = e - 5 > 0 ? std::to_string(e - 5) : "1";
    }
    return p;
}

void tellTooManyPlaces(const Placings &placings, Dialogs &dialogs)
{
    if (placings.tooMany)
        dialogs.message(kTooManyPlacesMessage, kTooManyPlacesTitle, MessageIcon::Exclamation,
                        MessageButtons::Ok);
}

std::string placesBoxLeft(const std::string &text)
{
    return value(text) > kMaxPlacesShown ? "1" : text;
}

} // namespace quiz
