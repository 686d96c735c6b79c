#pragma once

#include "ports/eventpump.h"

#include <QElapsedTimer>

namespace quiz
{

class QtEventPump : public EventPump
{
  public:
    QtEventPump();
    void processEvents() override;
    void waitMs(int milliseconds) override;
    long long nowMs() override;

  private:
    QElapsedTimer clock_;
};

} // namespace quiz
