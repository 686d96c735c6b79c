#pragma once

#include "ports/progress.h"

#include <vector>

namespace quiz::test
{

// Keeps each progress bar's maximum and counts the steps over all bars and the unloads.
class FakeProgress : public ProgressView
{
  public:
    std::vector<float> setUps;
    int steps = 0;
    int unloads = 0;

    void setUpProgressBar(float maximum) override { setUps.push_back(maximum); }
    void incrementProgressBar() override { ++steps; }
    void unload() override { ++unloads; }
};

} // namespace quiz::test
