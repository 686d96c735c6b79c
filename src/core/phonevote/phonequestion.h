#pragma once

#include <string>
#include <vector>

namespace quiz
{

// What phones answer: an ordinary question by option number; the other
// kinds are not answered from phones (their records hold other texts).
enum class PhoneQuestionKind { Options, Text, Series, Rank, Unreadable };

const char *
phoneQuestionKindName(PhoneQuestionKind kind); // "options", "text", "series", "rank", "unreadable"

// A question file as the phones show it: the header's title and question,
// the option texts (lines 2 .. c + 1) and the countdown (line c + 4).
struct PhoneQuestion {
    std::string file; // the question file's name, as quizslds.txt lists it
    PhoneQuestionKind kind = PhoneQuestionKind::Unreadable;
    std::string title;
    std::string question;
    std::vector<std::string> options;
    int countdownSeconds = 0; // 0: no countdown
};

// Reads a question file's text. The kind follows the results tables: type 7
// RANK, else mode 2 SERIES, else type 6 TEXT, else an ordinary question; a
// file that ends early, or whose option count is outside 1..10, is Unreadable.
PhoneQuestion readPhoneQuestion(const std::string &file, const std::string &content);

} // namespace quiz
