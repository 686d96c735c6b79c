#include "core/common/runend.h"

namespace quiz
{

namespace
{
std::optional<RunEnded> &latch()
{
    static std::optional<RunEnded> end;
    return end;
}
} // namespace

void latchRunEnd(const RunEnded &end)
{
    if (!latch())
        latch() = end;
}

std::optional<RunEnded> latchedRunEnd()
{
    return latch();
}

void rethrowLatchedRunEnd()
{
    if (latch())
        throw *latch();
}

void clearLatchedRunEnd()
{
    latch().reset();
}

} // namespace quiz
