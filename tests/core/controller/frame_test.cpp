#include "core/controller/frame.h"
#include "core/controller/socketpath.h"
#include "support/rows.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

std::vector<std::string> drain(FrameDecoder &decoder)
{
    std::vector<std::string> texts;
    while (auto t = decoder.next())
        texts.push_back(*t);
    return texts;
}

TEST(Frame, LengthIsFourBytesBigEndianInBytesBeforeTheText)
{
    EXPECT_EQ(encodeFrame(""), std::string("\0\0\0\0", 4));
    EXPECT_EQ(encodeFrame("Zo\xC3\xAB"), std::string("\0\0\0\x04Zo\xC3\xAB", 8)); // "Zoë": 4 bytes
    const std::string big(0x012345, 'x');
    EXPECT_EQ(encodeFrame(big), std::string("\x00\x01\x23\x45", 4) + big);
}

TEST(FrameDecoder, FramesComeOutInOrderAndAnOversizedLengthBreaksTheStream)
{
    FrameDecoder decoder;
    decoder.append(encodeFrame("CheckLink") + encodeFrame("") + encodeFrame("GetNames") +
                   encodeFrame("Next").substr(0, 6));
    EXPECT_EQ(drain(decoder), (std::vector<std::string>{"CheckLink", "", "GetNames"}));
    EXPECT_EQ(decoder.pendingBytes(), 6u);
    decoder.append(encodeFrame("Next").substr(6));
    EXPECT_EQ(drain(decoder), (std::vector<std::string>{"Next"}));

    FrameDecoder broken;
    broken.append(std::string("\x7F\xFF\xFF\xFF", 4) + "abc");
    EXPECT_FALSE(broken.next());
    EXPECT_TRUE(broken.broken());
    broken.append(encodeFrame("CheckLink"));
    EXPECT_FALSE(broken.next());
}

using SocketPaths = test::RowTest;

TEST_P(SocketPaths, ComeFromTheSettingTheRuntimeFolderOrTheTemporaryFolder)
{
    EXPECT_EQ(controllerSocketPath(GetParam()[0], GetParam()[1], GetParam()[2]), GetParam()[3]);
}
QUIZ_ROWS(SocketPaths, "controller/socketpath.rows");

} // namespace
} // namespace quiz
