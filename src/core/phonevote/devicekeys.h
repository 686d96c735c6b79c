#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quiz
{

struct RosterEntry;

// The key of a device that joined: the SHA-256 (64 lower-case hex digits) of
// the token the device was given. The controller keeps only keys, on disk as
// in memory; the token itself lives on the device alone.
struct DeviceKey {
    int keypad = 0;
    std::string key;
    std::string name; // the keypad's name when the key was saved
};

bool isDeviceKey(std::string_view text);

// The device keys file, kept beside the names file so that a restarted
// controller knows the devices again: a heading line, "keypad,key,name" a
// line for every participant holding a key, and "end,COUNT" (a file cut
// short shows). LF ended. A name with a line end is left out (its device
// joins again by name).
std::string formatDeviceKeys(const std::vector<RosterEntry> &entries);
// The keys of such a file; nullopt with the reason when it is malformed or
// cut short: then none of it is used.
std::optional<std::vector<DeviceKey>> readDeviceKeys(std::string_view text, std::string *reason);

// Where the keys of a names file are kept: the names file's path with its
// last extension replaced by ".keys" ("names.csv" -> "names.keys").
std::string deviceKeysPathFor(const std::string &namesPath);

} // namespace quiz
