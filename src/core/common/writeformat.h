#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quiz
{

// The system's Write format: one record per line, items separated by ",",
// text in double quotes, flags as #TRUE# / #FALSE#, numbers in plain decimal
// with "." and the line ended by CR LF.
//
//   WriteRecord r; r.text("a").integer(5).number(0.25).flag(true);
//   r.line() == "\"a\",5,0.25,#TRUE#\r\n"
//
// A double quote inside a text item is written doubled (""), which the
// ItemReader reads back as one quote; a line break inside a text item is
// written as a blank, so a record is always one line.
class WriteRecord
{
  public:
    WriteRecord &text(std::string_view value);
    WriteRecord &integer(long long value);
    // The shortest plain decimal that reads back as the same double.
    WriteRecord &number(double value);
    // The shortest plain decimal that reads back as the same float.
    WriteRecord &single(float value);
    WriteRecord &flag(bool value);

    std::string items() const { return items_; } // without the line end
    std::string line() const { return items_ + "\r\n"; }
    void appendLineTo(std::string &out) const
    {
        out += items_;
        out += "\r\n";
    }
    bool empty() const { return count_ == 0; }

  private:
    void separate();
    std::string items_;
    int count_ = 0;
};

std::string formatNumber(double value);
std::string formatSingle(float value);

// Reads a Write-format file one item at a time. Items are separated by "," or
// a line end (CR LF or LF); blanks around an unquoted item are dropped; a
// quoted item is read without its quotes, commas inside it kept ("" inside
// it reads as one quote). Lines holding only blanks are skipped before an
// item. Reading never fails: a missing or unreadable item gives nullopt and
// the caller keeps its value.
class ItemReader
{
  public:
    explicit ItemReader(std::string content);
    // Reads the file (decoded as readTextFile does); an empty reader when it
    // cannot be read.
    static ItemReader fromFile(const std::string &path);

    // True when nothing but blanks and line ends is left.
    bool atEnd() const;
    std::optional<std::string> next();
    // The next item as a number; nullopt (item consumed) when it is missing
    // or does not start with a number. #TRUE# reads as -1, #FALSE# as 0.
    std::optional<int> nextInt();
    std::optional<double> nextDouble();
    // #TRUE# / #FALSE#, True / False (any case), or a number (non-zero true).
    std::optional<bool> nextFlag();

    // The rest of the current line as raw text (line end consumed); "" at
    // the end of the content.
    std::string restOfLine();
    // The next line as raw text, nullopt at the end of the content. Same as
    // restOfLine but tells the end apart from an empty line.
    std::optional<std::string> nextLine();

  private:
    void skipBlankLines();
    bool atLineEnd() const;
    void consumeLineEnd();
    std::string content_;
    size_t pos_ = 0;
    bool afterComma_ = false; // the last item ended at a ",": an empty item may follow
};

// Typed reading of one item's text, as the ItemReader helpers do.
std::optional<double> itemNumber(std::string_view item);
std::optional<bool> itemFlag(std::string_view item);

} // namespace quiz
