#include "core/setup/readiness.h"

#include "core/common/text.h"

namespace quiz
{

Readiness CheckFinished(bool displaySet, bool hasVotes)
{
    Readiness r;
    r.ready = true;
    if (!displaySet) {
        r.toolTip = "You need to set the display layout";
        r.ready = false;
    }
    if (!hasVotes) {
        r.toolTip += ", You need to add some votes to the quiz";
        r.ready = false;
    }
    if (!r.toolTip.empty() && r.toolTip[0] == ',')
        r.toolTip = r.toolTip.substr(2);
    r.caption = r.ready ? "&Save && Go" : "Not Ready - click for more information";
    r.colour = r.ready ? kReadyColour : kNotReadyColour;
    return r;
}

std::string notReadyMessage(const std::string &toolTip)
{
    return replaceAll(toolTip, ", ", "\r\n");
}

} // namespace quiz
