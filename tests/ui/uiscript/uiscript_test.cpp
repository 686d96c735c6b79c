// UI scripts against a test form (every kind of control the windows use) and
// the display window: what each action does, and each fault with its log
// line and exit code.

#include "adapters/uiscript/uiscriptrunner.h"
#include "core/startup/runcontext.h"
#include "support/rows.h"
#include "support/standin.h"
#include "support/testfolder.h"
#include "ui/display/frmtchartdisplay.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <algorithm>

namespace quiz
{
namespace
{

using Trace = std::vector<std::string>;
Trace trace; // what the windows saw, in order

void note(const std::string &what)
{
    trace.push_back(what);
}

std::string at(QPoint p)
{
    return std::to_string(p.x()) + "," + std::to_string(p.y());
}

// Records the mouse and keys it gets; a right click opens the pop-up menu
// "menuQuiz" with exec() and records the entry chosen.
class Canvas : public QWidget
{
  public:
    Canvas() { setFixedSize(200, 150); }

  protected:
    void mousePressEvent(QMouseEvent *e) override
    {
        moves_ = 0;
        note("press " + at(e->position().toPoint()));
    }
    void mouseMoveEvent(QMouseEvent *) override { ++moves_; }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        note("release " + at(e->position().toPoint()) + " moves " + std::to_string(moves_));
    }
    void mouseDoubleClickEvent(QMouseEvent *e) override { note("double " + at(e->position().toPoint())); }
    void keyPressEvent(QKeyEvent *e) override
    {
        note("canvas key " + QKeySequence(e->keyCombination()).toString().toStdString());
    }
    void contextMenuEvent(QContextMenuEvent *e) override
    {
        note("context " + at(e->pos()));
        QMenu menu(this);
        menu.setObjectName("menuQuiz");
        menu.addAction("A")->setObjectName("mnuA");
        menu.addAction("B")->setObjectName("mnuB");
        menu.actions().back()->setEnabled(false);
        menu.addMenu("More")->addAction("C")->setObjectName("mnuC");
        QAction *chosen = menu.exec(e->globalPos());
        note("chosen " + (chosen ? chosen->objectName().toStdString() : std::string("none")));
    }

  private:
    int moves_ = 0;
};

// One control of each kind the windows use.
class TestForm : public QWidget
{
  public:
    TestForm()
    {
        setObjectName("TestForm");
        auto *bar = new QMenuBar(this);
        layout_->setMenuBar(bar);
        QAction *save = bar->addMenu("&File")->addAction("Save");
        save->setObjectName("mnuSave");
        connect(save, &QAction::triggered, [] { note("save"); });
        for (int i = 0; i < 3; ++i)
            connect(add(QString("Command1(%1)").arg(i), new QPushButton("Button")), &QPushButton::clicked,
                    [i] { note("clicked " + std::to_string(i)); });
        findChild<QWidget *>("Command1(1)")->setEnabled(false);
        findChild<QWidget *>("Command1(2)")->hide();
        text_ = add("Text1", new QLineEdit);
        text_->setMaxLength(5);
        text_->installEventFilter(this);
        connect(text_, &QLineEdit::textEdited, [](const QString &t) { note("edited:" + t.toStdString()); });
        connect(add("Check1", new QCheckBox("Check")), &QCheckBox::toggled,
                [](bool on) { note(on ? "ticked" : "unticked"); });
        auto *combo = add("Combo1", new QComboBox);
        combo->addItems({"One", "Two"});
        connect(combo, &QComboBox::activated, [](int i) { note("activated " + std::to_string(i)); });
        auto *list = add("List1", new QListWidget);
        list->addItems({"Alpha", "Beta", "Gamma"});
        connect(list, &QListWidget::currentTextChanged,
                [](const QString &t) { note("current " + t.toStdString()); });
        connect(list, &QListWidget::itemDoubleClicked,
                [](QListWidgetItem *item) { note("opened " + item->text().toStdString()); });
        auto *tabs = add("tabView", new QTabWidget);
        for (const char *caption : {"&First", "Second", "Third"})
            tabs->addTab(new QWidget, caption);
        tabs->setTabEnabled(2, false);
        connect(tabs, &QTabWidget::currentChanged, [](int i) { note("tab " + std::to_string(i)); });
        add("Canvas", new Canvas);
        connect(add("cmdDialog", new QPushButton("Dialog")), &QPushButton::clicked, [this] {
            QDialog dialog(this);
            dialog.setObjectName("DlgTest");
            auto *ok = new QPushButton("OK", &dialog);
            ok->setObjectName("cmdOK");
            connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
            note("dialog " + std::to_string(dialog.exec()));
        });
    }

  protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        note("form key " + QKeySequence(e->keyCombination()).toString().toStdString());
    }
    void closeEvent(QCloseEvent *) override { note("closed"); }
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut)
            note((e->type() == QEvent::FocusIn ? "focus in:" : "focus out:") + text_->text().toStdString());
        return false;
    }

  private:
    template <class T> T *add(const QString &name, T *widget)
    {
        widget->setObjectName(name);
        layout_->addWidget(widget);
        return widget;
    }
    QVBoxLayout *layout_ = new QVBoxLayout(this);
    QLineEdit *text_ = nullptr;
};

class UiScriptRun : public test::RowTest
{
  protected:
    void SetUp() override
    {
        trace.clear();
        ctx.state.modeWord = "DISPLAY";
        DisplayWindowHooks hooks;
        hooks.quitQuiz = [this] { note("quit " + std::to_string(ctx.state.onFinishChoice)); };
        hooks.fade = [](QWidget *w, int, int to, bool) {
            note("fade");
            if (to == 0)
                w->hide();
        };
        display = std::make_unique<FrmTChartDisplay>(ctx, hooks);
        display->resize(400, 300);
        display->chart()->setGeometry(display->rect());
        display->show();
        form.show();
        // A window that appears a moment after the script starts.
        late.setObjectName("LateForm");
        auto *go = new QPushButton("Go", &late);
        go->setObjectName("Go");
        QObject::connect(go, &QPushButton::clicked, [] { note("go"); });
        QTimer::singleShot(100, &late, [this] { late.show(); });
    }

    RunContext ctx;
    TestForm form;
    QWidget late;
    std::unique_ptr<FrmTChartDisplay> display;
    test::TestFolder folder;
};

TEST_P(UiScriptRun, ActsOnTheWindowsAndLogsEachAction)
{
    const test::Row &row = GetParam();
    const int expectedExit = row.num(3);
    int exitCode = -1;
    std::string reason;
    const UiScript script = parseUiScript(row[0]);
    UiScriptRunner runner(
        script, folder.str() + "/script.log",
        [&](int code, const std::string &why) {
            exitCode = code;
            reason = why;
            // As the program's end leaves every loop: a pop-up's exec() returns.
            if (QWidget *popup = QApplication::activePopupWidget())
                popup->close();
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        },
        2000);
    runner.start();
    const int count = static_cast<int>(script.actions.size());
    ASSERT_TRUE(test::waitUntil([&] { return runner.stopped() || runner.actionsDone() == count; }, 5000));
    // The last input's own events may still be on their way: wait for what the windows saw.
    const std::vector<std::string> expected = row.list(1, ';');
    test::waitUntil([&] { return trace == expected; }, 2000);
    if (expectedExit >= 0) {
        ASSERT_TRUE(test::waitUntil([&] { return runner.stopped(); }, 5000));
    }

    EXPECT_EQ(trace, expected);
    EXPECT_EQ(exitCode, expectedExit) << reason;
    EXPECT_NE(reason.find(row[4]), std::string::npos) << reason;
    const std::string log = folder.read("script.log");
    const std::string last = log.substr(log.rfind('\n', log.size() - 2) + 1);
    EXPECT_NE(last.find("\"result\":\"" + row[2] + "\""), std::string::npos) << log;
    if (expectedExit < 0) {
        EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), count);
    }
}

QUIZ_ROWS(UiScriptRun, "ui/uiscript.rows");

} // namespace
} // namespace quiz
