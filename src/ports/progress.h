#pragma once

namespace quiz
{

// The progress window of long passes.
class ProgressView
{
  public:
    virtual ~ProgressView() = default;
    virtual void setUpProgressBar(float maximum) = 0;
    virtual void incrementProgressBar() = 0;
    // The same number of steps at once (a pass over many keypads steps the
    // bar in batches); a view may bring itself up to date once for them.
    virtual void incrementProgressBarBy(long long steps)
    {
        for (long long i = 0; i < steps; ++i)
            incrementProgressBar();
    }
    virtual void unload() = 0;
};

} // namespace quiz
