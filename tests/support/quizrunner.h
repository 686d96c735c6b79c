#pragma once

#include "support/testfolder.h"

#include <QJsonObject>

#include <map>
#include <string>
#include <vector>

namespace quiz::test
{

struct QuizRunResult {
    int exitCode = -1;
    bool finished = false; // false: it did not end in time and was killed
    std::string out;
    std::string err;
    std::vector<std::string> dialogLog; // one JSON object per shown dialog
};

// Runs the built quiz program on a data folder of its own, with scripted
// dialogs, for end-to-end tests.
class QuizRunner
{
  public:
    // Copies the demo presentation folder into a fresh temporary folder.
    QuizRunner();

    const TestFolder &folder() const { return folder_; }
    std::string hostPath() const { return folder_.str() + "/host.json"; }
    std::string dataPath(const std::string &name) const { return folder_.str() + "/" + name; }

    // Reads and rewrites the host file as text (tests edit it with plain replacements).
    std::string hostJson() const { return folder_.read("host.json"); }
    void setHostJson(const std::string &json) const { folder_.write("host.json", json); }
    QJsonObject host() const;
    // The lines the controller stand-in logged (the commands it received).
    std::vector<std::string> controllerLog() const;
    void setEnv(const std::string &name, const std::string &value) { env_[name] = value; }
    // Runs reach LibreOffice Impress over this UNO connection instead of the host file.
    void useImpress(const std::string &connection) { impress_ = connection; }

    // Runs `quiz --host <host file> WORDS...` (or `--impress CONNECTION`) with
    // the given dialog answers.
    QuizRunResult run(const std::vector<std::string> &words, const std::vector<std::string> &answers = {},
                      int timeoutMs = 30000);

    static std::string quizBinary() { return QUIZ_BINARY_DIR "/src/quiz"; }
    static std::string controllerBinary() { return QUIZ_BINARY_DIR "/tools/tlxctrl/tlxctrl"; }

  private:
    TestFolder folder_;
    std::map<std::string, std::string> env_;
    std::string impress_;
};

// One field of a logged dialog ("kind", "title", "text", "icon", ...).
std::string dialogField(const std::string &line, const char *key);

} // namespace quiz::test
