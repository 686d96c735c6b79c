#include "support/xvfb.h"

#include <poll.h>
#include <unistd.h>

namespace quiz::test
{

Xvfb::Xvfb(int width, int height)
{
    int fds[2];
    if (pipe(fds) != 0)
        return;
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    server_ = std::make_unique<Child>(std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]),
                                                               "-screen", "0", screen, "-nolisten", "tcp",
                                                               "-noreset"});
    close(fds[1]);
    // The server writes its display number and a newline once it accepts clients.
    std::string number;
    pollfd wait{fds[0], POLLIN, 0};
    for (char c; poll(&wait, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n';)
        number += c;
    close(fds[0]);
    if (!number.empty())
        display_ = ":" + number;
}

} // namespace quiz::test
