#pragma once

#include <future>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace quiz
{

// Field n (from 1) of a record line: the text between the (n-1)-th and n-th
// comma, or to the end of the line when there is no n-th comma. When the
// field starts and ends with a double quote, both are dropped. Commas inside
// quotes are not protected. n < 1, or n more than one past the last comma,
// gives "".
std::string GetField(std::string_view line, int n);
std::string_view getFieldView(std::string_view line, int n);

// The text after the last "\" or "/" (all of it when there is none),
// upper-cased (ASCII letters).
std::string FileNamePart(std::string_view path);

// A question's answers per keypad: compact form (no ";": one character per
// keypad, "X" no answer) or list form (entries separated by ";", "-" no
// answer). Entry k - 1 is keypad k's answer.
std::vector<std::string> SplitAnswerString(std::string_view answers);

// votes.rec and response.rec of a data folder, read once and indexed by
// question (the upper-cased file-name part of field 1). The last record of a
// question in a file wins. Lookups then cost no file access.
class VoteRecords
{
  public:
    VoteRecords() = default;
    // Reads dataFolder + "/votes.rec" and "/response.rec" (names found
    // case-insensitively) once, block by block, keeping only the last record
    // of each question. Missing files give empty indexes. A line that is not
    // UTF-8 is read as Windows-1252.
    static VoteRecords load(const std::string &dataFolder);
    // The same keeping only the questions of the given question files (by
    // their upper-cased file-name parts): a quiz's records of a large meeting.
    static VoteRecords load(const std::string &dataFolder, const std::vector<std::string> &questionPaths);
    // votes.rec alone (response.rec is neither read nor held): what the
    // results tables need of a meeting.
    static VoteRecords loadVotes(const std::string &dataFolder);
    // From file contents already decoded; nullptr for a missing file.
    static VoteRecords fromContent(const std::string *votes, const std::string *responses);

    bool votesFilePresent() const { return votesPresent_; }
    bool responseFilePresent() const { return responsePresent_; }
    // 2 when response.rec was read beside votes.rec on a thread of its own.
    int readingThreads() const { return readingThreads_; }

    // Latest answer string of the question, "" when votes.rec holds none.
    const std::string &answers(std::string_view questionPath) const;
    // Latest response text of the question (decimal commas turned into ".",
    // separators into ";"), or nullptr when response.rec holds none.
    const std::string *responseText(std::string_view questionPath) const;
    // Questions (upper-cased file-name parts) with a votes.rec record.
    std::vector<std::string> votedQuestions() const;

  private:
    static VoteRecords loadWanted(const std::string &dataFolder,
                                  const std::unordered_set<std::string> &wanted, bool withResponses = true);

    std::unordered_map<std::string, std::string> answers_;
    std::unordered_map<std::string, std::string> responses_;
    bool votesPresent_ = false;
    bool responsePresent_ = false;
    int readingThreads_ = 1;
};

// VoteRecords::load(dataFolder, questionPaths) on another thread, begun at
// once: the caller goes on (the display makes its window meanwhile) and takes
// the records, or the failure, with get().
std::shared_future<VoteRecords> loadVoteRecordsInBackground(std::string dataFolder,
                                                            std::vector<std::string> questionPaths);

// The response text that a response.rec line gives.
std::string responseTextOfLine(std::string_view line);

} // namespace quiz
