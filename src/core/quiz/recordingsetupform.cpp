#include "core/quiz/recordingsetupform.h"

#include "core/common/text.h"

#include <algorithm>

namespace quiz
{

void RecordingSetupForm::removeFromAvailableList(const std::string &name)
{
    std::erase_if(available, [&](const std::string &entry) { return iequals(entry, name); });
}

} // namespace quiz
