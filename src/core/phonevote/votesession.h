#pragma once

#include "core/phonevote/phonequestion.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quiz
{

enum class AnswerOutcome { Accepted, NotOpen, NotTaken };

// A vote as it closed: one entry per keypad from 1 to the highest joined.
struct ClosedVote {
    std::string file;
    int slide = 0;
    std::vector<std::optional<std::string>> answers;
    std::vector<std::optional<double>> responseSeconds; // from opening to the last answer
};

// The vote of one question file at a time. Times are seconds on one clock
// the caller keeps (the controller's monotonic clock); nothing here reads a clock.
class VoteSession
{
  public:
    // Opens a vote for the question (an ordinary one), numbered id; a vote
    // still open is replaced without a record (the caller closes it first).
    void open(int id, PhoneQuestion question, int slide, double now);
    bool isOpen() const { return open_; }
    int id() const { return id_; }
    const PhoneQuestion &question() const { return question_; }
    int slide() const { return slide_; }

    // An answer of the open vote: "1" to the option count; the last counts.
    AnswerOutcome answer(int voteId, int keypad, std::string_view answer, double now);
    std::optional<std::string> answerOf(int keypad) const;
    int answerCount() const { return static_cast<int>(answers_.size()); }

    // Seconds left of the countdown (never below 0); nullopt without one.
    std::optional<double> secondsLeft(double now) const;
    bool countdownOver(double now) const;

    // The vote as it would be recorded now: keypads 1..keypadCount, silence
    // where none answered. The vote stays open until close().
    ClosedVote record(int keypadCount) const;
    // Ends the vote (once its record is safe) and keeps its spread.
    void close();
    // The answers per option ("1".."10") of the last vote closed.
    const std::map<std::string, int> &spread() const { return spread_; }

  private:
    struct Given {
        std::string answer;
        double seconds = 0;
    };
    bool open_ = false;
    int id_ = 0;
    int slide_ = 0;
    double openedAt_ = 0;
    PhoneQuestion question_;
    std::map<int, Given> answers_;
    std::map<std::string, int> spread_;
};

} // namespace quiz
