#include "core/setup/quizsave.h"

#include "core/common/fileutil.h"
#include "core/common/savefile.h"
#include "core/common/text.h"
#include "core/presentationlink/presentationlink.h"
#include "ports/dialogs.h"

namespace quiz
{

namespace
{

std::string withoutTrailingSlash(std::string folder)
{
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\'))
        folder.pop_back();
    return folder;
}

std::string folderPart(const std::string &path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

} // namespace

std::string FileNamePart(const std::string &path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ListedQuizName(const std::string &fileName)
{
    return fileName.size() <= 4 ? std::string() : fileName.substr(0, fileName.size() - 4);
}

std::string QuizFilePathFor(const std::string &name, const std::string &dataFolder)
{
    std::string path = name;
    if (!endsWith(toLower(path), ".quz"))
        path += ".quz";
    if (!contains(toLower(path), toLower(dataFolder)))
        path = withoutTrailingSlash(dataFolder) + "/" + path;
    return path;
}

bool LiesInFolder(const std::string &path, const std::string &folder)
{
    return iequals(withoutTrailingSlash(folderPart(path)), withoutTrailingSlash(folder));
}

std::optional<std::string> ChooseQuizFilePath(const QuizSaveRequest &request, Dialogs &dialogs,
                                              const AskQuizFileName &ask)
{
    std::string preset = request.presetName;
    SaveQuestions questions;
    questions.askName = [&] {
        std::optional<std::string> name;
        do {
            name = ask(preset);
            if (name)
                preset = *name;
        } while (name && CheckFileName(FileNamePart(*name), dialogs));
        return name;
    };
    // The folder first: a refused path never costs the file it names.
    questions.pathFor = [&](const std::string &name) -> std::optional<std::string> {
        const std::string path = QuizFilePathFor(name, request.dataFolder);
        if (LiesInFolder(path, request.presentationFolder))
            return path;
        dialogs.message("You must save the quiz setup file in the same directory "
                        "as the current PowerPoint presentation",
                        "talvix Individual Quiz Setup", MessageIcon::Information, MessageButtons::Ok);
        return std::nullopt;
    };
    questions.ignoreCase = true;
    questions.askBeforeReplacing = [&](const std::string &path) {
        const bool current =
            !request.currentQuizPath.empty() && resolvePath(request.currentQuizPath) == resolvePath(path);
        return request.askForCurrentFile || !current;
    };
    questions.replaceText = [](const std::string &path) { return "Replace the existing file " + path; };
    questions.replaceTitle = "Confirm file replace";
    const ChosenSave chosen = chooseSaveFile(questions, dialogs);
    if (chosen.choice != SaveChoice::Chosen)
        return std::nullopt;
    return chosen.path;
}

} // namespace quiz
