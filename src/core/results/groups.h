#pragma once

#include "core/results/resultsgrid.h"

#include <optional>
#include <string>
#include <vector>

namespace quiz
{

class Dialogs;

// The names of the groups in a folder: files whose extension (after the last
// ".") is exactly "grp", without it; sorted.
std::vector<std::string> GetGroups(const std::string &folder);

// A group file: the key of the question (a text its column header holds) and
// the answer value, both without double quotes, the value as the text of its
// number.
struct GroupDefinition {
    std::string questionKey;
    std::string answerValue;
};
// nullopt when the content has fewer than two ","-separated fields.
std::optional<GroupDefinition> parseGroupFile(const std::string &content);

// Adds the group's column to the results with text: per option row the
// number of members who gave that option, per summary row the number of
// members who voted on the question. Members are the participants whose
// answer to the group's question has the group's value. False when there are
// none: the column then reads "No members in group".
bool addGroupColumn(ResultsGrids &grids, const std::string &groupName, const GroupDefinition &group);

// The combo box of groups with its "Add Group" button, and the removal of a
// group column from the results with text.
class GroupChooser
{
  public:
    static constexpr const char *placeholder = "List of Groups";

    std::vector<std::string> entries;
    bool enabled = false;

    // Lists the groups of the folder (GetGroups); the button is enabled when there is one.
    void fill(const std::string &folder);
    // cmd_AddGroup: reads folder/<chosen>.grp and adds its column; the entry
    // then leaves the list. A file that cannot be read or split shows
    // "Unable to load group information" and changes nothing. False when
    // nothing was added.
    bool addGroup(ResultsGrids &grids, const std::string &folder, const std::string &chosen,
                  Dialogs &dialogs);
    // A right click on a column of the results with text: from column 4 on,
    // asks "Remove <header>" and on Yes removes the column and puts the group
    // back in the list. False when nothing was removed.
    bool removeGroupColumn(ResultsGrids &grids, int column, Dialogs &dialogs);
};

} // namespace quiz
