#include "core/votedata/participantsworkbook.h"

#include "core/votedata/participants.h"
#include "core/workbook/autofit.h"

#include <string>

namespace quiz
{

std::vector<Participant> listedParticipants(const std::vector<Participant> &participants)
{
    std::vector<Participant> listed = participants;
    if (!listed.empty()) {
        const Participant &last = listed.back();
        if (last.keypad == 0 && last.name.empty() && last.weighting == 0)
            listed.pop_back();
    }
    return listed;
}

Workbook participantWorkbook(const std::vector<Participant> &participants)
{
    Workbook book;
    Sheet &sheet = book.addSheet("Sheet1");
    sheet.setText(1, 1, "Keypad");
    sheet.setText(1, 2, "Name");
    sheet.setText(1, 3, "Weighting");
    const auto listed = listedParticipants(participants);
    int row = 2;
    // Only the default record (or nothing) means the controller has no list;
    // a single real participant is still listed.
    if (listed.empty() || (listed.size() == 1 && listed.front() == defaultParticipant())) {
        for (int keypad = 1; keypad <= 10; ++keypad, ++row) {
            sheet.setText(row, 1, std::to_string(keypad));
            sheet.setText(row, 2, std::to_string(keypad));
            sheet.setText(row, 3, "1");
        }
    } else {
        for (const auto &p : listed) {
            sheet.setText(row, 1, std::to_string(p.keypad));
            sheet.setText(row, 2, p.name);
            sheet.setText(row, 3, std::to_string(p.weighting));
            ++row;
        }
    }
    autoFitColumns(sheet, 1, 26);
    sheet.select(1, 1);
    return book;
}

} // namespace quiz
