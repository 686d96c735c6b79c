// What passes between the program and the controller: frames, names replies
// and names.csv, the socket's path, and what "Phone voting..." does.

#include "core/controller/frame.h"
#include "core/controller/namescsv.h"
#include "core/controller/namesreply.h"
#include "core/controller/phonevoting.h"
#include "core/controller/socketpath.h"
#include "core/votedata/participants.h"
#include "support/rows.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

using Records = std::vector<Participant>;

using Replies = test::RowTest;

// Frames, names replies, names.csv, status blocks, socket paths, presenter addresses.
TEST_P(Replies, ReadAndWritten)
{
    const test::Row &r = GetParam();
    std::string got;
    if (r.name == "frame") { // a text, or as many letters x as the third cell says
        const std::string text = r[2].empty() ? r[0] : std::string(r.num(2), 'x');
        const std::string frame = encodeFrame(text);
        got = frame.substr(4) == text ? frame.substr(0, 4) : "not the text";
    } else if (r.name == "decode") { // two pieces received one after the other
        FrameDecoder decoder;
        for (const std::string &piece : {r[0], r[2]}) {
            decoder.append(piece);
            while (const auto text = decoder.next())
                got += "[" + *text + "]";
        }
        got += decoder.broken() ? "(broken)" : "";
    } else if (r.name == "socket") {
        got = controllerSocketPath(r[0], r[2], r[3]);
    } else if (r.name == "presenter address") {
        got = presenterAddressOf(r[0]);
    } else if (r.name == "url file") {
        got = presenterUrlPath(r[0]);
    } else if (r.name == "status") {
        got = isStatusBlock(r[0]) ? "" : "none";
        if (isStatusBlock(r[0]))
            for (const auto &[key, value] : parseStatusBlock(r[0]))
                got += (got.empty() ? "" : "; ") + key + "=" + value;
    } else {
        const auto records = r.name == "csv"    ? std::optional(readNamesCsv(r[0]))
                             : r.name == "line" ? parseNamesReply("h\r\n" + r[0] + "\r\nEndListOfNames")
                                                : parseNamesReply(r[0]);
        got = records ? "" : "none";
        for (const Participant &p : records.value_or(Records{}))
            got += (got.empty() ? "" : "; ") + std::to_string(p.keypad) + "/" + p.name + "/" +
                   std::to_string(p.weighting);
    }
    EXPECT_EQ(got, r[1]);
}
QUIZ_ROWS(Replies, "controller/formats.rows");

TEST(NamesReply, TheStandInsReplyParsesBackAndACutReplyParsesOnceWhole)
{
    const Records names{{"Ann", 3, 1}, {"Bob", 1, 2}, {"", 9, 1}};
    const std::string reply = formatNamesReply(names);
    EXPECT_EQ(reply, "ListOfNames,3\r\n3,Ann,1\r\n1,Bob,2\r\n9,,1\r\nEndListOfNames\r\n");
    // The reply ends with a line break, so the end-marker line becomes a last
    // record (keypad 0) that the name lookup never examines (the participants'
    // tests, where a blank name is a name too).
    Records parsed = names;
    parsed.push_back({"", 0, 0});
    EXPECT_EQ(parseNamesReply(reply), parsed);
    EXPECT_EQ(parseNamesReply(formatNamesReply({})), (Records{{"", 0, 0}}));

    const std::string bytes = encodeFrame("baseType=1\r\nmax_kpads=8") + encodeFrame(reply);
    FrameDecoder decoder;
    std::vector<std::optional<Records>> parses;
    for (std::size_t at = 0; at < bytes.size(); at += 5) {
        decoder.append(std::string_view(bytes).substr(at, 5));
        while (auto text = decoder.next())
            parses.push_back(parseNamesReply(*text));
    }
    EXPECT_EQ(parses, (std::vector<std::optional<Records>>{std::nullopt, parsed}));
    EXPECT_EQ(decoder.pendingBytes(), 0u);
}

using PhoneVoting = test::RowTest;

TEST_P(PhoneVoting, OpensThePageOrStartsTheController)
{
    const test::Row &r = GetParam();
    bool started = false;
    std::string done;
    const auto log = [&done](const std::string &what) { done += (done.empty() ? "" : " / ") + what; };
    PhoneVotingPlatform p;
    p.controllerAnswers = [&] { return started ? r.flag(3) : r.flag(0); };
    p.presenterFile = [&]() -> std::optional<std::string> {
        const std::string &text = started && !r[4].empty() ? r[4] : r[1];
        return text.empty() ? std::nullopt : std::optional<std::string>(text);
    };
    p.startServing = [&](int port, std::string &why) {
        if (r[2] != "ok") {
            why = r[2];
            return false;
        }
        log("start " + std::to_string(port));
        started = true;
        return true;
    };
    p.openAddress = [&](const std::string &address) {
        log("open " + address);
        return r.flag(5);
    };
    int waited = 0;
    p.waitMs = [&](int ms) { waited += ms; };
    p.tell = [&](const std::string &text) { log("tell " + text); };
    const int code = OpenPhoneVoting(p);
    EXPECT_EQ(done, r[6]);
    EXPECT_EQ(code, r[6].find("tell") == std::string::npos ? 0 : 1);
    EXPECT_LE(waited, 8100); // the page is waited for 8 seconds, looked for at short steps
}
QUIZ_ROWS(PhoneVoting, "controller/phonevoting.rows");

} // namespace
} // namespace quiz
