#include "core/phonevote/votesession.h"

#include <algorithm>

namespace quiz
{

void VoteSession::open(int id, PhoneQuestion question, int slide, double now)
{
    open_ = true;
    id_ = id;
    slide_ = slide;
    openedAt_ = now;
    question_ = std::move(question);
    answers_.clear();
    spread_.clear();
}

AnswerOutcome VoteSession::answer(int voteId, int keypad, std::string_view answer, double now,
                                  std::int64_t answerId)
{
    const auto taken = answerId > 0 ? taken_.find(takenKey(voteId, keypad)) : taken_.end();
    if (taken != taken_.end() && answerId <= taken->second.id)
        return AnswerOutcome::Repeat;
    if (!open_ || voteId != id_)
        return AnswerOutcome::NotOpen;
    // "1".."10" written plainly: no sign, blank or leading zero.
    const int options = static_cast<int>(question_.options.size());
    int number = 0;
    if (answer.empty() || answer.size() > 2 || answer.front() == '0')
        return AnswerOutcome::NotTaken;
    for (const char c : answer) {
        if (c < '0' || c > '9')
            return AnswerOutcome::NotTaken;
        number = number * 10 + (c - '0');
    }
    if (number < 1 || number > options || question_.kind != PhoneQuestionKind::Options)
        return AnswerOutcome::NotTaken;
    answers_[keypad] = {std::string(answer), std::max(0.0, now - openedAt_)};
    if (answerId > 0)
        taken_[takenKey(voteId, keypad)] = {answerId, std::string(answer)};
    return AnswerOutcome::Accepted;
}

std::optional<std::string> VoteSession::takenAnswer(int voteId, int keypad) const
{
    if (voteId == id_)
        return answerOf(keypad); // an answer without an id may have come since
    const auto it = taken_.find(takenKey(voteId, keypad));
    return it == taken_.end() ? std::nullopt : std::optional<std::string>(it->second.answer);
}

std::int64_t VoteSession::lastAnswerId(int keypad) const
{
    const auto it = taken_.find(takenKey(id_, keypad));
    return it == taken_.end() ? 0 : it->second.id;
}

std::optional<std::string> VoteSession::answerOf(int keypad) const
{
    const auto it = answers_.find(keypad);
    if (it == answers_.end())
        return std::nullopt;
    return it->second.answer;
}

std::optional<double> VoteSession::secondsLeft(double now) const
{
    if (question_.countdownSeconds <= 0)
        return std::nullopt;
    return std::max(0.0, openedAt_ + question_.countdownSeconds - now);
}

bool VoteSession::countdownOver(double now) const
{
    const std::optional<double> left = secondsLeft(now);
    return open_ && left && *left <= 0;
}

ClosedVote VoteSession::record(int keypadCount) const
{
    ClosedVote vote;
    vote.file = question_.file;
    vote.slide = slide_;
    vote.answers.resize(static_cast<std::size_t>(std::max(keypadCount, 0)));
    vote.responseSeconds.resize(vote.answers.size());
    for (const auto &[keypad, given] : answers_) {
        if (keypad < 1 || keypad > keypadCount)
            continue;
        vote.answers[static_cast<std::size_t>(keypad - 1)] = given.answer;
        vote.responseSeconds[static_cast<std::size_t>(keypad - 1)] = given.seconds;
    }
    return vote;
}

void VoteSession::close()
{
    spread_.clear();
    for (const auto &[keypad, given] : answers_)
        ++spread_[given.answer];
    open_ = false;
}

} // namespace quiz
