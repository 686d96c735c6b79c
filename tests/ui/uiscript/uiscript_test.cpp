// UI scripts against a test form (every kind of control the windows use) and
// the display window: what each action does, and each fault with its log
// line and exit code.

#include "adapters/uiscript/uiscriptrunner.h"
#include "core/startup/runcontext.h"
#include "support/standin.h"
#include "support/testfolder.h"
#include "ui/display/frmtchartdisplay.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <fstream>

namespace quiz
{
namespace
{

using Trace = std::vector<std::string>;

std::string at(QPoint p)
{
    return std::to_string(p.x()) + "," + std::to_string(p.y());
}

std::string keys(QKeyEvent *e)
{
    return QKeySequence(e->keyCombination()).toString().toStdString();
}

// Records the mouse and keys it gets; a right click opens the pop-up menu
// "menuQuiz" with exec() and records the entry chosen.
class Canvas : public QWidget
{
  public:
    Canvas(Trace &trace, QWidget *parent) : QWidget(parent), trace_(trace) { setFixedSize(200, 150); }

  protected:
    void mousePressEvent(QMouseEvent *e) override
    {
        moves_ = 0;
        trace_.push_back("press " + at(e->position().toPoint()));
    }
    void mouseMoveEvent(QMouseEvent *) override { ++moves_; }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        trace_.push_back("release " + at(e->position().toPoint()) + " moves " + std::to_string(moves_));
    }
    void mouseDoubleClickEvent(QMouseEvent *e) override
    {
        trace_.push_back("double " + at(e->position().toPoint()));
    }
    void keyPressEvent(QKeyEvent *e) override { trace_.push_back("canvas key " + keys(e)); }
    void contextMenuEvent(QContextMenuEvent *e) override
    {
        trace_.push_back("context " + at(e->pos()));
        QMenu menu(this);
        menu.setObjectName("menuQuiz");
        menu.addAction("A")->setObjectName("mnuA");
        menu.addAction("B")->setObjectName("mnuB");
        menu.actions().back()->setEnabled(false);
        QMenu *more = menu.addMenu("More");
        more->addAction("C")->setObjectName("mnuC");
        QAction *chosen = menu.exec(e->globalPos());
        trace_.push_back("chosen " + (chosen ? chosen->objectName().toStdString() : std::string("none")));
    }

  private:
    Trace &trace_;
    int moves_ = 0;
};

class TestForm : public QWidget
{
  public:
    explicit TestForm(Trace &trace) : trace_(trace)
    {
        setObjectName("TestForm");
        auto *layout = new QVBoxLayout(this);
        auto *bar = new QMenuBar(this);
        layout->setMenuBar(bar);
        QMenu *file = bar->addMenu("&File");
        file->setObjectName("mnuFile");
        QAction *save = file->addAction("Save");
        save->setObjectName("mnuSave");
        connect(save, &QAction::triggered, this, [this] { trace_.push_back("save"); });

        for (int i = 0; i < 3; ++i) {
            auto *button = new QPushButton(QString("Button %1").arg(i), this);
            button->setObjectName(QString("Command1(%1)").arg(i));
            connect(button, &QPushButton::clicked, this,
                    [this, i] { trace_.push_back("clicked " + std::to_string(i)); });
            layout->addWidget(button);
        }
        findChild<QWidget *>("Command1(1)")->setEnabled(false);
        findChild<QWidget *>("Command1(2)")->hide();

        text = new QLineEdit(this);
        text->setObjectName("Text1");
        text->setMaxLength(5);
        text->installEventFilter(this);
        connect(text, &QLineEdit::textEdited, this,
                [this](const QString &t) { trace_.push_back("edited " + t.toStdString()); });
        layout->addWidget(text);

        auto *check = new QCheckBox("Check", this);
        check->setObjectName("Check1");
        connect(check, &QCheckBox::toggled, this,
                [this](bool on) { trace_.push_back(on ? "ticked" : "unticked"); });
        layout->addWidget(check);

        auto *combo = new QComboBox(this);
        combo->setObjectName("Combo1");
        combo->addItems({"One", "Two"});
        connect(combo, &QComboBox::activated, this,
                [this](int i) { trace_.push_back("activated " + std::to_string(i)); });
        layout->addWidget(combo);

        auto *list = new QListWidget(this);
        list->setObjectName("List1");
        list->addItems({"Alpha", "Beta", "Gamma"});
        connect(list, &QListWidget::currentTextChanged, this,
                [this](const QString &t) { trace_.push_back("current " + t.toStdString()); });
        connect(list, &QListWidget::itemDoubleClicked, this,
                [this](QListWidgetItem *item) { trace_.push_back("opened " + item->text().toStdString()); });
        layout->addWidget(list);

        auto *tabs = new QTabWidget(this);
        tabs->setObjectName("tabView");
        tabs->addTab(new QWidget, "&First");
        tabs->addTab(new QWidget, "Second");
        tabs->addTab(new QWidget, "Third");
        tabs->setTabEnabled(2, false);
        connect(tabs, &QTabWidget::currentChanged, this,
                [this](int i) { trace_.push_back("tab " + std::to_string(i)); });
        layout->addWidget(tabs);

        auto *canvas = new Canvas(trace, this);
        canvas->setObjectName("Canvas");
        layout->addWidget(canvas);
    }

