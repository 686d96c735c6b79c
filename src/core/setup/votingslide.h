#pragma once

#include "core/quiz/votingquestion.h"

#include <string>

namespace quiz
{

struct RunContext;

// The slide the question editor works on and its question file.
struct VotingSlide {
    int slideIndex = 0; // 1-based
    std::string slideTitle;
    bool slideHasText = false;   // the slide's body holds text
    std::string questionFile;    // the file's name in the data folder
    bool existing = false;       // the slide's VOTE shape (or tag) names the file already
    bool shapeNamesFile = false; // its VOTE shape's run string does: the shape is left as it is
    VotingQuestion question;     // what the editor starts from
};

// The slide selected in the presentation program's window and its question: the file its "VOTE" shape's run
// string names (else its "QuiztlxName" tag), read when it exists; else a new file named after the slide
// (NewQuestionFileName), its question titled as the slide, four options. mustExist (the editor opened to
// change a question): a slide without one is told so and the run ends. A question file of another kind, or a
// failure of the presentation program, is told and ends the run.
VotingSlide FindVotingSlide(RunContext &ctx, bool mustExist);

// Saves the question: written whole or not at all (a read-only or unwritable
// file is told and nothing changes; false, the editor stays open); then the
// slide gets its "VOTE" shape naming the file (one that names it already is left
// as it is) and, when it has no text, the
// question and numbered options as its text; "FindVoteSlides" then lists the
// slide. A failure of the presentation program after the file was written is
// told; true either way.
bool SaveVotingQuestion(RunContext &ctx, const VotingSlide &slide, const VotingQuestion &question);

// The program a VOTE shape names: the controller in the add-in folder.
std::string VoteShapeProgram(const RunContext &ctx);

} // namespace quiz
