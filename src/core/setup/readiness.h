#pragma once

#include <cstdint>
#include <string>

namespace quiz
{

// Whether the wizard's quiz can be saved, and how its main button shows it.
struct Readiness {
    bool ready = false;
    std::string toolTip;      // the reasons when not ready, joined by ", "
    std::string caption;      // of cmd_main(0)
    std::uint32_t colour = 0; // blue-green-red background
};

inline constexpr std::uint32_t kReadyColour = 0x00FF00;    // green
inline constexpr std::uint32_t kNotReadyColour = 0x0000FF; // red

Readiness CheckFinished(bool displaySet, bool hasVotes);

// The not-ready message: the tool tip with each ", " on a line of its own.
std::string notReadyMessage(const std::string &toolTip);

} // namespace quiz
