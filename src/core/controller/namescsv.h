#pragma once

#include "core/votedata/participant.h"

#include <string>
#include <string_view>
#include <vector>

namespace quiz
{

// The controller stand-in's names file: one participant a line,
// "keypad,name,weighting" (CR LF or LF). Blank lines and lines whose first
// field is not a number (a heading) are skipped; fields are trimmed and may
// be in double quotes; a missing or empty weighting is 1; commas inside a name become
// blanks, since the names list cannot carry them.
std::vector<Participant> readNamesCsv(std::string_view text);

// The answer to "GetNames": a first line, one "keypad,name,weighting" line
// per participant and "EndListOfNames", with CR LF between lines.
std::string formatNamesReply(const std::vector<Participant> &participants);

} // namespace quiz
