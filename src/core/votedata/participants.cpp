#include "core/votedata/participants.h"

#include <utility>

namespace quiz
{

Participant defaultParticipant()
{
    return Participant{"1", 1, 1};
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
