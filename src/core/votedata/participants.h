#pragma once

#include "core/votedata/participant.h"

#include <string>
#include <vector>

namespace quiz
{

// The record the table holds before a load: name "1", keypad 1, weighting 1.
Participant defaultParticipant();

// Orders the records by keypad with neighbour swaps; a record with keypad 0
// is never moved ahead of the one before it.
void SortParticipants(std::vector<Participant> &participants);

// The name of the first record with this keypad, the last record excepted
// (it is the end-marker line of a reply that ends with CR LF); otherwise the
// keypad number as text.
std::string GetParticipantName(const std::vector<Participant> &participants, int keypad);

} // namespace quiz
