#include "hostfixture.h"

namespace quiz
{
namespace
{

using BadHost = test::RowTest;

TEST_P(BadHost, GivesAClearErrorAndNoHost)
{
    test::TestFolder folder;
    const std::string path = GetParam()[0] == "none"      ? (folder.path() / "missing.json").string()
                             : GetParam()[0] == "unnamed" ? ""
                                                          : folder.write("host.json", GetParam()[0]).string();
    std::string error;
    EXPECT_EQ(StandInHost::open(path, &error), nullptr);
    EXPECT_NE(error.find(GetParam()[1]), std::string::npos) << error;
    if (!path.empty())
        EXPECT_NE(error.find(path), std::string::npos) << error;
}
QUIZ_ROWS(BadHost, "standinhost/badhosts.rows");

} // namespace
} // namespace quiz
