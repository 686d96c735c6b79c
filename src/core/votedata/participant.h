#pragma once

#include <cstdint>
#include <string>

namespace quiz
{

// One participant of the names list: a name, the keypad and its weighting.
struct Participant {
    std::string name;
    std::int32_t keypad = 0;
    std::int32_t weighting = 0;
    bool operator==(const Participant &) const = default;
};

} // namespace quiz
