#include "adapters/dialogs/dialogconversions.h"
#include "adapters/dialogs/makedialogs.h"
#include "adapters/dialogs/qtdialogs.h"
#include "adapters/dialogs/scripteddialogs.h"
#include "core/common/runend.h"
#include "support/testfolder.h"

#include <QApplication>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

using namespace quiz;

namespace
{

// Runs `act` on the first modal dialog once it is up.
void whenModalShows(std::function<void(QWidget *)> act)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start();
}

struct SeenBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

MessageAnswer answerBox(MessageButtons buttons, MessageIcon icon, QMessageBox::StandardButton press,
                        SeenBox &seen)
{
    whenModalShows([&seen, press](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_NE(box, nullptr);
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.defaultButton = box->standardButton(box->defaultButton());
        box->button(press)->click();
    });
    QtDialogs dialogs;
    return dialogs.message("caf\xC3\xA9 text", "Confirm File Replace", icon, buttons);
}

} // namespace

TEST(QtDialogs, MessageBoxShowsTitleIconAndButtonsWithTheFirstAsDefault)
{
    struct Case {
        MessageButtons buttons;
        MessageIcon icon;
        QMessageBox::StandardButtons qtButtons;
        QMessageBox::Icon qtIcon;
        QMessageBox::StandardButton defaultButton, press;
        MessageAnswer answer;
    } cases[] = {
        // clang-format off
        {MessageButtons::Ok, MessageIcon::Critical, QMessageBox::Ok, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok, MessageAnswer::Ok},
        {MessageButtons::OkCancel, MessageIcon::Exclamation, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Cancel, MessageAnswer::Cancel},
        {MessageButtons::YesNo, MessageIcon::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Question, QMessageBox::Yes, QMessageBox::No, MessageAnswer::No},
        {MessageButtons::YesNoCancel, MessageIcon::Information, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Information, QMessageBox::Yes, QMessageBox::Yes, MessageAnswer::Yes},
        {MessageButtons::Ok, MessageIcon::None, QMessageBox::Ok, QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok, MessageAnswer::Ok},
        // clang-format on
    };
    for (const auto &c : cases) {
        SeenBox seen;
        EXPECT_EQ(answerBox(c.buttons, c.icon, c.press, seen), c.answer);
        EXPECT_EQ(seen.title, QStringLiteral("Confirm File Replace"));
        EXPECT_EQ(seen.text, QString::fromUtf8("caf\xC3\xA9 text"));
        EXPECT_EQ(seen.icon, c.qtIcon);
        EXPECT_EQ(seen.buttons, c.qtButtons);
        EXPECT_EQ(seen.defaultButton, c.defaultButton);
    }
}

