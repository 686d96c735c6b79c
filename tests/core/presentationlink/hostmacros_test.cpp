#include "core/presentationlink/hostmacros.h"
#include "support/rows.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

struct RecordedMacros : HostMacros {
    std::string calls;
    void findVoteSlides() override { calls += "find;"; }
    void startShowEdit(const std::vector<std::string> &args) override
    {
        calls += "start " + args.at(0) + ";";
    }
    void endShowEdit() override { calls += "end;"; }
    void addVoteToSlide(const std::vector<std::string> &args) override { calls += "add " + args.at(0) + ";"; }
};

using Macros = test::RowTest;

TEST_P(Macros, EachNameRunsItsActionAndAnUnknownOneNone)
{
    RecordedMacros macros;
    EXPECT_EQ(runHostMacro(macros, GetParam()[0], {"3"}), GetParam().flag(1));
    EXPECT_EQ(macros.calls, GetParam()[2]);
}
QUIZ_ROWS(Macros, "presentationlink/macros.rows");

} // namespace
} // namespace quiz
