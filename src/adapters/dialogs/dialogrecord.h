#pragma once

#include "ports/dialogs.h"

#include <optional>
#include <string>

namespace quiz
{

// One dialog as the scripted dialogs log it. The kinds are message, input,
// save, open, font and print.
struct DialogRecord {
    std::string kind;
    std::string title;
    std::string text;          // the prompt or message; "" for file, font and print dialogs
    std::string icon = "none"; // none, critical, exclamation, information, question
    std::string buttons;       // ok, okcancel, yesno, yesnocancel; "" for other kinds
    std::string defaultValue;  // the preset text, file name or font; "" when none
    std::string answer;        // in the form of an answer line: OK, text:VALUE, Cancel, ...
    bool operator==(const DialogRecord &) const = default;
};

// {"kind":...,"title":...,"text":...,"icon":...,"buttons":...,"default":...,"answer":...}
// on one line, with JSON escapes.
std::string dialogRecordJson(const DialogRecord &record);
std::string jsonQuoted(const std::string &text);

std::string iconWord(MessageIcon icon);
std::string buttonsWord(MessageButtons buttons);
std::string answerWord(MessageAnswer answer); // OK, Cancel, Yes, No

// The button a message box takes when nothing is pressed: its first one.
MessageAnswer defaultAnswer(MessageButtons buttons);
// The button Escape presses: Cancel where there is one, else No, else OK.
MessageAnswer escapeAnswer(MessageButtons buttons);
bool hasButton(MessageButtons buttons, MessageAnswer answer);

// "font:NAME,SIZE,BOLD,ITALIC,UNDERLINE,STRIKE,COLOUR" without the "font:".
// The name may hold commas: the six numbers are taken from the end.
std::string fontAnswerValue(const FontChoice &font);
std::optional<FontChoice> parseFontAnswerValue(const std::string &value);

} // namespace quiz
