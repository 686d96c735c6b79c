#pragma once

#include <functional>
#include <string>

namespace quiz {

// The transport to the voting controller: commands one way, the linked
// item's text the other.
class ControllerChannel {
public:
    virtual ~ControllerChannel() = default;

    // True when a controller accepts connections (its "window exists").
    virtual bool controllerRunning() = 0;
    // Opens (or re-opens) the link; false when no controller answers.
    virtual bool open() = 0;
    // Sends one command; false when it could not be delivered.
    virtual bool send(const std::string &command) = 0;
    // Called with each new text the controller sends.
    virtual void setTextHandler(std::function<void(const std::string &)> handler) = 0;
    // Starts the controller program, minimised; false when it could not start.
    virtual bool startController(const std::string &programPath) = 0;
};

} // namespace quiz
