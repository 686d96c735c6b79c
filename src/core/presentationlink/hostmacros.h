#pragma once

#include <string>
#include <vector>

namespace quiz
{

// The add-in's macros that a presentation host carries out itself when the
// program runs them (PresentationHost::runMacro). Every host knows the same
// names; each does the work its own way.
class HostMacros
{
  public:
    virtual ~HostMacros() = default;
    virtual void findVoteSlides() = 0;                                     // "FindVoteSlides"
    virtual void startShowEdit(const std::vector<std::string> &args) = 0;  // "StartShowEdit"
    virtual void endShowEdit() = 0;                                        // "EndShowEdit"
    virtual void addVoteToSlide(const std::vector<std::string> &args) = 0; // "AddVoteToSlide"
};

// Runs the macro of that name: "AddVoteToSlide" is also known as
// "addVoteToSlide", and "Brevak" does nothing (the add-in takes over from
// there). False when no macro has the name; the host then fails as the
// presentation program does ("Macro NAME cannot be found.").
bool runHostMacro(HostMacros &macros, const std::string &name, const std::vector<std::string> &args);

} // namespace quiz
