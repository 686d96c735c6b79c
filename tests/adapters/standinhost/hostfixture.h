#pragma once

#include "adapters/standinhost/standinhost.h"
#include "support/rows.h"
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

namespace quiz::test
{

class HostFolder : public ::testing::Test
{
  protected:
    TestFolder folder;
    std::string hostPath;
    std::unique_ptr<StandInHost> host;

    void SetUp() override
    {
        // A presentation folder like the demo's: six slides, four of them voting
        // slides, a results slide with a quiz, a running show on the results slide.
        hostPath = (folder.path() / "host.json").string();
        std::filesystem::copy_file(dataPath("standinhost/host.json"), hostPath);
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
};

} // namespace quiz::test
