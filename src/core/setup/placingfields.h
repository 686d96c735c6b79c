#pragma once

#include <string>

namespace quiz
{

class Dialogs;

// The placing fields of the set-up form: the first place shown (S,
// txt_KeypadsStartFrom) and the last (E, Text1).

// A field's text after a change: a text that is not a number is cleared, a
// negative number loses its sign. The wizard's places box follows the same rule.
std::string cleanPlacingText(const std::string &text);

// At most this many places are shown.
inline constexpr int kMaxPlacesShown = 99;
inline constexpr const char *kTooManyPlacesMessage = "Maximium of 99 keypads may be displayed";
inline constexpr const char *kTooManyPlacesTitle = "Quiz setup";

// Both fields after one of them lost the focus, with the display count and
// first place they give.
struct Placings {
    std::string first;    // S
    std::string last;     // E
    bool tooMany = false; // the 99-places message is due
    int displayCount() const;
    int firstPlace() const;
};

// Text1 lost the focus: more than 99 places make E = S + 98; otherwise E
// below S makes E = S + 5.
Placings lastPlacingLeft(const std::string &first, const std::string &last);
// txt_KeypadsStartFrom lost the focus: more than 99 places make S = E - 98;
// otherwise S above E makes S = E - 5, or 1 when that is not above 0.
Placings firstPlacingLeft(const std::string &first, const std::string &last);

// Tells the user about the 99-places limit when due.
void tellTooManyPlaces(const Placings &placings, Dialogs &dialogs);

// The wizard's places box lost the focus: above 99 it becomes "1".
std::string placesBoxLeft(const std::string &text);

} // namespace quiz
