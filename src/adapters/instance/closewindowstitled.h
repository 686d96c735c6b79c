#pragma once

#include <functional>
#include <string>

namespace quiz
{

// Asks every top-level window of this process whose title equals `title`
// exactly (hidden ones too) to close, as a user closing it would. An empty
// title closes nothing. Returns how many windows were asked.
int CloseWindowsTitled(const std::string &title);

// What the running instance does with a close request from a new one: closes
// its windows titled `title` and, when the title is its application title,
// ends its run through endTheRun.
void answerCloseRequest(const std::string &title, const std::string &applicationTitle,
                        const std::function<void()> &endTheRun);

} // namespace quiz
