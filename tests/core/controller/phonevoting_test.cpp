#include "core/controller/phonevoting.h"
#include "support/rows.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

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
    EXPECT_LE(waited, kPhoneVotingWaitMs + 100);
}
QUIZ_ROWS(PhoneVoting, "controller/phonevoting.rows");

using PresenterAddress = test::RowTest;

TEST_P(PresenterAddress, IsTheFirstLineWhenItIsAWebAddress)
{
    EXPECT_EQ(presenterAddressOf(GetParam()[0]), GetParam()[1]);
}
QUIZ_ROWS(PresenterAddress, "controller/presenteraddress.rows");

TEST(PresenterUrlPath, IsBesideTheSocket)
{
    EXPECT_EQ(presenterUrlPath("/run/user/1000/talvix_controller"), "/run/user/1000/talvix_presenter_url");
    EXPECT_EQ(presenterUrlPath("/sock"), "/talvix_presenter_url");
}

} // namespace
} // namespace quiz
