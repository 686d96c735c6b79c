#pragma once

#include "core/phonevote/phonequestion.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quiz
{

// Repeat: an answer sent again (its id taken already): acknowledged, nothing changes.
enum class AnswerOutcome { Accepted, NotOpen, NotTaken, Repeat };

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
    // answerId: the number the phone gave this answer (0: none). A phone
    // numbers its answers upwards; one whose id is at or below the highest
    // taken from that keypad in that vote is a resend (the phone never heard
    // the acknowledgement): a Repeat, also once the vote has closed, which
    // changes neither the answer nor its response time.
    AnswerOutcome answer(int voteId, int keypad, std::string_view answer, double now,
                         std::int64_t answerId = 0);
    std::optional<std::string> answerOf(int keypad) const;
    // For a Repeat: the answer that counts for the keypad in that vote.
    std::optional<std::string> takenAnswer(int voteId, int keypad) const;
    // The highest answer id taken from the keypad in the current vote; 0 for none.
    std::int64_t lastAnswerId(int keypad) const;
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
    struct Taken {
        std::int64_t id = 0;
        std::string answer;
    };
    static std::uint64_t takenKey(int voteId, int keypad)
    {
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(voteId)) << 32) |
               static_cast<std::uint32_t>(keypad);
    }
    std::map<int, Given> answers_;
    std::map<std::string, int> spread_;
    // The highest id taken per vote and keypad, kept for the evening: a
    // phone may come back with its answer after further votes.
    std::unordered_map<std::uint64_t, Taken> taken_;
};

} // namespace quiz
