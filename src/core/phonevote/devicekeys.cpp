#include "core/phonevote/devicekeys.h"

#include "core/phonevote/roster.h"

#include <charconv>

namespace quiz
{

namespace
{

constexpr std::string_view kHeading = "Talvix device keys 1";

std::optional<int> wholeNumber(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || (text.front() == '0' && text.size() > 1) || error != std::errc() ||
        end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

bool isDeviceKey(std::string_view text)
{
    return text.size() == 64 && text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

std::string formatDeviceKeys(const std::vector<RosterEntry> &entries)
{
    std::string text = std::string(kHeading) + "\n";
    int count = 0;
    for (const RosterEntry &e : entries) {
        if (e.removed || !isDeviceKey(e.tokenHash) || e.name.find_first_of("\r\n") != std::string::npos)
            continue;
        text += std::to_string(e.keypad) + "," + e.tokenHash + "," + e.name + "\n";
        ++count;
    }
    return text + "end," + std::to_string(count) + "\n";
}

std::optional<std::vector<DeviceKey>> readDeviceKeys(std::string_view text, std::string *reason)
{
    const auto fail = [&](std::string why) {
        *reason = std::move(why);
        return std::nullopt;
    };
    std::vector<DeviceKey> keys;
    std::size_t at = 0;
    for (int line = 1;; ++line) {
        const std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos)
            return fail("line " + std::to_string(line) + " is cut short");
        const std::string_view row = text.substr(at, end - at);
        at = end + 1;
        if (line == 1) {
            if (row != kHeading)
                return fail("it does not start with \"" + std::string(kHeading) + "\"");
            continue;
        }
        const std::size_t comma = row.find(',');
        if (comma != std::string_view::npos && row.substr(0, comma) == "end") {
            if (wholeNumber(row.substr(comma + 1)) != std::optional<int>(static_cast<int>(keys.size())))
                return fail("it ends with a count that is not its " + std::to_string(keys.size()) + " keys");
            if (at != text.size())
                return fail("there is more after its end");
            return keys;
        }
        const std::size_t second = comma == std::string_view::npos ? comma : row.find(',', comma + 1);
        if (second == std::string_view::npos)
            return fail("line " + std::to_string(line) + " is not keypad,key,name");
        const std::optional<int> keypad = wholeNumber(row.substr(0, comma));
        const std::string_view key = row.substr(comma + 1, second - comma - 1);
        if (!keypad || !isDeviceKey(key))
            return fail("line " + std::to_string(line) + " has no keypad number or no key");
        keys.push_back({*keypad, std::string(key), std::string(row.substr(second + 1))});
    }
}

std::string deviceKeysPathFor(const std::string &namesPath)
{
    const std::size_t slash = namesPath.find_last_of('/');
    const std::size_t dot = namesPath.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    return (hasExtension ? namesPath.substr(0, dot) : namesPath) + ".keys";
}

} // namespace quiz
