#include "adapters/standinhost/standinhostmacros.h"

#include "adapters/standinhost/hostjson.h"
#include "adapters/standinhost/standinhost.h"

#include "core/common/text.h"
#include "core/setup/votesource.h"
#include "core/startup/runstring.h"

#include <QCoreApplication>
#include <QSaveFile>

namespace quiz
{

using hostjson::str;

// quizslds.txt: the question file of every voting slide (VoteSlidesText).
void StandInHostMacros::findVoteSlides()
{
    const QString folder = host_.presentationFolder();
    const QByteArray text = QByteArray::fromStdString(VoteSlidesText(host_));
    QSaveFile out(folder + "/quizslds.txt");
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit())
        throw HostError(70, "Presentation host",
                        "Permission denied: " + (folder + "/quizslds.txt").toStdString());
}

void StandInHostMacros::startShowEdit(const std::vector<std::string> &args)
{
    const int count = int(host_.presentation().value("slides").toArray().size());
    if (count == 0)
        host_.fail("SlideShowSettings.Run : The presentation has no slides.");
    int slide = args.empty() ? 1 : leadingInt(args[0]);
    if (slide < 1 || slide > count)
        slide = 1;

    QJsonObject show = host_.slideShowObject();
    show["running"] = true;
    show["slide"] = slide;
    if (!show.contains("window"))
        show["window"] = hostjson::rectValue({0, 0, 1024, 768});
    if (!show.contains("pointerType"))
        show["pointerType"] = 1;
    host_.root_["slideShow"] = show;
    host_.normaliseWindows(); // lists the show's window
    host_.save();
}

void StandInHostMacros::endShowEdit()
{
    QJsonObject show = host_.slideShowObject();
    show["running"] = false;
    host_.root_["slideShow"] = show;
    QJsonArray kept;
    for (const QJsonValue &value : host_.root_.value("windows").toArray())
        if (!host_.isShowWindowTitle(value.toObject().value("title").toString()))
            kept.append(value);
    host_.root_["windows"] = kept;
    host_.save();
}

QString StandInHostMacros::programForRunString() const
{
    QString program = host_.root_.value("program").toString();
    if (program.isEmpty())
        program = host_.programPath_;
    if (program.isEmpty() && QCoreApplication::instance())
        program = QCoreApplication::applicationFilePath();
    if (program.isEmpty())
        program = "quiz";
    return program.contains(' ') ? "\"" + program + "\"" : program;
}

// Attaches the quiz to the slide being worked on (the one the show shows,
// else the one selected): a "QUIZ" shape that runs the program on the quiz.
// A quiz shape of the same quiz file on that slide is replaced.
void StandInHostMacros::addVoteToSlide(const std::vector<std::string> &args)
{
    if (args.empty() || args[0].empty())
        host_.fail("AddVoteToSlide : No quiz file named.");
    const std::string quizFile = args[0];
    const int slideIndex = host_.showRunning() ? host_.slideShowObject().value("slide").toInt(1)
                                               : host_.presentation().value("selectedSlide").toInt(1);
    const QString run = programForRunString() + " " + str(quizFile) + ",DISPLAY";
    host_.changeSlide(slideIndex, [&](QJsonObject &slide) {
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
