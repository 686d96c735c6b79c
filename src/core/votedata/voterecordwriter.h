#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quiz
{

// The date and time a vote closed, as the records hold them.
struct RecordTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// One closed vote as the controller records it: the question file's path,
// the slide, and one entry per keypad from 1 (nullopt: no answer).
struct VoteRecordEntry {
    std::string questionPath;
    int slide = 0;
    std::vector<std::optional<std::string>> answers;
    std::vector<std::optional<double>> responseSeconds;
    RecordTime closedAt;
};

// The votes.rec line (CR LF ended): path, slide, keypads that answered,
// the answers in list form in double quotes ("-" for none, ";" after every
// entry), DD/MM/YYYY, HH:MM:SS. The record reader reads it back.
std::string formatVotesLine(const VoteRecordEntry &record);
// The response.rec line: the same fields with the seconds from opening to
// each keypad's last answer, "." decimals, two places, "-" for none.
std::string formatResponseLine(const VoteRecordEntry &record);

// A path field 1 can hold: a path with a comma, a quote or a line end would
// split the record, so the file's name alone (all the reader compares) stands
// in; nullopt when the name itself cannot be held.
std::optional<std::string> recordPathField(const std::string &path);

// Appends the votes.rec line and the response.rec line to the data folder's
// files, each with one write and flushed to disk (fsync) before it returns:
// a crash leaves whole lines only. False with the reason when either fails.
bool appendVoteRecord(const std::string &dataFolder, const VoteRecordEntry &record, std::string *error);

} // namespace quiz
