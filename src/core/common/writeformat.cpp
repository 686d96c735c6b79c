#include "core/common/writeformat.h"

#include "core/common/fileutil.h"
#include "core/common/text.h"

#include <charconv>
#include <climits>
#include <cmath>

namespace quiz
{

namespace
{

template <typename T> std::string shortestDecimal(T value)
{
    if (!std::isfinite(value) || value == 0)
        return "0"; // also turns -0 into 0
    char buffer[512];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc())
        return "0";
    return std::string(buffer, result.ptr);
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::string formatNumber(double value)
{
    return shortestDecimal(value);
}

std::string formatSingle(float value)
{
    return shortestDecimal(value);
}

void WriteRecord::separate()
{
    if (count_++ > 0)
        items_ += ',';
}

WriteRecord &WriteRecord::text(std::string_view value)
{
    separate();
    items_ += '"';
    for (const char c : value) {
        if (c == '"')
            items_ += "\"\"";
        else if (c == '\r' || c == '\n')
            items_ += ' ';
        else
            items_ += c;
    }
    items_ += '"';
    return *this;
}

WriteRecord &WriteRecord::integer(long long value)
{
    separate();
    items_ += std::to_string(value);
    return *this;
}

WriteRecord &WriteRecord::number(double value)
{
    separate();
    items_ += formatNumber(value);
    return *this;
}

WriteRecord &WriteRecord::single(float value)
{
    separate();
    items_ += formatSingle(value);
    return *this;
}

WriteRecord &WriteRecord::flag(bool value)
{
    separate();
    items_ += value ? "#TRUE#" : "#FALSE#";
    return *this;
}

std::optional<double> itemNumber(std::string_view item)
{
    const std::string text = trim(item);
    if (iequals(text, "#TRUE#"))
        return -1.0;
    if (iequals(text, "#FALSE#"))
        return 0.0;
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    if (i < text.size() && text[i] == '.')
        ++i;
    if (i >= text.size() || text[i] < '0' || text[i] > '9')
        return std::nullopt;
    return leadingNumber(text);
}

std::optional<bool> itemFlag(std::string_view item)
{
    const std::string text = trim(item);
    if (iequals(text, "#TRUE#") || iequals(text, "True"))
        return true;
    if (iequals(text, "#FALSE#") || iequals(text, "False"))
        return false;
    if (const auto number = itemNumber(text))
        return *number != 0;
    return std::nullopt;
}

ItemReader::ItemReader(std::string content) : content_(std::move(content)) {}

ItemReader ItemReader::fromFile(const std::string &path)
{
    return ItemReader(readTextFile(path).value_or(std::string()));
}

bool ItemReader::atLineEnd() const
{
    if (pos_ >= content_.size())
        return false;
    if (content_[pos_] == '\n')
        return true;
    return content_[pos_] == '\r' && (pos_ + 1 == content_.size() || content_[pos_ + 1] == '\n');
}

void ItemReader::consumeLineEnd()
{
    if (pos_ < content_.size() && content_[pos_] == '\r')
        ++pos_;
    if (pos_ < content_.size() && content_[pos_] == '\n')
        ++pos_;
}

void ItemReader::skipBlankLines()
{
    for (;;) {
        size_t p = pos_;
        while (p < content_.size() && isBlank(content_[p]))
            ++p;
        const size_t lineStart = pos_;
        pos_ = p;
        if (!atLineEnd()) {
            pos_ = lineStart;
            return;
        }
        consumeLineEnd();
    }
}

bool ItemReader::atEnd() const
{
    for (size_t p = pos_; p < content_.size(); ++p) {
        const char c = content_[p];
        if (!isBlank(c) && c != '\r' && c != '\n')
            return false;
    }
    return true;
}

std::optional<std::string> ItemReader::next()
{
    if (atEnd()) {
        pos_ = content_.size();
        return std::nullopt;
    }
    if (!afterComma_)
        skipBlankLines();
    while (pos_ < content_.size() && isBlank(content_[pos_]))
        ++pos_;

    std::string item;
    const auto isDelimiter = [&] { return pos_ >= content_.size() || content_[pos_] == ',' || atLineEnd(); };
    if (pos_ < content_.size() && content_[pos_] == '"') {
        ++pos_;
        // Up to the closing quote; an unclosed quote ends at the line end.
        while (pos_ < content_.size() && !atLineEnd()) {
            const char c = content_[pos_];
            if (c == '"') {
                if (pos_ + 1 < content_.size() && content_[pos_ + 1] == '"') {
                    item += '"';
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                break;
            }
            item += c;
            ++pos_;
        }
        // Anything between the closing quote and the delimiter is dropped.
        while (!isDelimiter())
            ++pos_;
    } else {
        const size_t start = pos_;
        while (!isDelimiter())
            ++pos_;
        item = trim(std::string_view(content_).substr(start, pos_ - start));
    }

    afterComma_ = false;
    if (pos_ < content_.size() && content_[pos_] == ',') {
        ++pos_;
        afterComma_ = true;
    } else {
        consumeLineEnd();
    }
    return item;
}

std::optional<int> ItemReader::nextInt()
{
    const auto item = next();
    if (!item)
        return std::nullopt;
    const auto number = itemNumber(*item);
    if (!number)
        return std::nullopt;
    const double rounded = std::nearbyint(*number); // half to even
    if (rounded > static_cast<double>(INT_MAX) || rounded < static_cast<double>(INT_MIN))
        return std::nullopt; // an overflow reads as nothing
    return static_cast<int>(rounded);
}

std::optional<double> ItemReader::nextDouble()
{
    const auto item = next();
    return item ? itemNumber(*item) : std::nullopt;
}

std::optional<bool> ItemReader::nextFlag()
{
    const auto item = next();
    return item ? itemFlag(*item) : std::nullopt;
}

std::string ItemReader::restOfLine()
{
    return nextLine().value_or(std::string());
}

std::optional<std::string> ItemReader::nextLine()
{
    afterComma_ = false;
    if (pos_ >= content_.size())
        return std::nullopt;
    const size_t start = pos_;
    while (pos_ < content_.size() && !atLineEnd())
        ++pos_;
    std::string line = content_.substr(start, pos_ - start);
    consumeLineEnd();
    return line;
}

} // namespace quiz
