#include "core/controller/presenterurl.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quiz
{

std::string presenterUrlFilePath(const std::string &socketPath)
{
    const std::size_t slash = socketPath.find_last_of('/');
    return (slash == std::string::npos ? std::string(".") : socketPath.substr(0, slash)) + "/" +
           presenterUrlFileName;
}

bool writePrivateFileAtomic(const std::string &path, const std::string &text, std::string *error)
{
    const std::string temp = path + ".tmp" + std::to_string(::getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        *error = "cannot create " + temp + ": " + std::strerror(errno);
        return false;
    }
    const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) &&
                         ::fchmod(fd, 0600) == 0 && ::fsync(fd) == 0;
    const int writeErrno = errno;
    if (::close(fd) != 0 || !written || std::rename(temp.c_str(), path.c_str()) != 0) {
        *error = "cannot write " + path + ": " + std::strerror(written ? errno : writeErrno);
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

bool parseServeAddress(const std::string &text, ServeAddress *out)
{
    const std::size_t colon = text.rfind(':');
    std::string address = colon == std::string::npos ? "" : text.substr(0, colon);
    const std::string port = colon == std::string::npos ? text : text.substr(colon + 1);
    if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos)
        return false;
    if (address.size() >= 2 && address.front() == '[' && address.back() == ']')
        address = address.substr(1, address.size() - 2);
    out->address = address;
    out->port = std::stoi(port);
    return out->port <= 65535;
}

} // namespace quiz
