#include "adapters/impress/impressactions.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace quiz
{

namespace
{

const std::string tagPrefix = "TalvixTag|";

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string percentDecoded(const std::string &text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = hexValue(text[i + 1]), low = hexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

} // namespace

std::string fileUrlToPath(const std::string &url)
{
    const std::string scheme = "file://";
    if (url.size() < scheme.size() || upper(url.substr(0, scheme.size())) != upper(scheme))
        return {};
    std::string rest = url.substr(scheme.size());
    // "file://host/path": a host other than this one's empty name is kept as a share.
    if (!rest.empty() && rest[0] != '/')
        rest = "//" + rest;
    std::string path = percentDecoded(rest);
    if (path.size() >= 3 && path[0] == '/' && std::isalpha(static_cast<unsigned char>(path[1])) &&
        path[2] == ':')
        path.erase(0, 1);
    return path;
}

std::string runStringOfClickAction(ClickKind kind, const std::string &bookmark)
{
    switch (kind) {
    case ClickKind::Program:
        // A target read back from a saved document may have become a file URL.
        return bookmark.compare(0, 7, "file://") == 0 ? fileUrlToPath(bookmark) : bookmark;
    case ClickKind::Document:
        return fileUrlToPath(bookmark);
    case ClickKind::Other:
        break;
    }
    return {};
}

double hundredthsMmToPoints(long long hundredths)
{
    return static_cast<double>(hundredths) * 72.0 / 2540.0;
}

long long pointsToHundredthsMm(double points)
{
    return std::llround(points * 2540.0 / 72.0);
}

std::string slideTagProperty(const std::string &slideName, const std::string &tag)
{
    return tagPrefix + slideName + "|" + upper(tag);
}

std::string shapeTagProperty(const std::string &slideName, const std::string &shapeName,
                             const std::string &tag)
{
    return tagPrefix + slideName + "|" + shapeName + "|" + upper(tag);
}

std::map<std::string, std::string> tagsOf(const std::map<std::string, std::string> &properties,
                                          const std::string &slideName, const std::string &shapeName)
{
    const std::string prefix = tagPrefix + slideName + "|" + (shapeName.empty() ? "" : shapeName + "|");
    std::map<std::string, std::string> tags;
    for (const auto &[name, value] : properties) {
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string tag = name.substr(prefix.size());
        // A slide's own tags hold no further separator; a shape's tags do.
        if (!tag.empty() && tag.find('|') == std::string::npos)
            tags[tag] = value;
    }
    return tags;
}

std::string pathToFileUrl(const std::string &path)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += digits[c >> 4];
            url += digits[c & 15];
        }
    }
    return url;
}

} // namespace quiz
