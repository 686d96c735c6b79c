#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quiz
{

// The command words of a run, split from the command text.
struct CommandWords {
    std::string quizFileName; // word 0
    std::string modeWord;     // word 1
    std::string slideArg;     // word 2
    std::string extraArg;     // word 3; later words are ignored
    bool slideGiven = false;  // a word contained "SLIDE"
    int currentSlide = 0;
};

// Splits the command text at ",", trims each word and stores it by position.
// A word containing "SLIDE" (case-sensitive) sets currentSlide to the leading
// number of the word with every "SLIDE" removed; the word is still stored.
// Without such a word, currentSlide = showingSlide() (the slide the show is
// showing); an exception from it, or no function, leaves 0.
CommandWords ParseCommandLine(const std::string &text, const std::function<int()> &showingSlide);

// The program's arguments (options already taken out) joined by single
// blanks: the command text.
std::string joinArguments(const std::vector<std::string> &arguments);

} // namespace quiz
