#include "ui/common/screenmetrics.h"
#include "ui/results/frmloading.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

// Counts the times a window is shown.
struct ShowCounter : QObject {
    int shows = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        shows += event->type() == QEvent::Show;
        return false;
    }
};

TEST(Loading, ACentredTopmostWindowThatTheUserCannotCloseCountsUpToItsMaximum)
{
    std::vector<bool> enableCalls;
    frmLoading form([&](bool enable) { enableCalls.push_back(enable); });
    ShowCounter counter;
    form.installEventFilter(&counter);
    auto *bar = form.findChild<QProgressBar *>("prg_Loading");
    auto *label = form.findChild<QLabel *>("Label1");
    auto *timer = form.findChild<QTimer *>("tmr_Animate");
    ASSERT_TRUE(bar && label && timer);
    EXPECT_EQ(label->text().toStdString(), "|     Building Excel Workbook - Please Wait     |");
    form.tmr_Animate_Timer(); // the animation itself is tested in core
    EXPECT_EQ(label->text().toStdString(), " |    Building Excel Workbook - Please Wait    | ");

    form.SetUpProgressBar(5);
    form.IncrementProgressBar();
    form.SetUpProgressBar(2.5f); // a second set-up starts again without showing again
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(form.windowTitle().toStdString(), "Please Wait - Compiling Results");
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(form.height(), 690 / twipsPerPixelY());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(form.pos(), screen.topLeft() + QPoint((screen.width() - form.width()) / 2,
                                                    (screen.height() - form.height()) / 2));
    EXPECT_TRUE(timer->isActive());
    EXPECT_FALSE(form.close());
    std::vector<float> values;
    for (int i = 0; i < 4; ++i) {
        form.IncrementProgressBar();
        values.push_back(form.value());
    }
    EXPECT_EQ(values, (std::vector<float>{1, 2, 2.5f, 2.5f})); // stops at a fractional maximum
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(counter.shows, 1);

    ProgressView &view = form; // the port unloads: the presentation program comes back
    view.unload();
    EXPECT_EQ(enableCalls, (std::vector<bool>{true, false, true, false}));
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(timer->isActive());
}

} // namespace
} // namespace quiz
