#include "qtsupport/trace.h"

#include <cstdio>
#include <utility>

namespace quiz
{

namespace
{
std::optional<std::string> &traceTarget()
{
    static std::optional<std::string> target;
    return target;
}
} // namespace

void setTraceTarget(std::optional<std::string> target)
{
    traceTarget() = std::move(target);
}

bool traceOn()
{
    return traceTarget().has_value();
}

void trace(const std::string &line)
{
    if (!traceOn())
        return;
    const std::string &target = *traceTarget();
    if (target.empty() || target[0] != '/') {
        std::fprintf(stderr, "quiz: %s\n", line.c_str());
        return;
    }
    if (std::FILE *file = std::fopen(target.c_str(), "a")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

} // namespace quiz
