#pragma once

#include <functional>
#include <optional>
#include <string>

namespace quiz
{

// What the "Phone voting..." entry of the office's Talvix menu does: the
// controller serving phones writes its presenter page's address as one line
// to "talvix_presenter_url" in the folder of its socket while it serves.
// When the controller answers and that file holds an address, the page is
// opened; otherwise "tlxctrl --serve 8080" is started in the presentation's
// folder and the address is waited for (docs/impress-night.md).
struct PhoneVotingPlatform {
    std::function<bool()> controllerAnswers;
    // The file's text; nullopt when there is no file.
    std::function<std::optional<std::string>()> presenterFile;
    // Starts the controller serving on the port; false with why when it cannot.
    std::function<bool(int port, std::string &why)> startServing;
    std::function<bool(const std::string &address)> openAddress;
    std::function<void(int ms)> waitMs;
    std::function<void(const std::string &text)> tell;
};

inline constexpr int kPhoneVotingPort = 8080;
inline constexpr int kPhoneVotingWaitMs = 8000;
inline constexpr const char *kPresenterUrlFile = "talvix_presenter_url";

// The file's address: its first line, trimmed, when it is an http or https
// address without blanks or control characters; "" otherwise.
std::string presenterAddressOf(const std::string &fileText);

// The file beside the controller's socket.
std::string presenterUrlPath(const std::string &socketPath);

// Opens the presenter page, starting the controller when needed; every
// failure is told. The run's exit code: 0 when the page was opened.
int OpenPhoneVoting(const PhoneVotingPlatform &platform, int waitMs = kPhoneVotingWaitMs);

} // namespace quiz
