#pragma once

#include "core/votedata/participant.h"
#include "core/workbook/workbook.h"

#include <vector>

namespace quiz
{

// The participant list's workbook file, in the data folder.
inline constexpr const char *participantWorkbookName = "talvix Participant list.xls";
// A names file of older controllers, removed before a list is laid out.
inline constexpr const char *oldNamesFileName = "names.txt";

// The records the participant workbook lists: the table as loaded, without
// a last record made from the end-marker line of a reply that ends with
// CR LF (keypad 0, no name, weighting 0), which is no participant.
std::vector<Participant> listedParticipants(const std::vector<Participant> &participants);

// The participant workbook for a freshly loaded table: one sheet, headings
// "Keypad", "Name", "Weighting" in row 1; with no participant beyond the
// default record (or none at all) ten placeholder rows (keypad 1..10, name = keypad,
// weighting 1), else one row per record in table order. Keypad and weighting
// are written as text; columns A:Z fitted to their contents; A1 selected.
Workbook participantWorkbook(const std::vector<Participant> &participants);

} // namespace quiz
