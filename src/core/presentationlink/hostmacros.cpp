#include "core/presentationlink/hostmacros.h"

namespace quiz
{

bool runHostMacro(HostMacros &macros, const std::string &name, const std::vector<std::string> &args)
{
    if (name == "FindVoteSlides")
        macros.findVoteSlides();
    else if (name == "StartShowEdit")
        macros.startShowEdit(args);
    else if (name == "EndShowEdit")
        macros.endShowEdit();
    else if (name == "AddVoteToSlide" || name == "addVoteToSlide")
        macros.addVoteToSlide(args);
    else if (name != "Brevak")
        return false;
    return true;
}

} // namespace quiz
