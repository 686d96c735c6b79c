#include "core/controller/controllerlink.h"

#include "core/common/runend.h"
#include "core/controller/namesreply.h"
#include "ports/controllerchannel.h"
#include "ports/dialogs.h"
#include "ports/eventpump.h"

namespace quiz
{

ControllerLink::ControllerLink(QuizState &state, ControllerChannel &channel, EventPump &pump,
                               Dialogs &dialogs, std::function<void()> quit)
    : state_(state), channel_(channel), pump_(pump), dialogs_(dialogs), quit_(std::move(quit))
{
}

void ControllerLink::load()
{
    if (loaded_)
        return;
    loaded_ = true;
    channel_.setTextHandler([this](const std::string &text) { setReceivedText(text); });
    ResetLink();
    txtData_.clear();
}

void ControllerLink::ResetLink()
{
    if (!loaded_) {
        load();
        return;
    }
    // While the run is ending (QuitQuiz may still talk to the controller),
    // a broken link is not mended again.
    if (ending_)
        return;
    for (;;) {
        if (channel_.open() && channel_.send("CheckLink") == SendResult::Delivered)
            return;
        if (channel_.controllerRunning())
            noLink();
        if (!startAndWait())
            noLink();
    }
}

bool ControllerLink::startAndWait()
{
    if (!channel_.startController(state_.addinFolder + programName, state_.dataFolder))
        return false;
    for (waitCounter_ = 0; waitCounter_ <= startYields - 1; ++waitCounter_)
        pump_.processEvents();
    const long long until = pump_.nowMs() + startWaitLimitMs;
    while (!channel_.controllerRunning()) {
        if (pump_.nowMs() >= until)
            return false;
        pump_.waitMs(startWaitStepMs);
    }
    return true;
}

void ControllerLink::noLink()
{
    ending_ = true;
    dialogs_.message("No link with voting control utility", "talvixmatrix", MessageIcon::Critical);
    if (quit_)
        quit_();
    endRun(1, "no link with the voting controller");
}

void ControllerLink::SendCommandtoController(const std::string &command)
{
    load();
    waitCounter_ = 0;
    const SendResult result = channel_.send(command);
    if (result == SendResult::Failed)
        ResetLink();
}

void ControllerLink::txt_data_Change()
{
    load();
    if (txtData_.empty())
        return;
    if (isStatusBlock(txtData_)) {
        parseStatusBlock(txtData_); // recognised; none of its fields is used
        return;
    }
    if (auto records = parseNamesReply(txtData_))
        state_.participants = std::move(*records);
}

const std::string &ControllerLink::receivedText()
{
    load();
    return txtData_;
}

void ControllerLink::clearReceivedText()
{
    load();
    txtData_.clear();
}

void ControllerLink::setReceivedText(const std::string &text)
{
    txtData_ = text;
    txt_data_Change();
}

} // namespace quiz
