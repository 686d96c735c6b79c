#include "core/setup/votelists.h"

#include "core/common/text.h"

#include <algorithm>

namespace quiz
{

void moveSelectedVotes(VoteList &from, VoteList &to, const std::vector<bool> &selected)
{
    for (int i = int(from.size()) - 1; i >= 0; --i) {
        if (size_t(i) >= selected.size() || !selected[size_t(i)])
            continue;
        to.push_back(from[size_t(i)]);
        from.erase(from.begin() + i);
    }
}

bool moveVote(VoteList &from, VoteList &to, int index)
{
    if (index < 0 || size_t(index) >= from.size())
        return false;
    to.push_back(from[size_t(index)]);
    from.erase(from.begin() + index);
    return true;
}

void moveAllVotes(VoteList &from, VoteList &to)
{
    to.insert(to.end(), from.begin(), from.end());
    from.clear();
}

int rowAfterRemoval(int removedIndex, int countAfter)
{
    if (countAfter <= 0)
        return -1;
    return std::min(removedIndex, countAfter - 1);
}

bool containsIgnoringCase(const VoteList &list, const std::string &item)
{
    return std::any_of(list.begin(), list.end(),
                       [&](const std::string &entry) { return iequals(entry, item); });
}

VoteList withoutQuizVotes(VoteList available, const VoteList &quiz)
{
    std::erase_if(available, [&](const std::string &entry) { return containsIgnoringCase(quiz, entry); });
    return available;
}

} // namespace quiz
