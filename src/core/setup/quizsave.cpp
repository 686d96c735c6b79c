#include "core/setup/quizsave.h"

#include "core/common/fileutil.h"
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
    for (;;) {
        std::optional<std::string> name;
        do {
            name = ask(preset);
            if (name)
                preset = *name;
        } while (name && CheckFileName(FileNamePart(*name), dialogs));
        if (!name || name->empty())
            return std::nullopt;

        const std::string path = QuizFilePathFor(*name, request.dataFolder);
        // The folder first: a refused path never costs the file it names.
        if (!LiesInFolder(path, request.presentationFolder)) {
            dialogs.message("You must save the quiz setup file in the same directory "
                            "as the current PowerPoint presentation",
                            "talvix Individual Quiz Setup", MessageIcon::Information, MessageButtons::Ok);
            continue;
        }
        const bool current =
            !request.currentQuizPath.empty() && resolvePath(request.currentQuizPath) == resolvePath(path);
        if (FileExists(resolvePath(path)) && (request.askForCurrentFile || !current) &&
            dialogs.message("Replace the existing file " + path, "Confirm file replace",
                            MessageIcon::Question, MessageButtons::YesNo) == MessageAnswer::No)
            continue;
        // Yes: the file is replaced when written; a file that differs only in
        // case would stay beside it, so it goes now.
        const std::string existing = resolvePath(path);
        if (existing != path && FileExists(existing))
            removeFile(existing);
        return path;
    }
}

} // namespace quiz
