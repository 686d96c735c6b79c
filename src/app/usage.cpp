#include "app/usage.h"

#include <cstring>

#ifndef QUIZ_VERSION
#define QUIZ_VERSION "unknown"
#endif

namespace quiz
{

std::string usageText()
{
    return R"(Usage: quiz [--host FILE | --impress DESCRIPTION] WORDS...
       quiz --phone-voting FOLDER
       quiz --help | --version

The quiz module of the Talvix keypad voting system. Each run does one job,
chosen by its command words, and ends. The words, joined by blanks, are split
at commas: [QUIZFILE,]MODE[,SLIDE][,EXTRA], for example quiz.quz,DISPLAY.

Modes:
  DISPLAY       show the top places over the running slide show
  INSERT        paste the display into a slide as the picture "talvix chart 1A"
  PRINT         print the score summary
  EXPORT        write the individual results workbook
  RESULTSTABLE  show the results tables of every voting slide
  PARTSETUP     build or open the participant list
  SETUP         the quiz set-up form
  WIZARD        the quiz wizard
  QUESTION      make or change the voting question of the selected slide
                (quiz.quz,QUESTION,EDIT: only change one)

Options:
  --host FILE             work on the presentation described by a host file
  --impress DESCRIPTION   reach LibreOffice Impress over this UNO connection
                          (default pipe,name=talvix_impress)
  --phone-voting FOLDER   open the presenter page of the controller serving
                          phones, starting tlxctrl --serve 8080 in FOLDER
  -h, --help              print this help and end
  -V, --version           print the version and end

Environment:
  TALVIX_HOST                the host file, when --host is not given
  TALVIX_IMPRESS             the UNO connection, when --impress is not given
  TALVIX_ADDIN_FOLDER        the add-in folder (default: the program's folder)
  TALVIX_CONTROLLER_SOCKET   the controller's socket
  TALVIX_DIALOGS             answer every dialog from this file (tests)
  TALVIX_OUTPUT              the output file of an unattended PRINT or EXPORT
  TALVIX_NO_OPEN             never open a written workbook
  TALVIX_TRACE               say on standard error which mode a run takes
  TALVIX_UI_SCRIPT           act on the windows from this script (tests)
  TALVIX_UI_SCRIPT_TIMEOUT   how long a script action waits, in ms

Example:
  soffice --accept="pipe,name=talvix_impress;urp;" show.odp   # start the show
  quiz quiz.quz,DISPLAY
)";
}

std::string versionText()
{
    return "quiz (Talvix Quiz) " QUIZ_VERSION "\n";
}

std::string informationFor(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (!std::strcmp(arg, "--host") || !std::strcmp(arg, "--impress"))
            ++i; // its value
        else if (!std::strcmp(arg, "--help") || !std::strcmp(arg, "-h"))
            return usageText();
        else if (!std::strcmp(arg, "--version") || !std::strcmp(arg, "-V"))
            return versionText();
    }
    return {};
}

} // namespace quiz
