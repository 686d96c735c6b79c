#pragma once

#include <chrono>
#include <vector>

namespace quiz
{

// A window as the fade sees it.
class FadeTarget
{
  public:
    virtual ~FadeTarget() = default;
    // Applies an opacity, 0 (invisible) to 255 (opaque); false when the
    // platform refuses.
    virtual bool setOpacity(int opacity) = 0;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual void refresh() = 0;
    // Waits without yielding to the event loop.
    virtual void wait(std::chrono::microseconds duration) = 0;
    // Back to a plain opaque window.
    virtual void removeLayering() = 0;
};

inline constexpr int fadeStepSize = 50;
inline constexpr std::chrono::microseconds fadeStepDuration{5000};

int clampOpacity(int opacity);

// The opacities a fade from `from` to `to` (both clamped into 0..255) applies
// after its first probe: with the fade setting on, from, from ± 50, ... up to
// but not past to, then to; with it off, from and to.
// 0 -> 255: 0, 50, ..., 250, 255. 255 -> 0: 255, 205, ..., 5, 0.
std::vector<int> fadeSteps(int from, int to, bool chartFade);

// Shows or hides a window by stepping its opacity. The opacity is set to
// `from` first; when the platform refuses, the window is only shown (to > 0
// and show set) or hidden (to == 0). Each intermediate step lasts at least
// 5 ms. removeLayeringWhenOpaque turns the window back into a plain opaque
// one at the end of a fade to 255.
void Fade(FadeTarget &target, int from, int to, bool show, bool noRefresh, bool removeLayeringWhenOpaque,
          bool chartFade);

} // namespace quiz
