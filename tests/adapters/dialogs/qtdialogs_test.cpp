#include "adapters/dialogs/qtdialogs.h"
#include "adapters/dialogs/unattendeddialogs.h"
#include "qtsupport/dialogconversions.h"
#include "support/rows.h"

#include <QApplication>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QMetaEnum>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

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

} // namespace

// Rows (dialogs/messageboxes.rows): the buttons and icon asked for, what the
// box shows, the button pressed and the answer it gives.
using MessageBoxes = quiz::test::RowTest;
TEST_P(MessageBoxes, ShowTitleIconAndButtonsWithTheFirstAsDefault)
{
    const quiz::test::Row &r = GetParam();
    // Names of the icon and of the buttons shown, "+" between buttons.
    const auto key = [](auto value) {
        QStringList keys;
        const QMetaEnum names = QMetaEnum::fromType<QMessageBox::StandardButtons>();
        for (int bit = 1; bit > 0 && std::is_same_v<decltype(value), QMessageBox::StandardButtons>; bit <<= 1)
            if (int(value) & bit)
                keys << names.valueToKey(bit);
        return keys.isEmpty() ? QString(QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(int(value)))
                              : keys.join('+');
    };
    QString shown;
    whenModalShows([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_NE(box, nullptr);
        shown = box->windowTitle() + ": " + box->text() + ", " + key(box->icon()) + ", " +
                key(box->standardButtons()) + ", " +
                key(QMessageBox::StandardButtons(box->standardButton(box->defaultButton())));
        for (QAbstractButton *button : box->buttons())
            if (key(QMessageBox::StandardButtons(box->standardButton(button))).toStdString() == r[5])
                return button->click();
        ADD_FAILURE() << "no button " << r[5];
        box->done(0);
    });
    const char *answers[] = {"Ok", "Cancel", "Yes", "No"};
    EXPECT_EQ(answers[int(QtDialogs().message("caf\xC3\xA9 text", "Confirm File Replace",
                                              MessageIcon(r.num(1)), MessageButtons(r.num(0))))],
              r[6]);
    EXPECT_EQ(shown.toStdString(),
              "Confirm File Replace: caf\xC3\xA9 text, " + r[2] + ", " + r[3] + ", " + r[4]);
}
QUIZ_ROWS(MessageBoxes, "dialogs/messageboxes.rows");

TEST(QtDialogs, InputBoxStartsFromTheDefaultAndCancelGivesNothing)
{
    whenModalShows([](QWidget *w) {
        auto *box = qobject_cast<QInputDialog *>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->labelText(), QStringLiteral("What type?"));
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Debug mode"));
        EXPECT_EQ(box->textValue(), QStringLiteral("ResultsTable"));
        box->setTextValue(QStringLiteral("print "));
        box->accept();
    });
    QtDialogs dialogs;
    EXPECT_EQ(dialogs.input("What type?", "Debug mode", "ResultsTable"), "print ");

    whenModalShows([](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
    EXPECT_EQ(dialogs.input("What type?", "Debug mode", "x"), std::nullopt);
}

TEST(QtDialogs, FontDialogStartsFromTheGivenFontAndKeepsItsColour)
{
    whenModalShows([](QWidget *w) {
        auto *dialog = qobject_cast<QFontDialog *>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Font"));
        EXPECT_EQ(dialog->currentFont().pointSize(), 20);
        EXPECT_TRUE(dialog->currentFont().bold());
        EXPECT_NE(dialog->findChild<QPushButton *>(QStringLiteral("fontColour")), nullptr);
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

using NameFilters = quiz::test::RowTest;

TEST_P(NameFilters, BecomeQtNameFiltersAndDefaultExtensions)
{
    EXPECT_EQ(qtNameFilter(GetParam()[0]).toStdString(), GetParam()[1]);
    EXPECT_EQ(withDefaultSuffix(GetParam()[3], defaultSuffixOfFilter(GetParam()[0])), GetParam()[4]);
    EXPECT_EQ(defaultSuffixOfFilter(GetParam()[0]), GetParam()[2]);
}
QUIZ_ROWS(NameFilters, "dialogs/namefilters.rows");

using OutputPaths = quiz::test::RowTest;

TEST_P(OutputPaths, AreTakenFromTheStartFolderWhenRelative)
{
    const std::string &value = GetParam()[0];
    EXPECT_EQ(unattendedOutputPath(value == "unset" ? nullptr : value.c_str(), GetParam()[1]), GetParam()[2]);
}
QUIZ_ROWS(OutputPaths, "dialogs/outputpaths.rows");
