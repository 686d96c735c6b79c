#include "core/results/groups.h"

#include "core/common/fileutil.h"
#include "core/common/text.h"
#include "core/common/writeformat.h"
#include "core/results/resultswithtext.h"
#include "ports/dialogs.h"

#include <algorithm>
#include <filesystem>
#include <map>

namespace quiz
{

namespace
{

// The option an answer cell gives ("4 (2)" gives 4); nullopt for "-", "A", "".
std::optional<double> answerValue(std::string_view cell)
{
    const std::string text = trim(cell);
    if (text.empty() || text[0] < '0' || text[0] > '9')
        return std::nullopt;
    return leadingNumber(text);
}

} // namespace

std::vector<std::string> GetGroups(const std::string &folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto &entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string file = entry.path().filename().string();
        const std::size_t dot = file.rfind('.');
        if (dot != std::string::npos && file.substr(dot + 1) == "grp" && entry.is_regular_file(ec))
            names.push_back(file.substr(0, dot));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<GroupDefinition> parseGroupFile(const std::string &content)
{
    const std::vector<std::string> fields = split(content, ",");
    if (fields.size() < 2)
        return std::nullopt;
    return GroupDefinition{replaceAll(fields[0], "\"", ""),
                           formatNumber(leadingNumber(replaceAll(fields[1], "\"", "")))};
}

bool addGroupColumn(ResultsGrids &grids, const std::string &groupName, const GroupDefinition &group)
{
    const ResultsGrid &byKeypad = grids.keypadResults;
    ResultsGrid &full = grids.questionFull;
    const int column = full.cols();
    full.setCols(column + 1);
    full.setText(0, column, groupName);
    full.setColAlign(column, CellAlign::CenterCenter);
    full.setColWidth(column, 1200);

    const double wanted = leadingNumber(group.answerValue);
    std::vector<int> members;
    if (const int c = byKeypad.FindColumnByHeader(group.questionKey); c > 0)
        for (int r = 1; r < byKeypad.rows(); ++r)
            if (answerValue(byKeypad.text(r, c)) == wanted)
                members.push_back(r);
    if (members.empty()) {
        if (full.rows() < 2)
            full.setRows(2);
        full.setText(1, column, "No members in group");
        return false;
    }

    std::map<std::string, int, std::less<>> questionColumns;
    for (int r = 1; r < full.rows(); ++r) {
        const std::string &question = full.text(r, FullQuestion);
        if (question.empty() || !contains(toLower(question), ".tlx"))
            continue;
        auto found = questionColumns.find(question);
        if (found == questionColumns.end())
            found = questionColumns.emplace(question, byKeypad.FindColumnByHeader(question)).first;
        const int c = found->second;
        if (c == 0)
            continue;
        const std::string &value = full.text(r, FullValue);
        int count = 0;
        if (!value.empty()) {
            if (full.text(r, FullAnswer).empty())
                continue;
            const double option = leadingNumber(value);
            for (const int m : members)
                count += answerValue(byKeypad.text(m, c)) == option;
        } else {
            for (const int m : members)
                count += !byKeypad.text(m, c).empty() && byKeypad.text(m, c) != "-";
        }
        full.setText(r, column, std::to_string(count));
    }
    return true;
}

void GroupChooser::fill(const std::string &folder)
{
    entries = GetGroups(folder);
    enabled = !entries.empty();
}

bool GroupChooser::addGroup(ResultsGrids &grids, const std::string &folder, const std::string &chosen,
                            Dialogs &dialogs)
{
    const auto entry = std::find(entries.begin(), entries.end(), chosen);
    if (chosen.empty() || chosen == placeholder || entry == entries.end())
        return false;
    const std::string path = resolveFile(folder, chosen + ".grp");
    const std::optional<std::string> content = FileExists(path) ? readTextFile(path) : std::string();
    const std::optional<GroupDefinition> group = content ? parseGroupFile(*content) : std::nullopt;
    if (!group) {
        dialogs.message("Unable to load group information", "Group data error", MessageIcon::None,
                        MessageButtons::Ok);
        return false;
    }
    addGroupColumn(grids, chosen, *group);
    entries.erase(entry);
    enabled = !entries.empty();
    return true;
}

bool GroupChooser::removeGroupColumn(ResultsGrids &grids, int column, Dialogs &dialogs)
{
    ResultsGrid &full = grids.questionFull;
    if (column < FullFirstGroup || column >= full.cols())
        return false;
    const std::string header = full.text(0, column);
    if (dialogs.message("Remove " + header, "Delete Column", MessageIcon::Question, MessageButtons::YesNo) !=
        MessageAnswer::Yes)
        return false;
    entries.push_back(header);
    full.removeCol(column);
    enabled = true;
    return true;
}

} // namespace quiz
