#pragma once

#include "adapters/standinhost/standinhost.h"
#include "support/testfolder.h"

#include <QColor>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace quiz::test {

// A presentation folder like the demo's: six slides, four of them voting
// slides, a results slide with a quiz, a running show on the results slide.
inline const char *kHostFile = R"({
  "addinFolder": "addin",
  "activePresentation": 0,
  "presentations": [ {
    "path": "show.pptx", "pageWidth": 720, "pageHeight": 540, "selectedSlide": 2,
    "slides": [
      { "title": "Quiz night", "picture": "slides/1.png", "tags": {}, "shapes": [] },
      { "title": "Question 1", "picture": "slides/2.png", "tags": { "QuiztlxName": "q1.tlx" },
        "shapes": [ { "name": "VOTE", "run": "C:\\Talvix\\vote.exe q1.tlx,1", "tags": { "QuiztlxName": "q1.tlx" } } ] },
      { "title": "Question 2", "tags": {},
        "shapes": [ { "name": "Title 1" }, { "name": "vote", "run": "/opt/talvix/vote q2.tlx,2" } ] },
      { "title": "Question 3", "tags": { "QuiztlxName": "q3.tlx" }, "shapes": [ { "name": "VOTE" } ] },
      { "title": "Question 4", "tags": {},
        "shapes": [ { "name": "VOTE", "run": "\"/opt/tal vix/vote\" q4.tlx,1" }, { "name": "VOTE", "run": "x.exe other.tlx" } ] },
      { "title": "Results", "picture": "slides/6.png", "tags": {},
        "shapes": [ { "name": "QUIZ", "run": "quiz quiz.quz,DISPLAY" } ] }
    ] } ],
  "slideShow": { "running": true, "slide": 6, "window": [0, 0, 320, 240], "pointerType": 1 },
  "activeWindowViewType": 9,
  "windows": [ { "title": "Microsoft PowerPoint - [show.pptx]", "rect": [10, 20, 640, 480],
                 "visible": true, "enabled": true } ],
  "macros": []
})";

class HostFolder : public ::testing::Test {
protected:
    TestFolder folder;
    std::string hostPath;
    std::unique_ptr<StandInHost> host;

    void SetUp() override
    {
        hostPath = folder.write("host.json", kHostFile).string();
        writePicture("slides/2.png", 80, 60, Qt::red);
        writePicture("slides/6.png", 80, 60, Qt::blue);
        host = openHost();
    }
    std::unique_ptr<StandInHost> openHost()
    {
        std::string error;
        auto opened = StandInHost::open(hostPath, &error);
        EXPECT_TRUE(opened) << error;
        return opened;
    }
    std::string writePicture(const std::string &relative, int w, int h, QColor colour)
    {
        const auto path = folder.path() / relative;
        std::filesystem::create_directories(path.parent_path());
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        EXPECT_TRUE(image.save(QString::fromStdString(path.string())));
        return path.string();
    }
    // The host file as it is on disk now.
    QJsonObject fileJson() const
    {
        const auto text = folder.read("host.json");
        QJsonParseError error;
        const auto doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << text;
        return doc.object();
    }
    QJsonObject fileSlide(int index) const
    {
        const QJsonObject pres = fileJson().value("presentations").toArray().at(0).toObject();
        return pres.value("slides").toArray().at(index - 1).toObject();
    }
};

} // namespace quiz::test
