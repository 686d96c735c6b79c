#include "core/quiz/scoring.h"

#include "core/common/text.h"
#include "core/quiz/correctanswer.h"
#include "ports/progress.h"

#include <algorithm>
#include <cstdint>
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

// Walks the pieces of a ";"-separated text without copying them.
class PieceCursor
{
  public:
    explicit PieceCursor(std::string_view text) : text_(text), done_(text.empty()) {}
    // The next piece; false when the text has no more.
    bool next(std::string_view &piece)
    {
        if (done_)
            return false;
        const size_t end = text_.find(';', pos_);
        if (end == std::string_view::npos) {
            piece = text_.substr(pos_);
            done_ = true;
        } else {
            piece = text_.substr(pos_, end - pos_);
            pos_ = end + 1;
        }
        return true;
    }

  private:
    std::string_view text_;
    size_t pos_ = 0;
    bool done_;
};

int digitValue(char c)
{
    return c >= '0' && c <= '9' ? c - '0' : 0;
}

void addTo(float &sum, double amount)
{
    sum = static_cast<float>(static_cast<double>(sum) + amount);
}

void resizeSums(ScoringResult &r, size_t count)
{
    r.score.resize(count, 0.0f);
    r.time.resize(count, 0.0f);
    r.voted.resize(count, 0.0f);
}

void scoreCompact(ScoringResult &r, const QuestionInput &q, const WeightTable &weight,
                  const std::vector<int> &valid)
{
    const std::string_view answers = q.answers;
    const size_t count = answers.size();
    resizeSums(r, count);
    r.keypadCount = static_cast<int>(count);

    std::string correct = q.correctAnswer;
    if (correct == "P" || correct == "p")
        correct = std::to_string(MostPopularAnswer(answers));

    // The response value of keypad k is the k-th ";"-separated value of the response text.
    PieceCursor values(q.responseText);
    for (size_t k = 0; k < count; ++k) {
        std::string_view value;
        const bool hasValue = values.next(value);
        const char a = answers[k];
        if (a == 'X')
            continue;
        for (const char c : correct) {
            if (a != 'A') {
                if (valid[k] == 1 && a == c) {
                    addTo(r.score[k], weight[digitValue(a)]);
                    if (hasValue)
                        addTo(r.time[k], fastLeadingNumber(value));
                }
            } else if (c == 'x') {
                addTo(r.score[k], weight[10]);
                if (hasValue)
                    addTo(r.time[k], fastLeadingNumber(value));
            }
        }
    }
}

struct ProgressState {
    ProgressView *view = nullptr;
    bool open = false;
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
    resizeSums(r, last);
    r.keypadCount = static_cast<int>(last);
    r.anyListForm = true;

    const std::string_view correct = q.correctAnswer;
    PieceCursor entries(answers);
    PieceCursor values(q.responseText);
    for (size_t i = 0; i < last; ++i) {
        std::string_view entry, value;
        entries.next(entry);
        const bool hasValue = values.next(value);
        if (progress.open)
            progress.view->incrementProgressBar();
        if (entry == "-" || correct.empty())
            continue;
        r.voted[i] = 1.0f;
        if (fastLeadingNumber(entry) == 10) {
            for (const char c : correct) {
                if (c == 'x') {
                    addTo(r.score[i], weight[10]);
                    if (hasValue)
                        addTo(r.time[i], fastLeadingNumber(value));
                }
            }
            continue;
        }
        if (entry == "X" || entry.size() != 1 || valid[i] != 1)
            continue;
        for (const char c : correct) {
            if (entry[0] == c) {
                addTo(r.score[i], weight[digitValue(c)]);
                if (hasValue)
                    addTo(r.time[i], fastLeadingNumber(value));
            }
        }
    }
}

} // namespace

ScoringResult ScoreQuiz(const std::vector<QuestionInput> &questions, const ScoringSettings &settings,
                        std::vector<int> validKeypads, ProgressView *progressView)
{
    ScoringResult r;
    r.displayCount = settings.displayCount;
    resizeSums(r, 51); // room for keypads 0..50 before the first question
    ProgressState progress{progressView, false};

    for (const QuestionInput &q : questions) {
        WeightTable weight = q.weights;
        double largest = 1.0;
        if (settings.useWeightings != 1) {
            std::fill(weight.begin(), weight.begin() + 11, 1.0);
        } else if (settings.showNumberOfMaxScorers) {
            largest = *std::max_element(weight.begin(), weight.begin() + 11);
        }
        r.possibleMaximum += largest;

        // Every keypad of the answer string counts as valid for this question.
        validKeypads.assign(q.answers.size() + 1, 1);

        if (q.answers.empty())
            continue;
        if (q.answers.find(';') == std::string::npos)
            scoreCompact(r, q, weight, validKeypads);
        else
            scoreList(r, q, weight, validKeypads, settings, questions.size(), progress);
    }
    if (progress.open)
        progress.view->unload();

    resizeSums(r, static_cast<size_t>(r.keypadCount));
    r.validKeypads = std::move(validKeypads);
    return r;
}

} // namespace quiz
