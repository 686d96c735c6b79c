#pragma once

#include "core/startup/quizstate.h"

namespace quiz
{

class ControllerLink;
class EventPump;

// How long LoadParticipants waits for the controller's names list.
inline constexpr int participantsWaitMs = 8000;

// Asks the controller for its names list and fills state.participants,
// keeping the interface alive while it waits (at most 8 seconds). Without an
// answer the table keeps what the link parsed so far, at least the default
// record. More than one record are sorted by keypad. True when the whole
// names list arrived.
bool LoadParticipants(QuizState &state, ControllerLink &link, EventPump &pump);

} // namespace quiz
