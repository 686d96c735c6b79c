#include "core/votedata/participants.h"

#include "core/common/text.h"
#include "core/controller/controllerlink.h"
#include "core/controller/namesreply.h"
#include "ports/eventpump.h"

#include <utility>

namespace quiz
{

namespace
{
// The reply usually comes within a millisecond: look for it often.
constexpr int waitStepMs = 2;
} // namespace

Participant defaultParticipant()
{
    return Participant{"1", 1, 1};
}

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

void SortParticipants(std::vector<Participant> &participants)
{
    if (participants.size() < 2)
        return;
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (std::size_t i = 0; i + 1 < participants.size(); ++i) {
            if (participants[i].keypad > participants[i + 1].keypad && participants[i + 1].keypad != 0) {
                std::swap(participants[i], participants[i + 1]);
                swapped = true;
            }
        }
    }
}

std::string GetParticipantName(const std::vector<Participant> &participants, int keypad)
{
    for (std::size_t i = 0; i + 1 < participants.size(); ++i)
        if (participants[i].keypad == keypad)
            return participants[i].name;
    return std::to_string(keypad);
}

} // namespace quiz
