#pragma once

#include "core/quiz/setupformcontrols.h"
#include "core/startup/quizstate.h"

#include <string>

namespace quiz
{

class Dialogs;

// The quiz set-up file (normally dataFolder + "/quiz.quz").

// Loads the file into the state and the set-up form (form may be null).
// A missing file changes nothing; a truncated or malformed file leaves what
// cannot be read as it was. Question files missing from dataFolder are left
// out of the quiz list. Never shows anything.
void ReadQuizSetup(QuizState &state, const std::string &path, SetupFormControls *form);

// Saves the state and the form's quiz list. A read-only file gives the
// message path + " is read only - not saving quiz setup" and is not touched.
// The file is replaced atomically: a failure leaves the old file and gives a
// message. True when the file was written.
bool WriteQuizSetup(const QuizState &state, const std::string &path, const SetupFormControls &form,
                    Dialogs &dialogs);

// The file's content as WriteQuizSetup writes it.
std::string formatQuizSetup(const QuizState &state, const SetupFormControls &form);

// Title of the writer's messages (the program's own title).
inline constexpr const char *kQuizSetupMessageTitle = "Quiz";

} // namespace quiz
