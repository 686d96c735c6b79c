#include "core/common/workthreads.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace quiz
{

namespace
{
std::atomic<unsigned> chosen{0};
}

unsigned workThreadCount()
{
    const unsigned count = chosen.load();
    return std::clamp(count ? count : std::thread::hardware_concurrency(), 1u, 2u);
}

void setWorkThreadCount(unsigned count)
{
    chosen.store(count);
}

} // namespace quiz