    QLineEdit *text;

  protected:
    void keyPressEvent(QKeyEvent *e) override { trace_.push_back("form key " + keys(e)); }
    void closeEvent(QCloseEvent *) override { trace_.push_back("closed"); }
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut)
            trace_.push_back((e->type() == QEvent::FocusIn ? "focus in " : "focus out ") +
                             text->text().toStdString());
        return false;
    }

  private:
    Trace &trace_;
};

struct Row {
    const char *name;
    const char *script;
    Trace trace;         // what the windows saw
    const char *result;  // the last log line's result
    int exitCode;        // -1: the script ran to its end
    const char *message; // part of the one line the run ends with
};

void PrintTo(const Row &r, std::ostream *os)
{
    *os << r.name;
}

class UiScriptRun : public ::testing::TestWithParam<Row>
{
  protected:
    void SetUp() override
    {
        ctx.state.modeWord = "DISPLAY";
        DisplayWindowHooks hooks;
        hooks.quitQuiz = [this] { trace.push_back("quit " + std::to_string(ctx.state.onFinishChoice)); };
        hooks.fade = [this](QWidget *w, int, int to, bool) {
            trace.push_back("fade");
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
        QObject::connect(go, &QPushButton::clicked, [this] { trace.push_back("go"); });
        QTimer::singleShot(100, &late, [this] { late.show(); });
    }

    std::vector<std::string> logLines() const
    {
        std::vector<std::string> lines;
        std::ifstream in(folder.str() + "/script.log");
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    RunContext ctx;
    Trace trace;
    TestForm form{trace};
    QWidget late;
    std::unique_ptr<FrmTChartDisplay> display;
    test::TestFolder folder;
};

TEST_P(UiScriptRun, ActsOnTheWindowsAndLogsEachAction)
{
    const Row &row = GetParam();
    int exitCode = -1;
    std::string reason;
    const UiScript script = parseUiScript(row.script);
    UiScriptRunner runner(
        script, folder.str() + "/script.log",
        [&](int code, const std::string &why) {
            exitCode = code;
            reason = why;
            // As the program's end leaves every loop: a pop-up's exec() returns.
            if (QWidget *popup = QApplication::activePopupWidget())
                popup->close();
        },
        1000);
    runner.start();
    const int count = static_cast<int>(script.actions.size());
    ASSERT_TRUE(test::waitUntil([&] { return runner.stopped() || runner.actionsDone() == count; }, 3000));
    test::waitUntil([] { return false; }, 30); // the last input's own events
    if (row.exitCode >= 0)
        ASSERT_TRUE(test::waitUntil([&] { return runner.stopped(); }, 3000));

    EXPECT_EQ(trace, row.trace);
    EXPECT_EQ(exitCode, row.exitCode) << reason;
    EXPECT_NE(reason.find(row.message), std::string::npos) << reason;
    const auto log = logLines();
    ASSERT_FALSE(log.empty());
    EXPECT_NE(log.back().find(std::string("\"result\":\"") + row.result + "\""), std::string::npos)
        << log.back();
    if (row.exitCode < 0)
        EXPECT_EQ(static_cast<int>(log.size()), count);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, UiScriptRun, ::testing::Values(
    Row{"ClickArrayElement", "click TestForm/Command1(0)", {"clicked 0"}, "ok", -1, ""},
    Row{"ClickAtAPoint", "click TestForm/Canvas 12 34", {"press 12,34", "release 12,34 moves 0"}, "ok", -1, ""},
    Row{"DoubleClick", "dblclick TestForm/Canvas",
        {"press 99,74", "release 99,74 moves 0", "press 99,74", "double 99,74", "release 99,74 moves 0"}, "ok", -1, ""},
    Row{"DoubleClickAListItem", "dblclick TestForm/List1 Beta", {"current Beta", "opened Beta"}, "ok", -1, ""},
    Row{"Drag", "drag TestForm/Canvas 10 10 60 -20", {"press 10,10", "release 60,-20 moves 5"}, "ok", -1, ""},
    Row{"RightClickAndPopUpEntry", "rightclick TestForm/Canvas 5 6\nmenu menuQuiz mnuA",
        {"press 5,6", "release 5,6 moves 0", "context 5,6", "chosen mnuA"}, "ok", -1, ""},
    Row{"PopUpSubMenuEntry", "rightclick TestForm/Canvas 5 6\nmenu menuQuiz mnuC",
        {"press 5,6", "release 5,6 moves 0", "context 5,6", "chosen mnuC"}, "ok", -1, ""},
    Row{"MenuBarEntry", "menu TestForm mnuSave", {"save"}, "ok", -1, ""},
    Row{"KeysToTheWindow", "key TestForm PgDown, Shift+Left", {"form key PgDown", "form key Shift+Left"}, "ok", -1, ""},
    Row{"KeysToAControl", "key TestForm/Canvas Ctrl+A", {"canvas key Ctrl+A"}, "ok", -1, ""},
    Row{"TextAsTyped", "text TestForm/Text1 abcdefg\ntext TestForm/Text1",
        {"focus in ", "edited abcde", "focus out abcde", "focus in abcde", "edited ", "focus out "}, "ok", -1, ""},
    Row{"Tick", "tick TestForm/Check1 on\ntick TestForm/Check1 on\ntick TestForm/Check1 off",
        {"ticked", "unticked"}, "ok", -1, ""},
    Row{"SelectEachKind", "select TestForm/Combo1 Two\nselect TestForm/List1 Gamma\nselect TestForm/tabView Second",
        {"activated 1", "current Gamma", "tab 1"}, "ok", -1, ""},
    Row{"WaitsForItsWindow", "wait 10\nclick LateForm/Go", {"go"}, "ok", -1, ""},
    Row{"Close", "close TestForm", {"closed"}, "ok", -1, ""},
    Row{"DisplayClickEnds", "click FrmTChartDisplay", {"quit 1"}, "ok", -1, ""},
    Row{"DisplayKeyEndsAndStays", "key FrmTChartDisplay Q", {"fade", "quit 0"}, "ok", -1, ""},
    Row{"MissingControl", "click TestForm/Command1(0)\nclick TestForm/Command9\nclick TestForm/Command1(0)",
        {"clicked 0"}, "missing", 83, "ui script line 2: no control Command9 in TestForm after 1000 ms"},
    Row{"MissingWindow", "click NoSuchForm", {}, "missing", 83, "the window NoSuchForm is not shown"},
    Row{"DisabledControl", "click TestForm/Command1(1)", {}, "disabled", 85, "Command1(1) is disabled"},
    Row{"HiddenControl", "click TestForm/Command1(2)", {}, "hidden", 84, "Command1(2) is hidden"},
    Row{"DisabledEntry", "rightclick TestForm/Canvas\nmenu menuQuiz mnuB",
        {"press 99,74", "release 99,74 moves 0", "context 99,74", "chosen none"}, "disabled", 85, "mnuB is disabled"},
    Row{"DisabledTab", "select TestForm/tabView Third", {}, "disabled", 85, "Third"},
    Row{"UnknownAction", "click TestForm/Command1(0)\npush TestForm/Command1(0)", {}, "unknown", 81,
        "line 2: unknown action \"push\""},
    Row{"BadLine", "drag TestForm/Canvas 1 2", {}, "badline", 82, "line 1: drag takes"},
    Row{"BadKeys", "key TestForm Shift+Nokey", {}, "badline", 82, "names no keys"},
    Row{"NoSuchItem", "select TestForm/Combo1 Nine", {}, "unfit", 86, "no item \"Nine\""},
    Row{"NothingToTick", "tick TestForm/Command1(0) on", {}, "unfit", 86, "cannot be ticked"},
    Row{"ScriptEndsBeforeTheRun", "click TestForm/Command1(0)", {"clicked 0"}, "unfinished", 87,
        "the run did not end within 1000 ms"}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

} // namespace
} // namespace quiz
