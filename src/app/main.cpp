#include "app/quizapplication.h"

int main(int argc, char *argv[])
{
    return quiz::runQuiz(argc, argv);
}
