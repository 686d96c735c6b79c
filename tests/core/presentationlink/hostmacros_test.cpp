#include "core/presentationlink/hostmacros.h"

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

TEST(RunHostMacro, EachNameRunsItsActionAndAnUnknownOneNone)
{
    const struct {
        const char *name;
        bool known;
        const char *calls;
    } cases[] = {
        {"FindVoteSlides", true, "find;"},  {"StartShowEdit", true, "start 3;"},
        {"EndShowEdit", true, "end;"},      {"AddVoteToSlide", true, "add 3;"},
        {"addVoteToSlide", true, "add 3;"}, {"Brevak", true, ""},
        {"findvoteslides", false, ""},      {"", false, ""},
        {"AddVoteToSlide ", false, ""},
    };
    for (const auto &c : cases) {
        RecordedMacros macros;
        EXPECT_EQ(runHostMacro(macros, c.name, {"3"}), c.known) << c.name;
        EXPECT_EQ(macros.calls, c.calls) << c.name;
    }
}

} // namespace
} // namespace quiz
