#pragma once

namespace quiz
{

class InstanceGuard;
class EventPump;

inline constexpr int claimWaitLimitMs = 1000;
inline constexpr int claimRetryMs = 50;

// Start-up's single-instance step: when another instance runs, this one
// takes the title "Quiz2" and, for as long as the other still answers and
// less than a second has passed, asks it to close "Quiz" and looks again,
// keeping the event loop running. Then the title becomes "Quiz". Returns
// true when no other instance is left. Listening is left to the caller.
bool claimSingleInstance(InstanceGuard &guard, EventPump &pump);

} // namespace quiz
