// UI scripts against a test form (a text field, a check box, a list and tabs,
// one of them disabled): what each action does, and the faults the program's
// windows cannot show, with their log line and exit code. The mouse, keys,
// menus, dialogs, waits and the other faults on the program's own windows are
// scenarios (tests/data/e2e: uiscript-*, setup, resultstable).

#include "adapters/uiscript/uiscriptrunner.h"
#include "support/rows.h"
#include "support/testfolder.h"
#include "support/wait.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
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

// A text field, a check box, a list and tabs, one of them disabled.
class TestForm : public QWidget
{
  public:
    TestForm()
    {
        setObjectName("TestForm");
        connect(add("Check1", new QCheckBox("Check")), &QCheckBox::toggled,
                [](bool on) { note(on ? "ticked" : "unticked"); });
        auto *list = add("List1", new QListWidget);
        list->addItems({"Alpha", "Beta", "Gamma"});
        connect(list, &QListWidget::currentTextChanged,
                [](const QString &t) { note("current " + t.toStdString()); });
        auto *tabs = add("tabView", new QTabWidget);
        for (const char *caption : {"&First", "Second", "Third"})
            tabs->addTab(new QWidget, caption);
        tabs->setTabEnabled(2, false);
        connect(tabs, &QTabWidget::currentChanged, [](int i) { note("tab " + std::to_string(i)); });
        // Last: the form's first control takes the focus when it is shown.
        text_ = add("Text1", new QLineEdit);
        text_->setMaxLength(5);
        text_->installEventFilter(this);
        connect(text_, &QLineEdit::textEdited, [](const QString &t) { note("edited:" + t.toStdString()); });
    }

  protected:
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
        form.show();
    }

    TestForm form;
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
