#include "core/controller/namesreply.h"

#include "core/common/text.h"

namespace quiz
{

bool isStatusBlock(std::string_view text)
{
    return contains(text, "baseType") || contains(text, "max_kpads");
}

std::map<std::string, std::string> parseStatusBlock(std::string_view text)
{
    std::map<std::string, std::string> fields;
    for (const auto &line : split(text, "\r\n")) {
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        fields[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return fields;
}

std::optional<std::vector<Participant>> parseNamesReply(std::string_view text)
{
    if (text.empty() || isStatusBlock(text) || !contains(text, endOfNamesMarker))
        return std::nullopt;
    const auto lines = split(text, "\r\n");
    const std::size_t last = lines.size() - 1;
    // A heading and a last line with nothing between them cannot size the
    // table; the records stay as they were.
    if (last < 2)
        return std::nullopt;
    std::vector<Participant> records;
    records.reserve(last - 1);
    for (std::size_t i = 1; i < last; ++i) {
        const auto fields = split(lines[i], ",");
        Participant p;
        p.keypad = leadingInt(fields[0]);
        p.name = fields.size() > 1 ? fields[1] : std::string();
        p.weighting = fields.size() > 2 ? leadingInt(fields[2]) : 0;
        records.push_back(std::move(p));
    }
    return records;
}

} // namespace quiz
