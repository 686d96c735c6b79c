#include "core/quiz/scoring.h"

#include "core/common/text.h"
#include "core/common/workthreads.h"
#include "core/quiz/answerrule.h"
#include "ports/progress.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <thread>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quiz
{

namespace
{

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// leadingNumber without its temporary string, for the per-keypad loop. Plain
// decimals of up to 15 digits are exact here (one correctly rounded division);
// anything longer or with an exponent goes the general way. The text may run
// on past the value: the value ends at its ";".
double fastLeadingNumber(std::string_view text)
{
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
        return leadingNumber(text.substr(0, text.find(';')));
    const double value = static_cast<double>(mantissa) / kPowersOfTen[fractionDigits];
    return negative ? -value : value;
}

// Moves `pos` past `count` ";" separators of `text`, sixteen or eight bytes
// at a time where it can; false when the text has fewer.
bool skipSeparators(std::string_view text, size_t &pos, size_t count)
{
    const size_t n = text.size();
#if defined(__SSE2__)
    if (count == 0)
        return true;
    const __m128i separator = _mm_set1_epi8(';');
    const __m128i zero = _mm_setzero_si128();
    while (pos + 16 <= n) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text.data() + pos));
        const __m128i matches = _mm_cmpeq_epi8(bytes, separator);
        // The separators counted: each match is 0xFF, its negation 1, summed in two halves.
        const __m128i sums = _mm_sad_epu8(_mm_sub_epi8(zero, matches), zero);
        const auto found = static_cast<size_t>(_mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4));
        if (found < count) {
            count -= found;
            pos += 16;
            continue;
        }
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(matches));
        while (--count > 0)
            mask &= mask - 1; // the count-th separator is now the lowest
        pos += static_cast<size_t>(std::countr_zero(mask)) + 1;
        return true;
    }
#endif
    while (count > 0) {
        if (pos + 8 <= n) {
            std::uint64_t word;
            std::memcpy(&word, text.data() + pos, 8);
            const std::uint64_t x = word ^ 0x3B3B3B3B3B3B3B3BULL; // ';' bytes become 0
            const std::uint64_t zeros =
                ~(((x & 0x7F7F7F7F7F7F7F7FULL) + 0x7F7F7F7F7F7F7F7FULL) | x) & 0x8080808080808080ULL;
            const auto found =
                static_cast<size_t>(((zeros >> 7) * 0x0101010101010101ULL) >> 56); // bytes summed
            if (found < count) {
                count -= found;
                pos += 8;
                continue;
            }
        }
        if (pos >= n)
            return false;
        if (text[pos++] == ';')
            --count;
    }
    return true;
}

// A keypad's answer as the per-keypad pass reads it: an option (0..10),
// no answer ("" or "-"), or an answer that names no option.
constexpr std::uint8_t kNotAnswered = kOptionCount;
constexpr std::uint8_t kNamesNoOption = kOptionCount + 1;
using AnswerCode = std::uint8_t;

constexpr AnswerCode codeOfEntry(std::string_view entry)
{
    if (entry.empty() || entry == "-")
        return kNotAnswered;
    const int option = answerOption(entry);
    return option == kNoOption ? kNamesNoOption : static_cast<AnswerCode>(option);
}

// The codes of one-character entries, by character.
constexpr std::array<AnswerCode, 256> kCodeOfCharacter = [] {
    std::array<AnswerCode, 256> codes{};
    for (int c = 0; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        codes[static_cast<size_t>(c)] = codeOfEntry(std::string_view(&ch, 1));
    }
    return codes;
}();

// The keypads of a list-form answer string (its ";" separators), and whether
// every entry before the last ";" is one character: then entry k is the
// character at 2k.
struct ListShape {
    size_t count = 0;
    bool singleCharacters = false;
};

ListShape listShapeOf(std::string_view answers)
{
    // One-character entries put every ";" at an odd place and none at an even one.
    const size_t n = answers.size();
    const size_t pairs = n / 2;
    size_t i = 0;
    bool single = true;
#if defined(__SSE2__)
    const __m128i separator = _mm_set1_epi8(';');
    for (; i + 16 <= 2 * pairs; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(answers.data() + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, separator)) != 0xAAAA) {
            single = false;
            break;
        }
    }
#endif
    for (; single && i < 2 * pairs; i += 2)
        single = answers[i] != ';' && answers[i + 1] == ';';
    // An odd last character is the entry after the last ";", which no keypad has.
    if (single && (n % 2 == 0 || answers[n - 1] != ';'))
        return {pairs, true};
    return {separatorCount(answers), false};
}

