#include "core/diagnostics/fade.h"

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

TEST(FadeSteps, StepBy50AndEndExactlyOnTheTarget)
{
    struct Case {
        int from, to;
        bool chartFade;
        V steps;
    } cases[] = {
        {0, 255, true, {0, 50, 100, 150, 200, 250, 255}},
        {255, 0, true, {255, 205, 155, 105, 55, 5, 0}},
        {0, 255, false, {0, 255}},
        {255, 0, false, {255, 0}},
        {0, 100, true, {0, 50, 100, 100}},
        {100, 100, true, {100, 100}},
        {100, 100, false, {100, 100}},
        {10, 40, true, {10, 40}},
        {-20, 300, true, {0, 50, 100, 150, 200, 250, 255}},
        {999, -5, true, {255, 205, 155, 105, 55, 5, 0}},
        {-1, 256, false, {0, 255}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(fadeSteps(c.from, c.to, c.chartFade), c.steps)
            << c.from << "->" << c.to << " " << c.chartFade;
}

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

TEST(Fade, CallsTheTargetInOrder)
{
    struct Case {
        int from, to;
        bool show, noRefresh, layered, chartFade;
        std::vector<std::string> calls;
    } cases[] = {
        // clang-format off
        {255, 0, false, false, true, false, {"255", "refresh", "0", "refresh"}}, // fade setting off
        {0, 100, true, true, true, true, {"0", "show", "0", "wait", "50", "wait", "100", "wait", "100"}},
        // A refused opacity degrades to a plain show or hide.
        {0, 255, true, false, false, true, {"0", "show", "refresh"}},
        {0, 255, false, false, false, true, {"0", "refresh"}},
        {255, 0, true, false, false, true, {"255", "hide", "refresh"}},
        {255, 0, false, true, false, true, {"255", "hide"}},
        {0, 128, true, true, false, true, {"0", "show"}},
        {300, -4, false, false, false, true, {"255", "hide", "refresh"}},
        // clang-format on
    };
    for (const auto &c : cases) {
        RecordingTarget target(c.layered);
        Fade(target, c.from, c.to, c.show, c.noRefresh, true, c.chartFade);
        EXPECT_EQ(target.calls, c.calls) << c.from << "->" << c.to << " layered " << c.layered;
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
