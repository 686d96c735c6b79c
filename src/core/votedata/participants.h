#pragma once

#include "core/startup/quizstate.h"

#include <string>
#include <vector>

namespace quiz
{

class ControllerLink;
class EventPump;

// How long LoadParticipants waits for the controller's names list.
inline constexpr int participantsWaitMs = 8000;

// The record the table holds before a load: name "1", keypad 1, weighting 1.
Participant defaultParticipant();

// Asks the controller for its names list and fills state.participants,
// keeping the interface alive while it waits (at most 8 seconds). Without an
// answer the table keeps what the link parsed so far, at least the default
// record. More than one record are sorted by keypad. True when the whole
// names list arrived.
bool LoadParticipants(QuizState &state, ControllerLink &link, EventPump &pump);

// Orders the records by keypad with neighbour swaps; a record with keypad 0
// is never moved ahead of the one before it.
void SortParticipants(std::vector<Participant> &participants);

// The name of the first record with this keypad, the last record excepted
// (it is the end-marker line of a reply that ends with CR LF); otherwise the
// keypad number as text.
std::string GetParticipantName(const std::vector<Participant> &participants, int keypad);

} // namespace quiz
