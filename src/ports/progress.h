#pragma once

namespace quiz {

// The progress window of long passes.
class ProgressView {
public:
    virtual ~ProgressView() = default;
    virtual void setUpProgressBar(float maximum) = 0;
    virtual void incrementProgressBar() = 0;
    virtual void unload() = 0;
};

} // namespace quiz
