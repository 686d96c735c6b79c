#pragma once

#include <string>
#include <vector>

namespace quiz
{

// The two vote lists of the set-up screens: the votes available and the
// votes in the quiz, each a list of question file names.
using VoteList = std::vector<std::string>;

// Walks `from` from its last item to its first and appends every selected
// item to `to`, removing it from `from`: several items moved at once arrive
// in reverse order. selected[i] belongs to from[i]; missing entries are
// unselected.
void moveSelectedVotes(VoteList &from, VoteList &to, const std::vector<bool> &selected);

// Moves the item at index to the end of `to`; false (nothing moved) when the
// index is not an item of `from`.
bool moveVote(VoteList &from, VoteList &to, int index);

// Appends every item of `from` to `to` in order and empties `from`.
void moveAllVotes(VoteList &from, VoteList &to);

// The row selected in a list after its item at removedIndex went: the item
// now at the same position, the last one when the removed item was last, -1
// when the list is empty.
int rowAfterRemoval(int removedIndex, int countAfter);

bool containsIgnoringCase(const VoteList &list, const std::string &item);

// The votes available once a quiz's list is shown: every entry equal to one
// of the quiz's (ignoring case) leaves the list.
VoteList withoutQuizVotes(VoteList available, const VoteList &quiz);

} // namespace quiz
