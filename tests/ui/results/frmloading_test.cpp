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
class ShowCounter : public QObject
{
  public:
    int shows = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            ++shows;
        return false;
    }
};

struct LoadingTest : ::testing::Test {
    LoadingTest() : form([this](bool enable) { enableCalls.push_back(enable); })
    {
        form.installEventFilter(&counter);
    }
    ~LoadingTest() override { form.unload(); }
    QProgressBar *bar() { return form.findChild<QProgressBar *>("prg_Loading"); }
    QLabel *label() { return form.findChild<QLabel *>("Label1"); }
    QTimer *timer() { return form.findChild<QTimer *>("tmr_Animate"); }

    std::vector<bool> enableCalls;
    frmLoading form;
    ShowCounter counter;
};

TEST_F(LoadingTest, LoadingAndUnloadingEnableThenDisablePowerPointAndTheProgressPortUnloads)
{
    EXPECT_EQ(enableCalls, (std::vector<bool>{true, false}));
    ProgressView &view = form;
    view.setUpProgressBar(2);
    view.incrementProgressBar();
    EXPECT_FLOAT_EQ(form.value(), 1);
    view.unload();
    EXPECT_EQ(enableCalls, (std::vector<bool>{true, false, true, false}));
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(timer()->isActive());
}

TEST_F(LoadingTest, SetUpShowsACentredTopmostWindowWithAnEmptyBarThatTheUserCannotClose)
{
    EXPECT_EQ(form.objectName(), "frmLoading");
    ASSERT_NE(bar(), nullptr);
    ASSERT_NE(label(), nullptr);
    ASSERT_NE(timer(), nullptr);
    EXPECT_EQ(label()->text().toStdString(), "|     Building Excel Workbook - Please Wait     |");
    form.SetUpProgressBar(12);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowTitle().toStdString(), "Please Wait - Compiling Results");
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(form.height(), 690 / twipsPerPixelY());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(form.y(), screen.top() + (screen.height() - form.height()) / 2);
    EXPECT_EQ(form.x(), screen.left() + (screen.width() - form.width()) / 2);
    EXPECT_FLOAT_EQ(form.value(), 0);
    EXPECT_FLOAT_EQ(form.maximum(), 12);
    EXPECT_EQ(bar()->value(), 0);
    EXPECT_TRUE(bar()->isVisible());
    EXPECT_TRUE(timer()->isActive());
    EXPECT_EQ(counter.shows, 1);
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
}

TEST_F(LoadingTest, IncrementingStopsAtTheMaximumEvenAFractionalOne)
{
    form.SetUpProgressBar(2.5f);
    std::vector<float> values;
    for (int i = 0; i < 4; ++i) {
        form.IncrementProgressBar();
        values.push_back(form.value());
    }
    EXPECT_EQ(values, (std::vector<float>{1, 2, 2.5f, 2.5f}));
    EXPECT_EQ(bar()->value(), bar()->maximum());
}

TEST_F(LoadingTest, ASecondSetUpResetsTheBarWithoutShowingAgain)
{
    form.SetUpProgressBar(5);
    form.IncrementProgressBar();
    form.IncrementProgressBar();
    form.SetUpProgressBar(10);
    EXPECT_FLOAT_EQ(form.value(), 0);
    EXPECT_EQ(bar()->value(), 0);
    EXPECT_FLOAT_EQ(form.maximum(), 10);
    EXPECT_EQ(counter.shows, 1);
}

// The caption's animation is tested in core; here one tick reaches the label.
TEST_F(LoadingTest, EachTickMovesTheBars)
{
    form.tmr_Animate_Timer();
    EXPECT_EQ(label()->text().toStdString(), " |    Building Excel Workbook - Please Wait    | ");
}

} // namespace
} // namespace quiz
