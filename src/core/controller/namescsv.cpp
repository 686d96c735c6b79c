#include "core/controller/namescsv.h"

#include "core/common/text.h"
#include "core/controller/namesreply.h"

#include <cctype>

namespace quiz
{

namespace
{

// Fields at ",", a field in double quotes may hold commas and "" for a quote.
std::vector<std::string> csvFields(std::string_view line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == '"' && trim(fields.back()).empty()) {
            fields.back().clear();
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    for (auto &f : fields)
        f = trim(f);
    return fields;
}

bool startsWithNumber(const std::string &field)
{
    std::size_t i = 0;
    if (i < field.size() && (field[i] == '+' || field[i] == '-'))
        ++i;
    return i < field.size() && std::isdigit(static_cast<unsigned char>(field[i]));
}

} // namespace

std::vector<Participant> readNamesCsv(std::string_view text)
{
    std::vector<Participant> participants;
    for (auto line : split(text, "\n")) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (trim(line).empty())
            continue;
        const auto fields = csvFields(line);
        if (!startsWithNumber(fields[0]))
            continue;
        Participant p;
        p.keypad = leadingInt(fields[0]);
        p.weighting = 1;
        if (fields.size() == 2) {
            p.name = replaceAll(fields[1], ",", " ");
        } else if (fields.size() > 2) {
            for (std::size_t i = 1; i + 1 < fields.size(); ++i)
                p.name += (i > 1 ? " " : "") + replaceAll(fields[i], ",", " ");
            p.weighting = fields.back().empty() ? 1 : leadingInt(fields.back());
        }
        participants.push_back(std::move(p));
    }
    return participants;
}

std::string formatNamesReply(const std::vector<Participant> &participants)
{
    std::string reply = "ListOfNames," + std::to_string(participants.size());
    for (const auto &p : participants)
        reply += "\r\n" + std::to_string(p.keypad) + "," + replaceAll(p.name, ",", " ") + "," +
                 std::to_string(p.weighting);
    // The list ends with a line break, as the controller's lists do: the
    // record the receiver makes of the end-marker line is then the last one,
    // which the name lookup never examines.
    reply += "\r\n";
    reply += endOfNamesMarker;
    reply += "\r\n";
    return reply;
}

} // namespace quiz
