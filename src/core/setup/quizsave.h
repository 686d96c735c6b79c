#pragma once

#include <functional>
#include <optional>
#include <string>

namespace quiz
{

class Dialogs;

// Saving a quiz from the set-up screens: the save dialog's name becomes a
// path in the presentation's folder.

inline constexpr const char *kSaveDialogTitle = "Save As...";
inline constexpr const char *kQuizFilePattern = "*.quz";

// Shows the save dialog with the preset name; the typed name, nullopt when
// cancelled. The name may be a path (a "/" separates folders).
using AskQuizFileName = std::function<std::optional<std::string>(const std::string &preset)>;

struct QuizSaveRequest {
    std::string dataFolder;
    std::string presentationFolder;
    std::string currentQuizPath; // the quiz file being edited; "" for none
    std::string presetName;
    // The wizard asks before replacing any existing file; the set-up form
    // not for the quiz file it is editing.
    bool askForCurrentFile = false;
};

// The save loop: asks for a name until it passes CheckFileName (on the name
// after the last "/"); a cancelled or empty name gives nullopt. The path is
// QuizFilePathFor the name. A path outside the presentation's folder gives
// the same-directory message and asks again; an existing file is replaced
// only after "Confirm file replace" (No asks again).
std::optional<std::string> ChooseQuizFilePath(const QuizSaveRequest &request, Dialogs &dialogs,
                                              const AskQuizFileName &ask);

// ".quz" appended unless the name ends in it (any case); dataFolder + "/" in
// front unless the name holds dataFolder (any case).
std::string QuizFilePathFor(const std::string &name, const std::string &dataFolder);

// True when the file's folder is the folder (ignoring case and a trailing "/").
bool LiesInFolder(const std::string &path, const std::string &folder);

// The text after the last "/" or "\".
std::string FileNamePart(const std::string &path);

// The name a listed file puts into the save dialog's name box: without its
// last four characters (the ".quz").
std::string ListedQuizName(const std::string &fileName);

} // namespace quiz
