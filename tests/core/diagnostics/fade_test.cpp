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
    std::vector<std::chrono::microseconds> waits;

    bool setOpacity(int opacity) override
    {
        calls.push_back(std::to_string(opacity));
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

} // namespace

using FadeRows = test::RowTest;

TEST_P(FadeRows, StepAndCallTheTargetInOrder)
{
    const test::Row &r = GetParam();
    if (r.name == "steps") {
        const std::vector<float> steps = r.floats(3);
        EXPECT_EQ(fadeSteps(r.num(0), r.num(1), r.flag(2)), std::vector<int>(steps.begin(), steps.end()));
        return;
    }
    RecordingTarget target(r.flag(6));
    Fade(target, r.num(0), r.num(1), r.flag(4), r.flag(5), r.flag(7), r.flag(2));
    EXPECT_EQ(target.calls, r.list(3));
    for (const auto w : target.waits)
        EXPECT_TRUE(w.count() > 0 && w <= std::chrono::milliseconds(5)) << w.count();
}
QUIZ_ROWS(FadeRows, "diagnostics/fade.rows");
