// The program's options: the host file from --host over TALVIX_HOST.

#include "app/options.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

Options read(std::vector<std::string> args, const std::string &hostVariable)
{
    args.insert(args.begin(), "quiz");
    std::vector<char *> argv;
    for (std::string &arg : args)
        argv.push_back(arg.data());
    ProgramEnvironment env;
    env.hostFile = hostVariable;
    return readOptions(static_cast<int>(argv.size()), argv.data(), env);
}

TEST(Options, TheHostOptionIsPreferredOverTheEnvironment)
{
    EXPECT_EQ(read({"--host", "/from/option.json", "DISPLAY"}, "/from/env.json").hostFile,
              "/from/option.json");
    EXPECT_EQ(read({"--host", ""}, "/from/env.json").hostFile, "/from/env.json");
    EXPECT_EQ(read({"DISPLAY"}, "/from/env.json").hostFile, "/from/env.json");
    EXPECT_EQ(read({"DISPLAY"}, "").hostFile, "");
}

} // namespace
} // namespace quiz
