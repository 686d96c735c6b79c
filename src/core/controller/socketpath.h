#pragma once

#include <string>

namespace quiz
{

// The name of the controller's server when nothing else is set.
inline constexpr const char *defaultControllerSocketName = "talvix_controller";

// The full path of the controller's local socket: socketSetting
// ($TALVIX_CONTROLLER_SOCKET) when it is given, else "talvix_controller" in
// runtimeDir ($XDG_RUNTIME_DIR), else in tempDir. A setting without "/" is a
// name placed in that same folder. Empty arguments count as unset.
std::string controllerSocketPath(const std::string &socketSetting, const std::string &runtimeDir,
                                 const std::string &tempDir);

} // namespace quiz
