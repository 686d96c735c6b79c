#pragma once

// Fakes for the printed summary and the results export: a presentation with
// slides, a printer and a workbook writer that keep what they were given.

#include "core/workbook/workbook.h"
#include "fakes/presentationfakes.h"
#include "ports/printer.h"
#include "ports/workbookwriter.h"

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

} // namespace quiz::test
