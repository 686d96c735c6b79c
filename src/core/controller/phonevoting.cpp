#include "core/controller/phonevoting.h"

#include "core/common/text.h"

namespace quiz
{

namespace
{

constexpr int kPollMs = 100;

} // namespace

std::string presenterAddressOf(const std::string &fileText)
{
    const std::string line = trim(fileText.substr(0, fileText.find_first_of("\r\n")));
    const std::string lower = toLower(line);
    const bool web = (lower.rfind("http://", 0) == 0 && line.size() > 7) ||
                     (lower.rfind("https://", 0) == 0 && line.size() > 8);
    if (!web)
        return "";
    for (const unsigned char c : line)
        if (c <= ' ' || c == 0x7f)
            return "";
    return line;
}

std::string presenterUrlPath(const std::string &socketPath)
{
    const auto slash = socketPath.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : socketPath.substr(0, slash);
    return (folder == "/" ? folder : folder + "/") + kPresenterUrlFile;
}

int OpenPhoneVoting(const PhoneVotingPlatform &p, int waitMs)
{
    const auto address = [&p]() -> std::string {
        const auto text = p.presenterFile();
        return text ? presenterAddressOf(*text) : "";
    };
    const auto open = [&p](const std::string &page) {
        if (p.openAddress(page))
            return 0;
        p.tell("The presenter page " + page + " could not be opened in the desktop's browser.");
        return 1;
    };
    if (p.controllerAnswers()) {
        if (const std::string page = address(); !page.empty())
            return open(page);
    }
    std::string why;
    if (!p.startServing(kPhoneVotingPort, why)) {
        p.tell("The talvix controller could not be started to serve phones: " + why);
        return 1;
    }
    // A file left by a controller that did not end cleanly is not taken:
    // the page is there once the started controller answers.
    for (int waited = 0; waited <= waitMs; waited += kPollMs) {
        if (const std::string page = p.controllerAnswers() ? address() : ""; !page.empty())
            return open(page);
        p.waitMs(kPollMs);
    }
    p.tell("The talvix controller did not say where its presenter page is within " +
           std::to_string(waitMs / 1000) + " seconds.");
    return 1;
}

} // namespace quiz
