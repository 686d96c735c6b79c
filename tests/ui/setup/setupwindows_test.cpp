// SETUP and WIZARD in-process on a copy of the demo presentation folder: the
// real modes, windows and stand-in host; dialogs and the controller faked.

#include "adapters/qt/qteventpump.h"
#include "adapters/standinhost/standinhost.h"
#include "adapters/standinhost/standinwindowsystem.h"
#include "core/common/runend.h"
#include "core/controller/controllerlink.h"
#include "core/startup/workingfiles.h"
#include "fakes/controllerfakes.h"
#include "fakes/fakedialogs.h"
#include "support/quizrunner.h"
#include "ui/setup/commonsave.h"
#include "ui/setup/quizform.h"
#include "ui/setup/quizwizard.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

template <typename W> W *topLevel(const char *name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            return qobject_cast<W *>(w);
    return nullptr;
}

struct SetupRun : ::testing::Test {
    SetupRun()
    {
        std::string error;
        host = StandInHost::open(runner.hostPath(), &error);
        windows = std::make_unique<StandInWindowSystem>(*host);
        link = std::make_unique<ControllerLink>(ctx.state, channel, fakePump, dialogs, [] { endRun(0); });
        ctx.host = host.get();
        ctx.windows = windows.get();
        ctx.dialogs = &dialogs;
        ctx.pump = &pump;
        ctx.link = link.get();
        ctx.state.dataFolder = runner.folder().str();
        ctx.state.addinFolder = runner.dataPath("addin/");
        ctx.state.quizFileName = "quiz.quz";
        ctx.state.onFinishChoice = 0;
        ResetDisplayPositions(ctx.state);
    }
    ~SetupRun() override
    {
        for (const char *name : {"QuizForm", "QuizWizard"})
            delete topLevel<QWidget>(name);
    }
    template <typename W> W *child(QWidget *form, const QString &name)
    {
        W *w = form->findChild<W *>(name);
        EXPECT_TRUE(w) << name.toStdString();
        return w;
    }
    bool ends(const std::function<void()> &click)
    {
        try {
            click();
        } catch (const RunEnded &) {
            return true;
        }
        return false;
    }

    test::QuizRunner runner; // the copy of the demo folder
    std::unique_ptr<StandInHost> host;
    std::unique_ptr<StandInWindowSystem> windows;
    test::FakeDialogs dialogs;
    QtEventPump pump;
    test::FakePump fakePump;
    test::FakeChannel channel;
    std::unique_ptr<ControllerLink> link;
    RunContext ctx;
};

TEST_F(SetupRun, SetupFieldsAndRefusals)
{
    auto *form = new QuizForm(ctx, {}); // a new quiz: the layout was never set
    form->Form_Load();
    auto *text1 = child<QLineEdit>(form, "Text1");
    text1->setText("-4");
    EXPECT_EQ(text1->text(), "4");
    text1->setText("150");
    form->Text1_LostFocus();
    EXPECT_EQ(text1->text(), "99");
    EXPECT_EQ(ctx.state.displayCount, 99);

    child<QCheckBox>(form, "chk_ShowNumberOfMaxScorers")->click();
    EXPECT_EQ(text1->text(), "1");
    EXPECT_FALSE(text1->isEnabled());
    EXPECT_FALSE(child<QCheckBox>(form, "showScoresCheckBox")->isChecked());
    EXPECT_EQ(ctx.state.showScores, 0);

    form->OK_Click();
    child<QLineEdit>(form, "txt_KeypadsStartFrom")->setText("2");
    form->OK_Click();
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.messages[0].text, "Maximium of 99 keypads may be displayed");
    EXPECT_EQ(dialogs.messages[1].text, "Set display before saving");
    EXPECT_EQ(dialogs.messages[2].text, "Must display at least 1 keypad");
    EXPECT_TRUE(dialogs.kinds.size() == 3u); // no save dialog
}

