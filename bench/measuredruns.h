#pragma once

// The loop the process benchmarks share: the program run once per iteration,
// each time after reading the record files once (the floor), the figures
// added up.

#include "benchprocess.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

namespace quiz::bench
{

struct MeasuredRuns {
    double read = 0, readCpu = 0; // the floor's seconds, wall and processor
    double run = 0, cpu = 0;      // the program's
    double firstSeen = 0, firstCpu = 0;
    long peakKb = 0;
};

// The environment as the spawn takes it.
inline std::vector<std::string> environmentList(const QProcessEnvironment &env)
{
    std::vector<std::string> list;
    for (const QString &e : env.toStringList())
        list.push_back(e.toStdString());
    return list;
}

// Runs `run` (returning ProcessFigures) once per iteration; false, with the
// benchmark skipped, when a run failed.
template <typename Run>
bool measureRuns(benchmark::State &state, const std::vector<std::string> &files, Run &&run, MeasuredRuns &m)
{
    readFilesOnce(files); // into the page cache
    bool first = true;
    for (auto _ : state) {
        const double before = selfCpuSeconds();
        m.read += readFilesOnce(files);
        m.readCpu += selfCpuSeconds() - before;
        const ProcessFigures f = run();
        if (!f.ok) {
            state.SkipWithError("the program failed");
            return false;
        }
        if (first) {
            m.firstSeen = f.toSeen;
            m.firstCpu = f.cpu;
            first = false;
        }
        m.run += f.toSeen;
        m.cpu += f.cpu;
        m.peakKb = std::max(m.peakKb, f.peakKb);
        state.SetIterationTime(f.toSeen);
    }
    return true;
}

} // namespace quiz::bench
