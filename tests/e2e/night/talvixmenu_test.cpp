// The office extension's Talvix menu in LibreOffice Impress on an X server of
// the test's own: its entries in the office's configuration, "New voting
// question..." dispatched as a click on it dispatches, the question editor
// scripted, and the slide's VOTE shape read back through UNO; then, with the
// document's macros disabled, a click on the QUIZ shape starts the quiz.

#include "core/common/runend.h"
#include "e2e/night/nightoffice.h"
#include "support/childprocess.h"
#include "support/quizrunner.h"
#include "support/xvfb.h"

#include "adapters/impress/impressuno.h"
#include "adapters/impress/impressunohost.h"

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/document/XUndoManager.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/drawing/XDrawPages.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XDrawView.hpp>
#include <com/sun/star/frame/DispatchHelper.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/util/XModifiable.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace quiz
{
namespace
{

using namespace impressuno;
const char *const kMenu = "/org.openoffice.Office.Addons/AddonUI/OfficeMenuBar/org.talvix.quiz.menu/Submenu";

// Title and URL of each entry of a menu or toolbar of the add-on configuration, in name order.
std::vector<std::pair<std::string, std::string>> addonEntries(const OfficeConnection &office,
                                                              const char *path)
{
    const Reference<lang::XMultiServiceFactory> provider =
        configuration::theDefaultProvider::get(office.context);
    beans::NamedValue node("nodepath", uno::Any(OUString::createFromAscii(path)));
    uno::Sequence<uno::Any> arguments(1);
    arguments.getArray()[0] <<= node;
    const Reference<container::XNameAccess> entries(
        provider->createInstanceWithArguments("com.sun.star.configuration.ConfigurationAccess", arguments),
        UNO_QUERY_THROW);
    std::vector<std::pair<std::string, std::string>> found;
    uno::Sequence<OUString> names = entries->getElementNames();
    std::sort(names.begin(), names.end());
    for (const OUString &name : names) {
        const Reference<beans::XPropertySet> entry(entries->getByName(name), UNO_QUERY_THROW);
        OUString title, url;
        entry->getPropertyValue("Title") >>= title;
        entry->getPropertyValue("URL") >>= url;
        found.emplace_back(toStd(title), toStd(url));
    }
    return found;
}

void menuSession()
{
    QUIZ_SKIP_WITHOUT_THE_OFFICE();
    test::QuizRunner runner;
    const test::TestFolder &dir = runner.folder();
    const std::string folder = dir.str();
    test::Xvfb server(1024, 768);
    ASSERT_TRUE(server.running()) << "Xvfb did not start";
    const std::string connection = "pipe,name=quiz_test_menu_" + std::to_string(getpid());
    // What a presenter types into the question editor.
    dir.write("menu.uiscript", "text frmQuestion/txt_question Which moon is the largest?\n"
                               "select frmQuestion/cbo_optioncount 2\n"
                               "text frmQuestion/txt_option(0) Ganymede\n"
                               "text frmQuestion/txt_option(1) Titan\n"
                               "tick frmQuestion/chk_right(0) on\n"
                               "click frmQuestion/cmd_save\n");
    // The program as the office starts it: its words and standard error kept;
    // the phone controller is not started here.
    dir.write("quiz.sh", "#!/bin/sh\necho \"$@\" >>" + folder +
                             "/quiz.args\n[ \"$1\" = --phone-voting ] && exit 0\nexec " +
                             runner.quizBinary() + " \"$@\" 2>>" + folder + "/quiz.err\n");
    std::filesystem::permissions(folder + "/quiz.sh", std::filesystem::perms::owner_all);
    const auto env = test::nightEnvironment(dir, server.display(), connection, folder + "/quiz.sh", "menu");
    test::Child office = test::startNightOffice(dir, env, "quiznight.fodp");
    // The controller follows the office; the display it starts ends on a click.
    dir.write("end.uiscript", "click FrmTChartDisplay/TChart\n");
    std::map<std::string, std::string> controllerEnv = env;
    controllerEnv["TALVIX_UI_SCRIPT"] = folder + "/end.uiscript";
    test::Child controller({runner.controllerBinary(), "--impress", connection, "--socket",
                            folder + "/menu.sock", "--log", folder + "/menu.log"},
                           controllerEnv);
    // The presentation binds the QUIZ shape's click to a macro and lies in no
    // trusted location: the office says its macros are disabled. The menu works all the same.
    const std::string dismiss =
        "DISPLAY=" + server.display() + " xdotool search --name '^Warning$' windowfocus --sync %1 key Return";
    ASSERT_TRUE(
        test::waitFor([&] { return office.runningOrRestarted() && std::system(dismiss.c_str()) == 0; }, 150));
    ImpressHost host(connection);
    ASSERT_TRUE(test::waitThroughErrors(
        [&] { return office.runningOrRestarted() && host.attach() && host.slideCount() == 8; }, 150))
        << host.attachError();
    const OfficeConnection uno = connectOffice(connection);

    // The menu and the toolbar, as the office reads them from the extension.
    const std::string titles =
        "New voting question...|Edit voting question...||Quiz setup...|Quiz wizard...||"
        "Results table|Print quiz scores...|Export quiz results...|Participant list||"
        "Phone voting...|";
    for (const char *path :
         {kMenu, "/org.openoffice.Office.Addons/AddonUI/OfficeToolBar/org.talvix.quiz.toolbar"}) {
        std::string shown;
        for (const auto &[title, url] : addonEntries(uno, path)) {
            shown += title + "|";
            EXPECT_TRUE(url == "private:separator" ||
                        url.rfind("vnd.sun.star.script:TalvixQuiz.Menu.", 0) == 0)
                << url;
        }
        EXPECT_EQ(shown, titles) << path;
    }

    // A new empty slide at the end, selected, and the document unchanged.
    const Reference<frame::XModel> model = activePresentation(uno.desktop);
    Reference<drawing::XDrawPagesSupplier>(model, UNO_QUERY_THROW)->getDrawPages()->insertNewByIndex(7);
    const Reference<drawing::XDrawPage> page(
        Reference<drawing::XDrawPagesSupplier>(model, UNO_QUERY_THROW)->getDrawPages()->getByIndex(8),
        UNO_QUERY_THROW);
    Reference<drawing::XDrawView>(model->getCurrentController(), UNO_QUERY_THROW)->setCurrentPage(page);
    const Reference<util::XModifiable> modified(model, UNO_QUERY_THROW);
    modified->setModified(false);
    const Reference<document::XUndoManager> undo =
        Reference<document::XUndoManagerSupplier>(model, UNO_QUERY_THROW)->getUndoManager();
    undo->clear();

    // The entry dispatched as the menu dispatches it: the editor runs and saves.
    const auto dispatch = [&](const std::string &url) {
        frame::DispatchHelper::create(uno.context)
            ->executeDispatch(
                Reference<frame::XDispatchProvider>(model->getCurrentController()->getFrame(), UNO_QUERY),
                toOu(url), "_self", 0, uno::Sequence<beans::PropertyValue>());
    };
    dispatch(addonEntries(uno, kMenu).front().second);
    ASSERT_TRUE(test::waitFor(
        [&] { return dir.read("quizslds.txt").find("\"slide9.tlx\"") != std::string::npos; }, 90))
        << dir.read("quiz.err") << dir.read("menu.uiscript.log") << dir.read("dialogs.txt.log");
    ASSERT_TRUE(
        test::waitFor([&] { return host.slide(9).shapes.size() >= 1 && !host.slide(9).title.empty(); }, 30));
    const HostSlide made = host.slide(9);
    const auto vote = std::find_if(made.shapes.begin(), made.shapes.end(),
                                   [](const HostShape &s) { return s.name == "VOTE"; });
    ASSERT_NE(vote, made.shapes.end());
    EXPECT_EQ(vote->runString, folder + "/addin/tlxctrl slide9.tlx,1");
    EXPECT_EQ(made.title, "Which moon is the largest?");
    EXPECT_EQ(made.text, "1. Ganymede\n2. Titan\r");
    EXPECT_TRUE(modified->isModified());

    // The changes are undone in two steps; the office keeps the rectangle it
    // made through its API, no longer named VOTE (docs/impress.md).
    EXPECT_EQ(toStd(undo->getCurrentUndoActionTitle()), "Voting question text");
    undo->undo();
    undo->undo();
    const HostSlide undone = host.slide(9);
    EXPECT_TRUE(std::none_of(undone.shapes.begin(), undone.shapes.end(),
                             [](const HostShape &s) { return s.name == "VOTE"; }));
    host.runMacro("FindVoteSlides", {});
    EXPECT_EQ(dir.read("quizslds.txt").find("slide9.tlx"), std::string::npos);

    // "Phone voting..." names the presentation's folder.
    dispatch(addonEntries(uno, kMenu).back().second);
    EXPECT_TRUE(test::waitFor(
        [&] { return dir.read("quiz.args") == "QUESTION\n--phone-voting " + folder + "\n"; }, 30))
        << dir.read("quiz.args");

    // A click on the QUIZ shape during the show starts the quiz through the
    // controller, although the document's macros are disabled. Where the
    // shape lies on the screen: quiznight_test.cpp.
    const auto logHas = [&](const std::string &text) {
        return dir.read("menu.log").find(text) != std::string::npos;
    };
    const std::string setup = dir.read("quiz.quz");
    dir.write("quiz.quz", setup.substr(0, setup.find("autostart=True")) + "autostart=False" +
                              setup.substr(setup.find("autostart=True") + 14));
    host.startShow(6);
    ASSERT_TRUE(test::waitFor([&] { return logHas("following the show"); }, 30)) << dir.read("menu.log");
    bool started = false;
    for (int attempt = 0; attempt < 3 && !started; ++attempt)
        started = test::clickTheShow(server.display(), 510, 331) &&
                  test::waitFor([&] { return logHas("a click on a QUIZ shape: started"); }, 10);
    EXPECT_TRUE(started) << dir.read("menu.log");
    EXPECT_TRUE(
        test::waitFor([&] { return dir.read("end.uiscript.log").find("\"ok\"") != std::string::npos; }, 60))
        << dir.read("menu.log");
}

// A failure of the office is the test's failure, with the office's words.
TEST(TalvixMenu, EntriesAreInTheOfficeAndTheNewQuestionEntryMakesAVotingSlide)
{
    try {
        menuSession();
    } catch (const uno::Exception &error) {
        FAIL() << "the office failed: " << toStd(error.Message);
    } catch (const RunEnded &end) {
        FAIL() << end.reason;
    }
}

} // namespace
} // namespace quiz
