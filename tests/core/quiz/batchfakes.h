#pragma once

// Fakes for the printed summary and the results export: a presentation with
// slides, dialogs with scripted answers, a printer and a workbook writer that
// keep what they were given.

#include "core/workbook/workbook.h"
#include "fakes/presentationfakes.h"
#include "ports/eventpump.h"
#include "ports/printer.h"
#include "ports/progress.h"
#include "ports/workbookwriter.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace quiz::test
{

// A four-option question file with its right answer and, when given, its
// weightings record.
inline std::string questionFile(const std::string &correct, const std::string &weightings = "")
{
    std::string text =
        "2,4,0,\"T\",\"Q?\",\"Single\",\"Bar\",0,\"\"\r\n\"a\",1,0\r\n\"b\",2,0\r\n\"c\",3,0\r\n"
        "\"d\",4,0\r\n\"Arial\",24,0\r\n\"Bar\",16777215,#TRUE#\r\n30,#FALSE#,0\r\n\"" +
        correct + "\",#TRUE#\r\n";
    if (!weightings.empty())
        text += "\"QUESTION WEIGHTINGS\",\"" + weightings + "\"\r\n";
    return text;
}

class SlidesHost : public FakeHost
{
  public:
    std::vector<HostSlide> slides;
    bool failOnSlides = false;

    HostSlide &addSlide(std::vector<std::pair<std::string, std::string>> shapes)
    {
        HostSlide &slide = slides.emplace_back();
        for (auto &[name, run] : shapes)
            slide.shapes.push_back(HostShape{name, run, {}});
        return slide;
    }
    int slideCount() override
    {
        if (failOnSlides)
            throw HostError(-2147467259, "PowerPoint", "Presentation (unknown member) : Invalid request.");
        return static_cast<int>(slides.size());
    }
    HostSlide slide(int index) override { return slides.at(static_cast<size_t>(index - 1)); }
};

// Answers the save and print dialogs from lists (none left: cancelled) and
// message boxes with Yes/No questions from a list (none left: Yes).
class AnswerDialogs : public Dialogs
{
  public:
    struct Shown {
        std::string kind, text, title, defaultName, filter;
        MessageIcon icon = MessageIcon::None;
        MessageButtons buttons = MessageButtons::Ok;
    };
    std::deque<std::optional<std::string>> saveAnswers;
    std::deque<std::optional<PrintTarget>> printAnswers;
    std::deque<MessageAnswer> questionAnswers;
    std::vector<Shown> shown;

    std::vector<Shown> messages() const
    {
        std::vector<Shown> out;
        for (const Shown &s : shown)
            if (s.kind == "message")
                out.push_back(s);
        return out;
    }

    MessageAnswer message(const std::string &text, const std::string &title, MessageIcon icon,
                          MessageButtons buttons) override
    {
        shown.push_back({"message", text, title, "", "", icon, buttons});
        if (buttons != MessageButtons::YesNo && buttons != MessageButtons::YesNoCancel)
            return MessageAnswer::Ok;
        if (questionAnswers.empty())
            return MessageAnswer::Yes;
        const MessageAnswer a = questionAnswers.front();
        questionAnswers.pop_front();
        return a;
    }
    std::optional<std::string> input(const std::string &, const std::string &, const std::string &) override
    {
        return std::nullopt;
    }
    std::optional<std::string> saveFile(const std::string &title, const std::string &defaultName,
                                        const std::string &filter) override
    {
        shown.push_back({"save", "", title, defaultName, filter});
        if (saveAnswers.empty())
            return std::nullopt;
        auto a = saveAnswers.front();
        saveAnswers.pop_front();
        return a;
    }
    std::optional<std::string> openFile(const std::string &, const std::string &,
                                        const std::string &) override
    {
        return std::nullopt;
    }
    std::optional<FontChoice> font(const std::string &, const FontChoice &) override { return std::nullopt; }
    std::optional<PrintTarget> print(const std::string &title) override
    {
        shown.push_back({"print", "", title, "", ""});
        if (printAnswers.empty())
            return std::nullopt;
        auto a = printAnswers.front();
        printAnswers.pop_front();
        return a;
    }
};

class RecordingPrinter : public Printer
{
  public:
    std::vector<PrintDocument> documents;
    std::vector<PrintTarget> targets;
    std::string failWith;
    std::string print(const PrintDocument &document, const PrintTarget &target) override
    {
        documents.push_back(document);
        targets.push_back(target);
        return failWith;
    }
};

class MemoryWriter : public WorkbookWriter
{
  public:
    std::optional<Workbook> book;
    std::string path;
    std::string failWith;
    std::string write(const Workbook &b, const std::string &p) override
    {
        if (!failWith.empty())
            return failWith;
        book = b;
        path = p;
        return {};
    }
};

class CountingPump : public EventPump
{
  public:
    int yields = 0;
    long long now = 0;
    void processEvents() override { ++yields; }
    void waitMs(int ms) override { now += ms; }
    long long nowMs() override { return now; }
};

class RecordingProgress : public ProgressView
{
  public:
    float maximum = -1;
    int steps = 0;
    int unloads = 0;
    void setUpProgressBar(float m) override
    {
        maximum = m;
        steps = 0;
    }
    void incrementProgressBar() override { ++steps; }
    void unload() override { ++unloads; }
};

} // namespace quiz::test
