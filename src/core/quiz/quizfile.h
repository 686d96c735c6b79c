#pragma once

#include "core/quiz/quizsetup.h"

#include <optional>
#include <string>

namespace quiz
{

class Dialogs;

// The quiz set-up file (normally dataFolder + "/quiz.quz").

// What a read of the file found.
struct QuizSetupRead {
    // The start value with what the file holds read over it: a missing file
    // changes nothing; a truncated or malformed file leaves what cannot be
    // read as it was. Question files missing from the data folder are left
    // out of the quiz list.
    QuizSetup setup;
    bool found = false; // the file exists
    // How many of the six records added to the format later (strike-through
    // and underline, weightings, number of top scorers, only top scorers,
    // first place, texts) the file holds: an older file ends before them.
    int laterRecords = 0;
    // The font the set-up's font dialog starts from: the file's; Arial 24 for
    // a team quiz (team.cfg in the data folder) without a set-up file.
    std::optional<FontChoice> fontPreset;
};

// Reads the file (found ignoring case) over start. Never shows anything.
QuizSetupRead ReadQuizSetup(const std::string &path, const std::string &dataFolder,
                            const QuizSetup &start = {});

// Reads the file over the run's set-up values and stores the result in them;
// the quiz list read.
std::vector<std::string> ReadQuizSetupInto(QuizState &state, const std::string &path);

// Saves the set-up. A read-only file gives the message path + " is read only
// - not saving quiz setup" and is not touched. The file is replaced
// atomically: a failure leaves the old file and gives a message. True when
// the file was written.
bool WriteQuizSetup(const QuizSetup &setup, const std::string &path, Dialogs &dialogs);

// The file's content as WriteQuizSetup writes it.
std::string formatQuizSetup(const QuizSetup &setup);

// Title of the writer's messages (the program's own title).
inline constexpr const char *kQuizSetupMessageTitle = "Quiz";

} // namespace quiz
