#pragma once

#include "ports/dialogs.h"

#include <functional>
#include <optional>
#include <string>

namespace quiz
{

// The questions before a file is saved over whatever stands at its path: the
// name asked for, a refused name asked again, an existing file replaced only
// when the user says so, a file that cannot be replaced refused. Each save
// of the program (a quiz set-up, the quiz results, the results table) fills
// one with its own titles and texts.
struct SaveQuestions {
    // The save dialog: the typed name, nullopt or "" when cancelled.
    std::function<std::optional<std::string>()> askName;
    // The path a name stands for, or nullopt when the name is refused (the
    // function has said why) and asked for again. Empty: the name is the path.
    std::function<std::optional<std::string>(const std::string &name)> pathFor;
    // An existing file is found ignoring case (a save that replaces it then
    // removes the file of another case).
    bool ignoreCase = false;
    // Whether an existing file needs the question. Empty: every one does.
    std::function<bool(const std::string &path)> askBeforeReplacing;
    std::function<std::string(const std::string &path)> replaceText;
    std::string replaceTitle;
    MessageButtons replaceButtons = MessageButtons::YesNo;
    bool noAsksAgain = true; // No asks for another name; else it cancels
    // After Yes: a file this says cannot be replaced is refused with the message.
    std::function<bool(const std::string &path)> cannotReplace;
    std::string refusalText, refusalTitle;
    MessageIcon refusalIcon = MessageIcon::Exclamation;
};

enum class SaveChoice { Chosen, Cancelled, Refused };

struct ChosenSave {
    SaveChoice choice = SaveChoice::Cancelled;
    std::string path; // with Chosen
};

// Asks the questions until a path is chosen, the user cancels or a file is
// refused.
ChosenSave chooseSaveFile(const SaveQuestions &questions, Dialogs &dialogs);

} // namespace quiz
