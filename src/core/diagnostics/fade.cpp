#include "core/diagnostics/fade.h"

#include <algorithm>

namespace quiz
{

namespace
{

std::vector<int> steppedOpacities(int from, int to)
{
    std::vector<int> values;
    const int step = from > to ? -fadeStepSize : fadeStepSize;
    for (int opacity = from; step > 0 ? opacity <= to : opacity >= to; opacity += step)
        values.push_back(opacity);
    return values;
}

} // namespace

int clampOpacity(int opacity)
{
    return std::clamp(opacity, 0, 255);
}

std::vector<int> fadeSteps(int from, int to, bool chartFade)
{
    from = clampOpacity(from);
    to = clampOpacity(to);
    if (!chartFade)
        return {from, to};
    std::vector<int> values = steppedOpacities(from, to);
    values.push_back(to);
    return values;
}

void Fade(FadeTarget &target, int from, int to, bool show, bool noRefresh, bool removeLayeringWhenOpaque,
          bool chartFade)
{
    from = clampOpacity(from);
    to = clampOpacity(to);

    if (!target.setOpacity(from)) {
        // No translucent windows here: plain show or hide.
        if (to != 0) {
            if (show)
                target.show();
        } else {
            target.hide();
        }
        if (!noRefresh)
            target.refresh();
        return;
    }

    if (show)
        target.show();
    if (!noRefresh)
        target.refresh();

    if (chartFade) {
        using Clock = std::chrono::steady_clock;
        for (int opacity : steppedOpacities(from, to)) {
            const auto began = Clock::now();
            target.setOpacity(opacity);
            if (!noRefresh)
                target.refresh();
            const auto spent = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - began);
            if (spent < fadeStepDuration)
                target.wait(fadeStepDuration - spent);
        }
    }

    target.setOpacity(to);
    if (!noRefresh)
        target.refresh();

    if (removeLayeringWhenOpaque && to == 255)
        target.removeLayering();
}

} // namespace quiz
