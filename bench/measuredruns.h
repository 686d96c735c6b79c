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

// With the controller stand-in serving `folder` under `env`, runs `run`
// (given the environment as a list, returning ProcessFigures) once per
// iteration; the floor reads the folder's votes.rec and response.rec. False,
// with the benchmark skipped, when the stand-in or a run failed.
template <typename Run>
bool measureRuns(benchmark::State &state, const std::string &folder, const QProcessEnvironment &env,
                 Run &&run, MeasuredRuns &m)
{
    ControllerStandIn controller(QString::fromStdString(folder), env);
    if (!controller.started()) {
        state.SkipWithError("the controller stand-in does not start");
        return false;
    }
    const std::vector<std::string> environment = environmentList(env);
    const std::vector<std::string> files{folder + "/votes.rec", folder + "/response.rec"};
    readFilesOnce(files); // into the page cache
    bool first = true;
    for (auto _ : state) {
        const double before = selfCpuSeconds();
        m.read += readFilesOnce(files);
        m.readCpu += selfCpuSeconds() - before;
        const ProcessFigures f = run(environment);
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
