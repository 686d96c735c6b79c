#include "core/controller/loadparticipants.h"

#include "core/common/text.h"
#include "core/controller/controllerlink.h"
#include "core/controller/namesreply.h"
#include "core/votedata/participants.h"
#include "ports/eventpump.h"

namespace quiz
{

namespace
{
// The reply usually comes within a millisecond: look for it often.
constexpr int waitStepMs = 2;
} // namespace

bool LoadParticipants(QuizState &state, ControllerLink &link, EventPump &pump)
{
    state.participants = {defaultParticipant()};
    link.clearReceivedText();
    link.SendCommandtoController("GetNames");
    const long long until = pump.nowMs() + participantsWaitMs;
    while (!contains(link.receivedText(), endOfNamesMarker) && pump.nowMs() < until)
        pump.waitMs(waitStepMs);
    const bool arrived = contains(link.receivedText(), endOfNamesMarker);
    link.txt_data_Change();
    if (state.participants.size() > 1)
        SortParticipants(state.participants);
    return arrived;
}

} // namespace quiz