TEST_F(SetupRun, SetDisplayRunsTheEditorOverTheShowAndComesBack)
{
    auto *form =
        new QuizForm(ctx, SetupWindowHooks{[&] {
                                               EXPECT_FALSE(topLevel<QWidget>("QuizForm")->isVisible());
                                               EXPECT_EQ(host->slideShowWindowCount(), 1);
                                               EXPECT_EQ(host->slideShowCurrentSlide(),
                                                         6); // the slide selected in the presentation
                                               for (auto &place : ctx.state.annotationPositions)
                                                   place[0] = {0.1, 0.1};
                                           },
                                           {}});
    form->Form_Load();
    form->show();
    form->SetDisplay_Click();
    EXPECT_TRUE(form->isVisible());
    dialogs.textAnswers = {std::nullopt};
    form->OK_Click(); // the layout now holds the places: on to the save dialog
    EXPECT_EQ(dialogs.kinds, std::vector<std::string>{"save"});
    EXPECT_EQ(dialogs.saveDefault, "quiz.quz");
}

TEST_F(SetupRun, WizardListButtonsAndPlacesBox)
{
    auto *wizard = new QuizWizard(ctx, {});
    wizard->Form_Load();
    auto *add = child<QPushButton>(wizard, "cmd_Add");
    auto *avail = child<QListWidget>(wizard, "lst_AvailVotes");
    EXPECT_FALSE(add->isEnabled());
    avail->setCurrentRow(2);
    EXPECT_TRUE(add->isEnabled());
    add->click();
    EXPECT_EQ(listItems(child<QListWidget>(wizard, "lst_VotesIn")), VoteList{"q3.tlx"});
    EXPECT_EQ(child<QPushButton>(wizard, "cmd_main(0)")->toolTip(), "You need to set the display layout");
    child<QPushButton>(wizard, "cmd_addall")->click();
    EXPECT_EQ(avail->count(), 0);
    auto *places = child<QLineEdit>(wizard, "txt_numkeypads");
    places->setText("150");
    wizard->txt_numkeypads_LostFocus();
    EXPECT_EQ(places->text(), "1");
    EXPECT_TRUE(ends([&] { wizard->Cancel_Click(); }));
    EXPECT_EQ(channel.sent.back(), "EndWizard");
}

TEST_F(SetupRun, WizardSetDisplayMakesItReadyUntilThePlacesChange)
{
    auto *wizard = new QuizWizard(
        ctx, SetupWindowHooks{[&] { EXPECT_FALSE(topLevel<QWidget>("QuizWizard")->isVisible()); }, {}});
    wizard->Form_Load();
    wizard->show();
    wizard->cmd_addall_Click();
    wizard->cmd_setdisplay_Click();
    EXPECT_EQ(wizard->quizSlide(), 7);
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_TRUE(wizard->CheckFinished().ready);
    EXPECT_EQ(child<QPushButton>(wizard, "cmd_setdisplay(0)")->text(), "Change Display Settings");
    auto *places = child<QLineEdit>(wizard, "txt_numkeypads");
    wizard->txt_numkeypads_MouseDown();
    places->setText("7");
    wizard->txt_numkeypads_LostFocus();
    EXPECT_FALSE(wizard->displaySet());
    delete wizard;
}

TEST_F(SetupRun, SaveDialogListsQuizFilesAndTakesAClickedName)
{
    runner.folder().write("quiz1.quz", "x");
    runner.folder().write("notes.txt", "x");
    CommonSave dialog;
    dialog.setFolder(runner.folder().str(), "*.quz");
    ASSERT_EQ(dialog.fileList()->count(), 2); // quiz.quz and quiz1.quz
    dialog.file_CurDir_Click(dialog.fileList()->item(1));
    EXPECT_EQ(dialog.fileNameBox()->text(), "quiz1");
    EXPECT_EQ(dialog.fileNameBox()->selectedText(), "quiz1");
    dialog.OKButton_Click();
    EXPECT_EQ(dialog.typedName(), "quiz1");
    dialog.CancelButton_Click();
    EXPECT_EQ(dialog.typedName(), std::nullopt);
}

} // namespace
} // namespace quiz
