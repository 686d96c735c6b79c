#pragma once

#include <functional>
#include <string>

namespace quiz
{

// What became of one command handed to the controller.
enum class SendResult {
    Delivered,
    Refused, // the controller is there but will not take the command
    Failed,  // the link is broken or was never made
};

// The transport to the voting controller: commands one way, the linked
// item's text the other.
class ControllerChannel
{
  public:
    virtual ~ControllerChannel() = default;

    // True when a controller accepts connections (its "window exists").
    virtual bool controllerRunning() = 0;
    // Opens (or re-opens) the link; false when no controller answers.
    virtual bool open() = 0;
    // Sends one command.
    virtual SendResult send(const std::string &command) = 0;
    // Called with each new text the controller sends; each text replaces the
    // previous one, as the linked item's value does.
    virtual void setTextHandler(std::function<void(const std::string &)> handler) = 0;
    // Starts the controller program, minimised, in workingFolder (the
    // program's own current folder when ""); false when it could not start.
    virtual bool startController(const std::string &programPath, const std::string &workingFolder = {}) = 0;
};

} // namespace quiz
