#pragma once

#include "ports/progress.h"

#include <functional>
#include <memory>

namespace quiz
{

class frmLoading;

// The run's progress window, made on first use: loading the window gives the
// presentation program's windows back and takes them again, so it must not
// happen before a pass actually needs the window.
class LazyProgressView : public ProgressView
{
  public:
    explicit LazyProgressView(std::function<void(bool)> enablePowerPointWindows);
    ~LazyProgressView() override;

    void setUpProgressBar(float maximum) override;
    void incrementProgressBar() override;
    void incrementProgressBarBy(long long steps) override;
    void unload() override;

  private:
    std::function<void(bool)> enablePowerPointWindows_;
    std::unique_ptr<frmLoading> form_;
};

} // namespace quiz