// Where the values of a ";"-separated text start, from value `first` on:
// one pass over the text finds every separator sixteen bytes at a time, so
// that a right answer's value is then found by its index alone.
class ValueStarts
{
  public:
    // The starts of values first .. first + count - 1 (fewer where the text ends).
    // `Written` starts are written for every sixteen bytes whatever their
    // count: as many as the shortest values (with their ";") fit, the common
    // case takes no branch.
    template <int Written> void fill(std::string_view text, size_t first, size_t count)
    {
        text_ = text;
        found_ = 0;
        size_t pos = 0;
        if (text.empty() || count == 0 || !skipSeparators(text, pos, first))
            return;
        starts_.resize(count + kSlack);
        std::uint32_t *out = starts_.data();
        out[found_++] = static_cast<std::uint32_t>(pos);
        const size_t n = text.size();
#if defined(__SSE2__)
        const __m128i separator = _mm_set1_epi8(';');
        for (; found_ < count && pos + 16 <= n; pos += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text.data() + pos));
            auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, separator)));
            const unsigned separators = bitCount16(mask);
            std::uint32_t *at = out + found_;
            const auto base = static_cast<std::uint32_t>(pos + 1);
            for (int i = 0; i < Written; ++i) {
                at[i] = base + static_cast<std::uint32_t>(std::countr_zero(mask | 0x10000u));
                mask &= mask - 1;
            }
            for (int i = Written; mask != 0; ++i) {
                at[i] = base + static_cast<std::uint32_t>(std::countr_zero(mask));
                mask &= mask - 1;
            }
            found_ += separators;
        }
#endif
        for (; found_ < count && pos < n; ++pos)
            if (text[pos] == ';')
                out[found_++] = static_cast<std::uint32_t>(pos + 1);
        found_ = std::min(found_, count);
    }

    // The text from value first + i on (the value runs to the next ";");
    // false when the text has no such value.
    bool at(size_t i, std::string_view &value) const
    {
        if (i >= found_)
            return false;
        value = text_.substr(starts_[i]);
        return true;
    }

    // The answer code of entry first + i of a list-form answer string filled
    // with one more value than it has entries (entry i ends where value i + 1
    // starts), decided without a branch on the entry's length.
    AnswerCode entryCode(size_t i) const
    {
        const size_t begin = starts_[i];
        const size_t separator = starts_[i + 1] - 1;
        const size_t length = separator - begin;
        const auto first = static_cast<unsigned char>(text_[begin]);
        const char second = text_[std::min(begin + 1, separator)];
        const bool ten = length == 2 && first == '1' && second == '0';
        // By length: none, one character, two ("10" names option 10), more.
        const std::array<AnswerCode, 4> byLength{kNotAnswered, kCodeOfCharacter[first],
                                                 static_cast<AnswerCode>(ten ? 10 : kNamesNoOption),
                                                 kNamesNoOption};
        return byLength[std::min<size_t>(length, 3)];
    }

  private:
    static constexpr size_t kSlack = 20; // room for what a block may add past `count`
    static unsigned bitCount16(unsigned v)
    {
        v = v - ((v >> 1) & 0x5555u);
        v = (v & 0x3333u) + ((v >> 2) & 0x3333u);
        v = (v + (v >> 4)) & 0x0F0Fu;
        return (v + (v >> 8)) & 0x1Fu;
    }

    std::string_view text_;
    std::vector<std::uint32_t> starts_;
    size_t found_ = 0;
};

void addTo(float &sum, double amount)
{
    sum = static_cast<float>(static_cast<double>(sum) + amount);
}

// The progress view is stepped once per keypad entry, in batches.
struct ProgressState {
    static constexpr long long batch = 1024;
    ProgressView *view = nullptr;
    bool open = false;
    long long pending = 0;
    void step(long long count)
    {
        if (!open)
            return;
        pending += count;
        if (pending >= batch)
            flush();
    }
    void flush()
    {
        if (open && pending > 0)
            view->incrementProgressBarBy(pending);
        pending = 0;
    }
};

// What the per-keypad pass needs of one question.
struct QuestionPlan {
    std::string_view answers;
    std::string_view responseText;
    WeightTable weight{};
    std::array<bool, kOptionCount + 2> right{}; // by answer code
    bool anyRight = false;
    bool list = false;
    bool singleCharacters = false; // list form with one character per entry
    bool hasCorrect = false;
    size_t count = 0;     // keypads: characters (compact form) or entries before the last ";"
    bool stepped = false; // its entries step the progress view (open by the time the question came)
};

// Scores keypads [from, end) of one question: `next(k)` gives keypad k's
// answer code. The keypads with right answers are gathered a batch at a
// time, then their weights and response values are added in keypad order.
template <typename NextCode>
void scoreRange(ScoringResult &r, const QuestionPlan &p, size_t from, size_t end, bool list,
                ValueStarts &values, NextCode next)
{
    if (p.anyRight)
        values.fill<4>(p.responseText, from, end - from); // "1.25;": five bytes
    constexpr size_t kBatch = 256;
    std::array<std::uint32_t, kBatch> rightKeypads;
    std::array<AnswerCode, kBatch> rightCodes;
    for (size_t batch = from; batch < end; batch += kBatch) {
        const size_t batchEnd = std::min(end, batch + kBatch);
        size_t right = 0;
        for (size_t k = batch; k < batchEnd; ++k) {
            const AnswerCode code = next(k);
            if (list && code != kNotAnswered)
                r.voted[k] = 1.0f;
            rightKeypads[right] = static_cast<std::uint32_t>(k);
            rightCodes[right] = code;
            right += p.right[code];
        }
        for (size_t i = 0; i < right; ++i) {
            const size_t k = rightKeypads[i];
            addTo(r.score[k], p.weight[rightCodes[i]]);
            std::string_view value;
            if (values.at(k - from, value))
                addTo(r.time[k], fastLeadingNumber(value));
        }
    }
}