TEST(QtDialogs, InputBoxStartsFromTheDefaultAndCancelGivesNothing)
{
    QString seenLabel, seenTitle, seenPreset;
    whenModalShows([&](QWidget *w) {
        auto *box = qobject_cast<QInputDialog *>(w);
        ASSERT_NE(box, nullptr);
        seenLabel = box->labelText();
        seenTitle = box->windowTitle();
        seenPreset = box->textValue();
        box->setTextValue(QStringLiteral("print "));
        box->accept();
    });
    QtDialogs dialogs;
    EXPECT_EQ(dialogs.input("What type?", "Debug mode", "ResultsTable"), "print ");
    EXPECT_EQ(seenLabel, QStringLiteral("What type?"));
    EXPECT_EQ(seenTitle, QStringLiteral("Debug mode"));
    EXPECT_EQ(seenPreset, QStringLiteral("ResultsTable"));

    whenModalShows([](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
    EXPECT_EQ(dialogs.input("What type?", "Debug mode", "x"), std::nullopt);
}

TEST(QtDialogs, FontDialogStartsFromTheGivenFontAndKeepsItsColour)
{
    QString title;
    QFont shownFont;
    bool hasColourButton = false;
    whenModalShows([&](QWidget *w) {
        auto *dialog = qobject_cast<QFontDialog *>(w);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        shownFont = dialog->currentFont();
        hasColourButton = dialog->findChild<QPushButton *>(QStringLiteral("fontColour")) != nullptr;
        // Styles depend on the fonts installed; the effects do not.
        QFont font = dialog->currentFont();
        font.setUnderline(true);
        font.setStrikeOut(true);
        dialog->setCurrentFont(font);
        dialog->accept();
    });
    QtDialogs dialogs;
    const FontChoice initial{"DejaVu Sans", 20, true, false, false, false, 0x0000FF};
    const auto chosen = dialogs.font("Font", initial);
    EXPECT_EQ(title, QStringLiteral("Font"));
    EXPECT_EQ(shownFont.pointSize(), 20);
    EXPECT_TRUE(shownFont.bold());
    EXPECT_TRUE(hasColourButton);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->size, 20);
    EXPECT_TRUE(chosen->bold);
    EXPECT_TRUE(chosen->underline);
    EXPECT_TRUE(chosen->strikeThrough);
    EXPECT_EQ(chosen->colour, 0x0000FFu);

    whenModalShows([](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
    EXPECT_EQ(dialogs.font("Font", initial), std::nullopt);
}

TEST(DialogConversions, ColoursAreBlueGreenRed)
{
    EXPECT_EQ(colourFromBgr(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(colourFromBgr(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(colourFromBgr(0x336699), QColor(0x99, 0x66, 0x33));
    for (std::uint32_t bgr : {0u, 0xFFu, 0xFF00u, 0xFF0000u, 0x123456u, 0xFFFFFFu})
        EXPECT_EQ(bgrFromColour(colourFromBgr(bgr)), bgr);
}

TEST(DialogConversions, FontChoiceRoundTripsThroughQFont)
{
    const FontChoice choice{"DejaVu Sans", 18, true, true, false, true, 0x00FF00};
    const QFont font = qFontFromChoice(choice);
    EXPECT_EQ(font.pointSize(), 18);
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_FALSE(font.underline());
    EXPECT_TRUE(font.strikeOut());
    EXPECT_EQ(choiceFromQFont(font, 0x00FF00), choice);
}

TEST(DialogConversions, WindowsStyleFiltersBecomeQtNameFilters)
{
    struct Case {
        const char *filter;
        const char *qt;
    } cases[] = {
        {"XLS files (*.xls)|*.xls", "XLS files (*.xls)"},
        {"Microsoft Office Excel Workbook (*.xls)|*.xls", "Microsoft Office Excel Workbook (*.xls)"},
        {"Quiz files|*.quz|All files|*.*", "Quiz files (*.quz);;All files (*.*)"},
        {"Pictures|*.png;*.jpg", "Pictures (*.png *.jpg)"},
        {"*.quz", "*.quz"},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(qtNameFilter(c.filter).toStdString(), c.qt) << c.filter;
}

TEST(MakeDialogs, ScriptedWhenTheAnswersVariableIsSet)
{
    quiz::test::TestFolder folder;
    const auto answers = folder.write("answers", "No\n").string();
    ::setenv("TALVIX_DIALOGS", answers.c_str(), 1);
    auto dialogs = makeDialogs();
    ::unsetenv("TALVIX_DIALOGS");
    auto *scripted = dynamic_cast<ScriptedDialogs *>(dialogs.get());
    ASSERT_NE(scripted, nullptr);
    EXPECT_EQ(scripted->message("m", "t", MessageIcon::None, MessageButtons::YesNo), MessageAnswer::No);
    EXPECT_EQ(scripted->logPath(), answers + ".log");

    // Without answers and without a screen (these tests run offscreen) the
    // first dialog ends the run instead of waiting for nobody.
    auto plain = makeDialogs();
    EXPECT_EQ(dynamic_cast<QtDialogs *>(plain.get()), nullptr);
    try {
        plain->print("Print Quiz Score Summary");
        ADD_FAILURE() << "the dialog waited";
    } catch (const quiz::RunEnded &end) {
        EXPECT_EQ(end.exitCode, 2);
        EXPECT_NE(end.reason.find("TALVIX_DIALOGS"), std::string::npos) << end.reason;
    }
}
