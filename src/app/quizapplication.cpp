#include "app/quizapplication.h"

#include "core/common/runend.h"

#include <QApplication>

#include <cstdio>

namespace quiz {

int runQuiz(int argc, char *argv[])
{
    QApplication app(argc, argv);
    try {
        endRun(0);
    } catch (const RunEnded &end) {
        if (!end.reason.empty())
            std::fprintf(stderr, "quiz: %s\n", end.reason.c_str());
        return end.exitCode;
    }
}

} // namespace quiz
