#include "adapters/standinhost/hostjson.h"
#include "adapters/standinhost/standinhost.h"

#include "core/common/text.h"
#include "core/startup/runstring.h"
#include "core/setup/votesource.h"

#include <QCoreApplication>
#include <QSaveFile>

namespace quiz
{

using hostjson::str;

void StandInHost::runMacro(const std::string &name, const std::vector<std::string> &args)
{
    reloadIfChanged();
    QJsonArray argList;
    for (const auto &arg : args)
        argList.append(str(arg));
    QJsonArray macros = root_.value("macros").toArray();
    macros.append(QJsonObject{{"name", str(name)}, {"args", argList}});
    root_["macros"] = macros;
    save();

    if (name == "FindVoteSlides")
        findVoteSlides();
    else if (name == "StartShowEdit")
        startShowEdit(args);
    else if (name == "EndShowEdit")
        endShowEdit();
    else if (name == "AddVoteToSlide" || name == "addVoteToSlide")
        addVoteToSlide(args);
    else if (name != "Brevak") // "Brevak" is only recorded: the add-in takes over from there
        fail("Macro " + name + " cannot be found.");
}

// quizslds.txt: the question file of every voting slide (VoteSlidesText).
void StandInHost::findVoteSlides()
{
    const QString folder = presentationFolder();
    const QByteArray text = QByteArray::fromStdString(VoteSlidesText(*this));
    QSaveFile out(folder + "/quizslds.txt");
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit())
        throw HostError(70, "Presentation host",
                        "Permission denied: " + (folder + "/quizslds.txt").toStdString());
}

void StandInHost::startShowEdit(const std::vector<std::string> &args)
{
    const int count = int(presentation().value("slides").toArray().size());
    if (count == 0)
        fail("SlideShowSettings.Run : The presentation has no slides.");
    int slide = args.empty() ? 1 : leadingInt(args[0]);
    if (slide < 1 || slide > count)
        slide = 1;

    QJsonObject show = slideShowObject();
    show["running"] = true;
    show["slide"] = slide;
    if (!show.contains("window"))
        show["window"] = hostjson::rectValue({0, 0, 1024, 768});
    if (!show.contains("pointerType"))
        show["pointerType"] = 1;
    root_["slideShow"] = show;
    normaliseWindows(); // lists the show's window
    save();
}

void StandInHost::endShowEdit()
{
    QJsonObject show = slideShowObject();
    show["running"] = false;
    root_["slideShow"] = show;
    QJsonArray kept;
    for (const QJsonValue &value : root_.value("windows").toArray())
        if (!isShowWindowTitle(value.toObject().value("title").toString()))
            kept.append(value);
    root_["windows"] = kept;
    save();
}

QString StandInHost::programForRunString() const
{
    QString program = root_.value("program").toString();
    if (program.isEmpty())
        program = programPath_;
    if (program.isEmpty() && QCoreApplication::instance())
        program = QCoreApplication::applicationFilePath();
    if (program.isEmpty())
        program = "quiz";
    return program.contains(' ') ? "\"" + program + "\"" : program;
}

// Attaches the quiz to the slide being worked on (the one the show shows,
// else the one selected): a "QUIZ" shape that runs the program on the quiz.
// A quiz shape of the same quiz file on that slide is replaced.
void StandInHost::addVoteToSlide(const std::vector<std::string> &args)
{
    if (args.empty() || args[0].empty())
        fail("AddVoteToSlide : No quiz file named.");
    const std::string quizFile = args[0];
    const int slideIndex = showRunning() ? slideShowObject().value("slide").toInt(1)
                                         : presentation().value("selectedSlide").toInt(1);
    const QString run = programForRunString() + " " + str(quizFile) + ",DISPLAY";
    changeSlide(slideIndex, [&](QJsonObject &slide) {
        QJsonArray shapes = slide.value("shapes").toArray();
        const QJsonObject quizShape{{"name", "QUIZ"}, {"run", run}, {"tags", QJsonObject{}}};
        for (int i = 0; i < shapes.size(); ++i) {
            const QJsonObject shape = shapes.at(i).toObject();
            if (toUpper(shape.value("name").toString().toStdString()) == "QUIZ" &&
                iequals(quizFileOfRunString(shape.value("run").toString().toStdString()), quizFile)) {
                shapes[i] = quizShape;
                slide["shapes"] = shapes;
                return;
            }
        }
        shapes.append(quizShape);
        slide["shapes"] = shapes;
    });
}

} // namespace quiz
