#include "core/controller/socketpath.h"

namespace quiz
{

std::string controllerSocketPath(const std::string &socketSetting, const std::string &runtimeDir,
                                 const std::string &tempDir)
{
    if (socketSetting.find('/') != std::string::npos)
        return socketSetting;
    std::string folder = !runtimeDir.empty() ? runtimeDir : (!tempDir.empty() ? tempDir : "/tmp");
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    const std::string name = socketSetting.empty() ? defaultControllerSocketName : socketSetting;
    return folder == "/" ? "/" + name : folder + "/" + name;
}

} // namespace quiz
