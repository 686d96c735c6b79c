#pragma once

// Stand-ins for the ports the controller link talks through, driven by tests.

#include "fakes/fakedialogs.h"
#include "ports/controllerchannel.h"
#include "ports/eventpump.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace quiz::test
{

// A pump with its own clock: waiting moves the clock and lets the test's
// "meanwhile" run, as the message loop would deliver the controller's texts.
class FakePump : public EventPump
{
  public:
    void processEvents() override
    {
        ++yields;
        if (meanwhile)
            meanwhile();
    }
    void waitMs(int milliseconds) override
    {
        now += milliseconds;
        processEvents();
    }
    long long nowMs() override { return now; }

    long long now = 0;
    int yields = 0;
    std::function<void()> meanwhile;
};

class FakeChannel : public ControllerChannel
{
  public:
    bool controllerRunning() override { return running; }
    bool open() override
    {
        ++opens;
        return running && answers;
    }
    SendResult send(const std::string &command) override
    {
        sent.push_back(command);
        if (const auto forced = takeFirst(results))
            return *forced;
        if (!running || !answers)
            return SendResult::Failed;
        if (onCommand)
            onCommand(command);
        return SendResult::Delivered;
    }
    void setTextHandler(std::function<void(const std::string &)> h) override { handler = std::move(h); }
    bool startController(const std::string &programPath, const std::string &workingFolder) override
    {
        started.push_back(programPath);
        startedIn.push_back(workingFolder);
        if (startWorks)
            startPending = true;
        return startWorks;
    }
    // The controller "sends" a text.
    void deliver(const std::string &text)
    {
        if (handler)
            handler(text);
    }

    bool running = true; // a controller accepts connections
    bool answers = true; // it accepts the link
    bool startWorks = true;
    bool startPending = false;
    std::deque<SendResult> results; // forced results of the next sends
    std::function<void(const std::string &)> onCommand;
    std::function<void(const std::string &)> handler;
    std::vector<std::string> sent;
    std::vector<std::string> started;
    std::vector<std::string> startedIn;
    int opens = 0;
};

} // namespace quiz::test
