#include "adapters/controller/localsocketchannel.h"
#include "support/childprocess.h"
#include "support/testfolder.h"
#include "support/wait.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace quiz
{
namespace
{

using test::waitUntil;

struct ChannelTest : ::testing::Test {
    ChannelTest()
    {
        socketPath = folder.str() + "/ctl.sock";
        names = folder.write("names.csv", "Keypad,Name,Weighting\r\n3,Ann,1\r\n1,Bob,2\r\n").string();
        logPath = folder.str() + "/tlxctrl.log";
    }
    std::string log() const { return folder.read("tlxctrl.log"); }
    // The controller stand-in (tlxctrl) serving the socket, ended by its id.
    std::unique_ptr<test::Child> standIn(std::vector<std::string> extra = {}) const
    {
        extra.insert(extra.begin(), {standInPath, "--socket", socketPath, "--log", logPath});
        return std::make_unique<test::Child>(std::move(extra));
    }
    const std::string standInPath = QUIZ_BINARY_DIR "/tools/tlxctrl/tlxctrl";

    test::TestFolder folder;
    std::string socketPath, names, logPath;
};

TEST_F(ChannelTest, TextsArriveInOrderStatusBlockFirst)
{
    const auto controller = standIn({"--names", names, "--status"});
    LocalSocketChannel channel(socketPath);
    ASSERT_TRUE(waitUntil([&] { return channel.controllerRunning(); }));
    std::vector<std::string> texts;
    channel.setTextHandler([&](const std::string &t) { texts.push_back(t); });
    ASSERT_TRUE(channel.open());
    EXPECT_EQ(channel.send("GetNames"), SendResult::Delivered);
    EXPECT_EQ(channel.send("GetNames"), SendResult::Delivered);
    ASSERT_TRUE(waitUntil([&] { return texts.size() >= 3; }));
    EXPECT_EQ(texts[0], "baseType=stand-in\r\nmax_kpads=2");
    EXPECT_EQ(texts[1], "ListOfNames,2\r\n3,Ann,1\r\n1,Bob,2\r\nEndListOfNames\r\n");
    EXPECT_EQ(texts[2], texts[1]);
}

TEST_F(ChannelTest, NoControllerMeansNotRunningAndNoLink)
{
    LocalSocketChannel channel(socketPath);
    EXPECT_FALSE(channel.controllerRunning());
    EXPECT_FALSE(channel.open());
    EXPECT_EQ(channel.send("CheckLink"), SendResult::Failed);
    // A stale socket file left by a controller that died counts as no controller.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(QString::fromStdString(socketPath)));
    EXPECT_FALSE(channel.controllerRunning());
    EXPECT_FALSE(channel.open());
    // The stand-in takes the place of a stale socket.
    const auto controller = standIn();
    EXPECT_TRUE(waitUntil([&] { return channel.controllerRunning(); }));
}

TEST_F(ChannelTest, ALinkBrokenByTheControllerFailsTheNextSendAndReopens)
{
    auto controller = standIn();
    LocalSocketChannel channel(socketPath);
    ASSERT_TRUE(waitUntil([&] { return channel.controllerRunning(); }));
    ASSERT_TRUE(channel.open());
    controller->stop();
    ASSERT_TRUE(waitUntil([&] { return !channel.isOpen(); }));
    EXPECT_EQ(channel.send("NextSlide,2"), SendResult::Failed);

    controller = standIn();
    ASSERT_TRUE(waitUntil([&] { return channel.controllerRunning(); }));
    EXPECT_TRUE(channel.open());
    EXPECT_EQ(channel.send("CheckLink"), SendResult::Delivered);
    ASSERT_TRUE(waitUntil([&] { return log().find("CheckLink") != std::string::npos; }));
    EXPECT_EQ(log(), "CheckLink\n");
}

// The program starting the controller from the add-in folder, which then
// serves the data folder's names, is every end-to-end scenario's first step.

TEST_F(ChannelTest, TheStandInRefusesToServeASocketAnotherControllerServes)
{
    const auto first = standIn();
    LocalSocketChannel channel(socketPath);
    ASSERT_TRUE(waitUntil([&] { return channel.controllerRunning(); }));
    QProcess second;
    second.start(QString::fromStdString(standInPath), {"--socket", QString::fromStdString(socketPath)});
    ASSERT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_TRUE(channel.controllerRunning()); // the first one still serves
}

} // namespace
} // namespace quiz
