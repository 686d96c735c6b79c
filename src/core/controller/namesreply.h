#pragma once

#include "core/votedata/participant.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quiz
{

// The controller's texts on the link: its answer to "GetNames" and its status block.
inline constexpr std::string_view endOfNamesMarker = "EndListOfNames";

// True for the controller's status block (lines key=value naming "baseType"
// or "max_kpads").
bool isStatusBlock(std::string_view text);
// The status block's lines split at the first "="; the program uses none of them.
std::map<std::string, std::string> parseStatusBlock(std::string_view text);

// The participant records of a names list: lines separated by CR LF, line 0
// a heading, the last line the end marker, each line between them
// "keypad,name,weighting". nullopt when the text is not a complete names list
// (empty, a status block, no end marker, or no line between the heading and
// the last line), in which case the table is left as it is.
std::optional<std::vector<Participant>> parseNamesReply(std::string_view text);

} // namespace quiz
