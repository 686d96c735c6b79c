#include "app/options.h"

namespace quiz
{

Options readOptions(int argc, char *argv[], const ProgramEnvironment &env)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--host" && i + 1 < argc)
            options.hostFile = argv[++i];
        else if (arg.rfind("--host=", 0) == 0)
            options.hostFile = arg.substr(7);
        else if (arg == "--impress" && i + 1 < argc)
            options.impressConnection = argv[++i];
        else if (arg.rfind("--impress=", 0) == 0)
            options.impressConnection = arg.substr(10);
        else
            options.words.push_back(arg);
    }
    // The option's value, else the variable's: an empty option names none.
    if (options.hostFile.empty())
        options.hostFile = env.hostFile;
    return options;
}

} // namespace quiz
