#pragma once

#include <string>
#include <string_view>

namespace quiz
{

// The "Please Wait" window's moving caption: the message between two margins
// of six characters, each holding one "|". Every tick moves both bars one
// place, towards the message and back out again, mirrored on both sides.
class ProgressCaption
{
  public:
    static constexpr std::size_t marginWidth = 6;

    // The caption with the bars at the outer edges: "|     " + message + "     |".
    static std::string starting(std::string_view message);

    // One tick (tmr_Animate): the next caption after this one.
    std::string step(std::string_view caption);
    bool movingInwards() const { return inwards_; }

  private:
    bool inwards_ = false; // outwards until the bars first reach the edges
};

} // namespace quiz