// Keypads [from, to) of every question, in question order: a keypad's sums
// depend only on its own entries, so ranges of keypads can be scored apart
// and give the same sums. `progress` (null on a worker) is stepped by all the
// entries of each list-form question, the other ranges' included.
void scoreKeypads(ScoringResult &r, const std::vector<QuestionPlan> &plans, size_t from, size_t to,
                  ProgressState *progress)
{
    ValueStarts values, entries;
    for (const QuestionPlan &p : plans) {
        const size_t end = std::min(to, p.count);
        const auto *bytes = reinterpret_cast<const unsigned char *>(p.answers.data());
        if (!p.list) {
            scoreRange(r, p, from, end, false, values,
                       [bytes](size_t k) { return kCodeOfCharacter[bytes[k]]; });
            continue;
        }
        // Without a correct answer nobody scores or counts as having voted.
        if (from < end && p.hasCorrect) {
            if (p.singleCharacters) {
                scoreRange(r, p, from, end, true, values,
                           [bytes](size_t k) { return kCodeOfCharacter[bytes[2 * k]]; });
            } else {
                entries.fill<8>(p.answers, from, end - from + 1); // "2;": two bytes
                scoreRange(r, p, from, end, true, values,
                           [&entries, from](size_t k) { return entries.entryCode(k - from); });
            }
        }
        if (progress && p.stepped) {
            progress->step(static_cast<long long>(p.count));
            progress->flush();
        }
    }
}

// Below this many entries in all, one thread scores them all.
constexpr size_t kEntriesForTwoThreads = size_t(1) << 20;

} // namespace

ScoringResult ScoreQuiz(const std::vector<QuestionInput> &questions, const ScoringSettings &settings,
                        std::vector<int> validKeypads, ProgressView *progressView)
{
    ScoringResult r;
    r.displayCount = settings.displayCount;
    ProgressState progress{progressView, false};
    bool allValid = false;
    size_t keypads = 51; // room for keypads 0..50 before the first question
    size_t entries = 0;

    // What each question asks, in order; the sums come after.
    std::vector<QuestionPlan> plans;
    plans.reserve(questions.size());
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
        // (once the table is all ones, resizing keeps it so). Every keypad the
        // question scores is therefore valid.
        if (allValid) {
            validKeypads.resize(q.answers.size() + 1, 1);
        } else {
            validKeypads.assign(q.answers.size() + 1, 1);
            allValid = true;
        }

        if (q.answers.empty())
            continue;
        QuestionPlan &p = plans.emplace_back();
        p.answers = q.answers;
        p.responseText = q.responseText;
        p.weight = weight;
        const RightOptions right(q.correctAnswer, q.answers);
        for (int option = 0; option < kOptionCount; ++option)
            p.right[static_cast<size_t>(option)] = right.contains(option);
        p.anyRight = !right.empty();
        p.list = q.answers.find(';') != std::string::npos;
        const ListShape shape = p.list ? listShapeOf(q.answers) : ListShape{q.answers.size(), false};
        p.count = shape.count;
        p.singleCharacters = shape.singleCharacters;
        p.hasCorrect = !q.correctAnswer.empty();
        r.keypadCount = static_cast<int>(p.count);
        if (p.list) {
            r.anyListForm = true;
            if (static_cast<long long>(p.count) > r.displayCount && settings.showNumberOfMaxScorers)
                r.displayCount = static_cast<int>(p.count);
            const auto steps = static_cast<long long>(p.count) * static_cast<long long>(questions.size());
            if (!progress.open && steps >= 501 && progress.view) {
                progress.view->setUpProgressBar(static_cast<float>(steps));
                progress.open = true;
            }
            p.stepped = progress.open;
        }
        keypads = std::max(keypads, p.count);
        entries += p.count;
    }
    // A keypad missing from a later question keeps what it scored before.
    r.score.assign(keypads, 0.0f);
    r.time.assign(keypads, 0.0f);
    r.voted.assign(keypads, 0.0f);

    if (entries >= kEntriesForTwoThreads && workThreadCount() > 1) {
        r.threads = 2;
        const size_t half = keypads / 2;
        // Joined however the progress view leaves this thread's half.
        const std::jthread upper([&] { scoreKeypads(r, plans, half, keypads, nullptr); });
        scoreKeypads(r, plans, 0, half, &progress);
    } else {
        scoreKeypads(r, plans, 0, keypads, &progress);
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
