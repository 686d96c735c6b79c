#pragma once

#include <string>

namespace quiz
{

// The file in which a serving controller leaves its presenter page's full
// address (one line): "talvix_presenter_url" in the socket's folder.
inline constexpr const char *presenterUrlFileName = "talvix_presenter_url";
std::string presenterUrlFilePath(const std::string &socketPath);

// Replaces the file with the text, readable by its owner only (0600): a
// temporary file in the same folder, flushed and renamed. False with the
// reason on failure.
bool writePrivateFileAtomic(const std::string &path, const std::string &text, std::string *error);

// "[ADDRESS:]PORT" of --serve: the address ("" for every interface; an IPv6
// address in brackets) and the port; nullopt when the port is not 0..65535.
struct ServeAddress {
    std::string address;
    int port = 0;
};
bool parseServeAddress(const std::string &text, ServeAddress *out);

} // namespace quiz
