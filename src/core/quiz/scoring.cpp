#include "core/quiz/scoring.h"

#include "core/common/text.h"
#include "core/quiz/answerrule.h"
#include "ports/progress.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace quiz
{

namespace
{

// leadingNumber without its temporary string, for the per-keypad loop. Plain
// decimals of up to 15 digits are exact here (one correctly rounded division);
// anything longer or with an exponent goes the general way.
double fastLeadingNumber(std::string_view text)
{
    static constexpr double powersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::uint64_t mantissa = 0;
    int digits = 0, fractionDigits = 0;
    bool point = false;
    for (; i < n; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
            ++digits;
            if (point)
                ++fractionDigits;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return 0;
    if (digits > 15 || (i < n && (text[i] == 'e' || text[i] == 'E')))
        return leadingNumber(text);
    const double value = static_cast<double>(mantissa) / powersOfTen[fractionDigits];
    return negative ? -value : value;
}

// Walks the entries of a list-form answer string without copying them. Most
// entries are one character followed by ";", which is read at once.
class EntryCursor
{
  public:
    explicit EntryCursor(std::string_view text) : text_(text) {}
    std::string_view next()
    {
        const size_t n = text_.size();
        if (pos_ + 1 < n && text_[pos_ + 1] == ';' && text_[pos_] != ';') {
            pos_ += 2;
            return text_.substr(pos_ - 2, 1);
        }
        size_t end = pos_;
        while (end < n && text_[end] != ';')
            ++end;
        const std::string_view entry = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        return entry;
    }

  private:
    std::string_view text_;
    size_t pos_ = 0;
};

// The values of a ";"-separated text by index, indexes in rising order. Only
// the values of right answers are read; the ones between are passed over
// eight bytes at a time by counting their separators.
class ValueSkipper
{
  public:
    explicit ValueSkipper(std::string_view text) : text_(text) {}
    // Value i; false when the text has no value i.
    bool at(size_t i, std::string_view &value)
    {
        if (text_.empty() || i < index_)
            return false;
        if (!skip(i - index_))
            return false;
        index_ = i;
        size_t end = pos_;
        while (end < text_.size() && text_[end] != ';')
            ++end;
        value = text_.substr(pos_, end - pos_);
        return true;
    }

  private:
    // Moves past `count` separators; false when the text has fewer.
    bool skip(size_t count)
    {
        const size_t n = text_.size();
        while (count > 0) {
            if (pos_ + 8 <= n) {
                std::uint64_t word;
                std::memcpy(&word, text_.data() + pos_, 8);
                const std::uint64_t x = word ^ 0x3B3B3B3B3B3B3B3BULL; // ';' bytes become 0
                const std::uint64_t zeros =
                    ~(((x & 0x7F7F7F7F7F7F7F7FULL) + 0x7F7F7F7F7F7F7F7FULL) | x) & 0x8080808080808080ULL;
                const auto found =
                    static_cast<size_t>(((zeros >> 7) * 0x0101010101010101ULL) >> 56); // bytes summed
                if (found < count) {
                    count -= found;
                    pos_ += 8;
                    continue;
                }
            }
            if (pos_ >= n)
                return false;
            if (text_[pos_++] == ';')
                --count;
        }
        return true;
    }

    std::string_view text_;
    size_t pos_ = 0; // start of value index_
    size_t index_ = 0;
};

void addTo(float &sum, double amount)
{
    sum = static_cast<float>(static_cast<double>(sum) + amount);
}

// Grows the sums to count keypads; a keypad missing from a later question
// keeps what it scored before.
void growSums(ScoringResult &r, size_t count)
{
    if (r.score.size() >= count)
        return;
    r.score.resize(count, 0.0f);
    r.time.resize(count, 0.0f);
    r.voted.resize(count, 0.0f);
}

void scoreCompact(ScoringResult &r, const QuestionInput &q, const WeightTable &weight,
                  const std::vector<int> &valid)
{
    const std::string_view answers = q.answers;
    const size_t count = answers.size();
    growSums(r, count);
    r.keypadCount = static_cast<int>(count);
    const RightOptions right(q.correctAnswer, answers);

    // The response value of keypad k is the k-th ";"-separated value of the response text.
    ValueSkipper values(q.responseText);
    for (size_t k = 0; k < count; ++k) {
        const int option = answerOption(answers.substr(k, 1));
        if (!right.contains(option) || valid[k] != 1)
            continue;
        addTo(r.score[k], weight[static_cast<size_t>(option)]);
        std::string_view value;
        if (values.at(k, value))
            addTo(r.time[k], fastLeadingNumber(value));
    }
}

// The progress view is stepped once per keypad entry, in batches.
struct ProgressState {
    static constexpr long long batch = 1024;
    ProgressView *view = nullptr;
    bool open = false;
    long long pending = 0;
    void flush()
    {
        if (open && pending > 0)
            view->incrementProgressBarBy(pending);
        pending = 0;
    }
};

void scoreList(ScoringResult &r, const QuestionInput &q, const WeightTable &weight,
               const std::vector<int> &valid, const ScoringSettings &settings, size_t questionCount,
               ProgressState &progress)
{
    const std::string_view answers = q.answers;
    const auto last = static_cast<size_t>(std::count(answers.begin(), answers.end(), ';'));
    if (static_cast<long long>(last) > r.displayCount && settings.showNumberOfMaxScorers)
        r.displayCount = static_cast<int>(last);
    const auto steps = static_cast<long long>(last) * static_cast<long long>(questionCount);
    if (!progress.open && steps >= 501 && progress.view) {
        progress.view->setUpProgressBar(static_cast<float>(steps));
        progress.open = true;
    }
    growSums(r, last);
    r.keypadCount = static_cast<int>(last);
    r.anyListForm = true;

    const bool hasCorrect = !q.correctAnswer.empty();
    const RightOptions right(q.correctAnswer, answers);
    EntryCursor entries(answers);
    ValueSkipper values(q.responseText);
    for (size_t i = 0; i < last; ++i) {
        const std::string_view entry = entries.next();
        if (progress.open && ++progress.pending == ProgressState::batch)
            progress.flush();
        if (entry.empty() || entry == "-" || !hasCorrect)
            continue;
        r.voted[i] = 1.0f;
        const int option = answerOption(entry);
        if (!right.contains(option) || valid[i] != 1)
            continue;
        addTo(r.score[i], weight[static_cast<size_t>(option)]);
        std::string_view value;
        if (values.at(i, value))
            addTo(r.time[i], fastLeadingNumber(value));
    }
    progress.flush();
}

} // namespace

ScoringResult ScoreQuiz(const std::vector<QuestionInput> &questions, const ScoringSettings &settings,
                        std::vector<int> validKeypads, ProgressView *progressView)
{
    ScoringResult r;
    r.displayCount = settings.displayCount;
    growSums(r, 51); // room for keypads 0..50 before the first question
    ProgressState progress{progressView, false};
    bool allValid = false;

    for (const QuestionInput &q : questions) {
        WeightTable weight = q.weights;
        double largest = 1.0;
        if (settings.useWeightings != 1) {
            std::fill(weight.begin(), weight.begin() + 11, 1.0);
        } else if (settings.showNumberOfMaxScorers) {
            largest = *std::max_element(weight.begin(), weight.begin() + 11);
        }
        r.possibleMaximum += largest;

        // Every keypad of the answer string counts as valid for this question
        // (once the table is all ones, resizing keeps it so).
        if (allValid) {
            validKeypads.resize(q.answers.size() + 1, 1);
        } else {
            validKeypads.assign(q.answers.size() + 1, 1);
            allValid = true;
        }

        if (q.answers.empty())
            continue;
        if (q.answers.find(';') == std::string::npos)
            scoreCompact(r, q, weight, validKeypads);
        else
            scoreList(r, q, weight, validKeypads, settings, questions.size(), progress);
    }
    if (progress.open) {
        progress.flush();
        progress.view->unload();
    }

    const auto kept = static_cast<size_t>(r.keypadCount);
    r.score.resize(kept);
    r.time.resize(kept);
    r.voted.resize(kept);
    r.validKeypads = std::move(validKeypads);
    return r;
}

} // namespace quiz
