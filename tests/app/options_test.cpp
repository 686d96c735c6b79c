// The program's options: the host file from --host over TALVIX_HOST.

#include "app/options.h"
#include "support/rows.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

using OptionRows = test::RowTest;

TEST_P(OptionRows, TheHostOptionIsPreferredOverTheEnvironment)
{
    std::vector<std::string> args = GetParam().list(0, ';');
    args.insert(args.begin(), "quiz");
    std::vector<char *> argv;
    for (std::string &arg : args)
        argv.push_back(arg.data());
    ProgramEnvironment env;
    env.hostFile = GetParam()[1];
    EXPECT_EQ(readOptions(static_cast<int>(argv.size()), argv.data(), env).hostFile, GetParam()[2]);
}
QUIZ_ROWS(OptionRows, "app/options.rows");

} // namespace
} // namespace quiz
