#pragma once

namespace quiz
{

// Keeps the user interface alive during long work and waits.
class EventPump
{
  public:
    virtual ~EventPump() = default;
    virtual void processEvents() = 0;          // one yield to the message loop
    virtual void waitMs(int milliseconds) = 0; // wait, yielding all the while
    virtual long long nowMs() = 0;             // a monotonic clock
};

} // namespace quiz
