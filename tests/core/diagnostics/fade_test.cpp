#include "core/diagnostics/fade.h"
#include "support/rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quiz;

namespace
{

// Records every call as a word, opacities as numbers.
class RecordingTarget : public FadeTarget
{
  public:
    explicit RecordingTarget(bool layered = true) : layered_(layered) {}
    std::vector<std::string> calls;
    std::vector<int> opacities;
    std::vector<std::chrono::microseconds> waits;

    bool setOpacity(int opacity) override
    {
        calls.push_back(std::to_string(opacity));
        opacities.push_back(opacity);
        return layered_;
    }
    void show() override { calls.push_back("show"); }
    void hide() override { calls.push_back("hide"); }
    void refresh() override { calls.push_back("refresh"); }
    void wait(std::chrono::microseconds d) override
    {
        calls.push_back("wait");
        waits.push_back(d);
    }
    void removeLayering() override { calls.push_back("plain"); }

  private:
    bool layered_;
};

using V = std::vector<int>;

} // namespace

using FadeRows = test::RowTest;

TEST_P(FadeRows, StepAndCallTheTargetInOrder)
{
    const test::Row &r = GetParam();
    if (r.name == "steps") {
        const std::vector<float> steps = r.floats(3);
        EXPECT_EQ(fadeSteps(r.num(0), r.num(1), r.flag(2)), V(steps.begin(), steps.end()));
        return;
    }
    RecordingTarget target(r.flag(6));
    Fade(target, r.num(0), r.num(1), r.flag(4), r.flag(5), true, r.flag(2));
    EXPECT_EQ(target.calls, r.list(3));
}
QUIZ_ROWS(FadeRows, "diagnostics/fade.rows");

TEST(Fade, FadeInProbesThenShowsThenStepsWithRefreshAndWait)
{
    RecordingTarget target;
    Fade(target, 0, 255, true, false, false, true);
    // The first setOpacity probes support; the steps follow.
    V expected{0};
    for (int v : fadeSteps(0, 255, true))
        expected.push_back(v);
    EXPECT_EQ(target.opacities, expected);
    ASSERT_GE(target.calls.size(), 4u);
    EXPECT_EQ((std::vector<std::string>(target.calls.begin(), target.calls.begin() + 6)),
              (std::vector<std::string>{"0", "show", "refresh", "0", "refresh", "wait"}));
    EXPECT_EQ((std::vector<std::string>(target.calls.end() - 2, target.calls.end())),
              (std::vector<std::string>{"255", "refresh"}));
    EXPECT_EQ(target.waits.size(), 6u);
    for (auto w : target.waits) {
        EXPECT_GT(w.count(), 0);
        EXPECT_LE(w, fadeStepDuration);
    }
}

TEST(Fade, LayeringIsRemovedOnlyAfterAFadeToOpaqueWhenAsked)
{
    struct Case {
        int to;
        bool remove;
        bool plain;
    } cases[] = {
        {255, true, true}, {255, false, false}, {254, true, false}, {0, true, false}, {400, true, true}};
    for (const auto &c : cases) {
        RecordingTarget target;
        Fade(target, 0, c.to, true, false, c.remove, false);
        EXPECT_EQ(target.calls.back() == "plain", c.plain) << c.to << " " << c.remove;
    }
}
