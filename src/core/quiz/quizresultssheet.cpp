#include "core/quiz/quizresultssheet.h"

#include "core/common/writeformat.h"
#include "core/quiz/answerrule.h"
#include "core/votedata/voterecords.h"

#include <algorithm>
#include <charconv>

namespace quiz
{

namespace
{

// A single-precision score as the sheet shows it: the shortest decimal that
// reads back as the same single (0.1f is 0.1, not 0.100000001490116).
double singleValue(float value)
{
    const std::string text = formatSingle(value);
    double number = value;
    std::from_chars(text.data(), text.data() + text.size(), number);
    return number;
}

void addSingle(float &sum, double amount)
{
    sum = static_cast<float>(static_cast<double>(sum) + amount);
}

// A cell's format as a key: its block, its medium edges (bits 0..3 by Edge),
// the dotted lines inside blocks and the marks of header and right cells.
enum FormatBits : unsigned {
    kDottedBottom = 1u << 4,
    kDottedRight = 1u << 5,
    kTurnedSmall = 1u << 6, // a vote's name: turned a quarter, 8 points
    kCentredWrapped = 1u << 7,
    kCorrect = 1u << 8, // a right answer: bold, coloured
    kBlockShift = 12,
};
enum Block : unsigned { kNoBlock, kTitles, kNames, kTotals, kRoundHeader, kAnswers, kScores };

// The medium edges of a cell in the block rows r0..r1, columns c0..c1.
unsigned mediumEdges(int row, int column, int r0, int c0, int r1, int c1)
{
    unsigned bits = 0;
    if (column == c0)
        bits |= 1u << static_cast<int>(Edge::Left);
    if (row == r0)
        bits |= 1u << static_cast<int>(Edge::Top);
    if (column == c1)
        bits |= 1u << static_cast<int>(Edge::Right);
    if (row == r1)
        bits |= 1u << static_cast<int>(Edge::Bottom);
    return bits;
}

unsigned blockKey(Block block)
{
    return static_cast<unsigned>(block) << kBlockShift;
}

CellFormat formatOfKey(unsigned key)
{
    const Border medium{BorderStyle::Continuous, BorderWeight::Medium, std::nullopt};
    const Border dotted{BorderStyle::Dot, BorderWeight::Thin, std::nullopt};
    CellFormat f;
    switch (static_cast<Block>(key >> kBlockShift)) {
    case kNoBlock:
        break;
    case kTitles:
        f.wrap = true;
        [[fallthrough]];
    case kNames:
        f.font.bold = true;
        f.horizontal = HorizontalAlignment::Centre;
        [[fallthrough]];
    case kRoundHeader:
        f.fill = kResultsHeaderFill;
        f.font.colour = rgbWhite;
        break;
    case kTotals:
        f.font.bold = true;
        [[fallthrough]];
    case kScores:
        f.fill = kResultsScoreFill;
        f.horizontal = HorizontalAlignment::Centre;
        break;
    case kAnswers:
        f.fill = kResultsAnswerFill;
        f.horizontal = HorizontalAlignment::Centre;
        break;
    }
    for (Edge edge : {Edge::Left, Edge::Top, Edge::Right, Edge::Bottom})
        if (key & (1u << static_cast<int>(edge)))
            f.border(edge) = medium;
    if (key & kDottedBottom)
        f.border(Edge::Bottom) = dotted;
    if (key & kDottedRight)
        f.border(Edge::Right) = dotted;
    if (key & kTurnedSmall) {
        f.rotation = 90;
        f.font.size = 8;
    }
    if (key & kCentredWrapped) {
        f.horizontal = HorizontalAlignment::Centre;
        f.wrap = true;
    }
    if (key & kCorrect) {
        f.font.bold = true;
        f.font.colour = kResultsCorrectFont;
    }
    return f;
}

} // namespace

ShownAnswer showAnswer(const std::string &response, const RightOptions &right)
{
    ShownAnswer shown;
    if (response.empty())
        return shown;
    const int option = answerOption(response);
    if (option == 10)
        shown.text = "10";
    else if (response == "X")
        shown.text = "A";
    else
        shown.text = response;
    if (right.contains(option)) {
        shown.correct = true;
        shown.weightIndex = option;
    }
    return shown;
}

ShownAnswer showAnswer(const std::string &response, const std::string &correctAnswer)
{
    return showAnswer(response, RightOptions(correctAnswer, {}));
}

void setShownValue(Sheet &sheet, int row, int column, const std::string &text)
{
    double number = 0;
    if (readsAsNumber(text, number))
        sheet.setNumber(row, column, number);
    else
        sheet.setText(row, column, text);
}

// A vote with a column: its answers and where each entry starts.
struct QuizResultsSheet::Vote {
    int column = 0;
    RightOptions correct; // "p" already resolved
    std::string answers;
    std::vector<std::uint32_t> starts; // list form: entry starts, then one past the end
    int entries = 0;
    WeightTable weights{};

    std::string_view entry(int k) const
    {
        if (starts.empty())
            return std::string_view(answers).substr(static_cast<size_t>(k), 1);
        const auto begin = starts[static_cast<size_t>(k)];
        return std::string_view(answers).substr(begin, starts[static_cast<size_t>(k) + 1] - 1 - begin);
    }
};

struct QuizResultsSheet::Round {
    int start = 0; // first column
    int raw = 0;   // the raw score column; the weighted score follows it
    std::string label, quizFileName;
    int bodyRows = 0; // keypad rows formatted (M when the round was added)
    std::vector<Vote> votes;
    std::vector<int> rawScores;
    std::vector<float> weightedScores;
};

QuizResultsSheet::QuizResultsSheet(std::function<void()> yield) : yield_(std::move(yield)) {}

QuizResultsSheet::~QuizResultsSheet() = default;

void QuizResultsSheet::growTo(int rows)
{
    // Round arrays also hold the entry after the last keypad (index M).
    const auto size = static_cast<size_t>(rows) + 1;
    if (roundRawScratch_.size() < size) {
        roundRawScratch_.resize(size, 0);
        roundWeightedScratch_.resize(size, 0.0f);
    }
    if (totalRaw_.size() < size) {
        totalRaw_.resize(size, 0);
        totalWeighted_.resize(size, 0.0f);
    }
}

void QuizResultsSheet::addRound(ExportRound exportRound)
{
    Round &round = rounds_.emplace_back();
    round.start = col_ + 4;
    round.label = "Round " + std::to_string(rounds_.size());
    round.quizFileName = std::move(exportRound.quizFileName);

    for (ExportVote &vote : exportRound.votes) {
        if (yield_)
            yield_();
        addVote(vote, round);
    }

    round.raw = col_ + 4;
    columnTitles_.resize(static_cast<size_t>(round.raw) + 2);
    columnTitles_[static_cast<size_t>(round.raw)] = "Raw Score";
    columnTitles_[static_cast<size_t>(round.raw) + 1] = "Weighted Score";
    growTo(rows_);
    round.bodyRows = rows_;
    round.rawScores.assign(roundRawScratch_.begin(), roundRawScratch_.begin() + rows_);
    round.weightedScores.resize(static_cast<size_t>(rows_));
    for (int k = 0; k < rows_; ++k) {
        const auto i = static_cast<size_t>(k);
        round.weightedScores[i] = roundWeightedScratch_[i];
        totalRaw_[i] += roundRawScratch_[i];
        addSingle(totalWeighted_[i], roundWeightedScratch_[i]);
    }
    // Every entry starts the next round at 0, also one beyond the keypads.
    std::fill(roundRawScratch_.begin(), roundRawScratch_.end(), 0);
    std::fill(roundWeightedScratch_.begin(), roundWeightedScratch_.end(), 0.0f);
    col_ += 2;
}

void QuizResultsSheet::addVote(ExportVote &exportVote, Round &round)
{
    const int column = col_ + 4;
    columnTitles_.resize(std::max(columnTitles_.size(), static_cast<size_t>(column) + 1));
    columnTitles_[static_cast<size_t>(column)] = exportVote.entry;
    if (!exportVote.present)
        return; // the next vote, or the round's score header, takes this column

    Vote &vote = round.votes.emplace_back();
    vote.column = column;
    vote.correct = RightOptions(exportVote.correctAnswer, exportVote.answers);
    vote.answers = std::move(exportVote.answers);
    vote.weights = exportVote.weights;
    if (vote.answers.find(';') == std::string::npos) {
        vote.entries = static_cast<int>(vote.answers.size());
    } else {
        vote.starts.push_back(0);
        for (size_t i = 0; i < vote.answers.size(); ++i)
            if (vote.answers[i] == ';')
                vote.starts.push_back(static_cast<std::uint32_t>(i + 1));
        vote.starts.push_back(static_cast<std::uint32_t>(vote.answers.size() + 1));
        vote.entries = static_cast<int>(vote.starts.size()) - 1;
    }
    rows_ = std::max(rows_, static_cast<int>(keypadCountOf(vote.answers)));
    growTo(std::max(rows_, vote.entries));

    std::string response;
    for (int k = 0; k < vote.entries; ++k) {
        if (yield_)
            yield_();
        response.assign(vote.entry(k));
        const ShownAnswer shown = showAnswer(response, vote.correct);
        if (shown.text.empty())
            continue;
        lastRow_ = std::max(lastRow_, k + 4);
        if (!shown.correct)
            continue;
        const auto i = static_cast<size_t>(k);
        roundRawScratch_[i] += 1;
        addSingle(roundWeightedScratch_[i], vote.weights[static_cast<size_t>(shown.weightIndex)]);
    }
    ++col_;
}

void QuizResultsSheet::finish(std::function<std::string(int)> nameOf)
{
    nameOf_ = std::move(nameOf);
    growTo(rows_);
}

std::map<int, double> QuizResultsSheet::columnWidths() const
{
    return {{1, kResultsTotalsColumnWidth}, {2, kResultsTotalsColumnWidth}, {3, kResultsTotalsColumnWidth}};
}

std::map<int, double> QuizResultsSheet::rowHeights() const
{
    if (rounds_.empty())
        return {};
    return {{3, kResultsHeaderRowHeight}};
}

int QuizResultsSheet::rowCount() const
{
    return std::max(lastRow_, rows_ + 3);
}

const CellFormat *QuizResultsSheet::format(unsigned key)
{
    if (key == 0)
        return nullptr;
    auto it = formats_.find(key);
    if (it == formats_.end())
        it = formats_.emplace(key, formatOfKey(key)).first;
    return &it->second;
}

void QuizResultsSheet::writeRow(int row, RowWriter &out)
{
    if (row <= 3)
        writeHeaderRow(row, out);
    else
        writeKeypadRow(row, out);
}

void QuizResultsSheet::writeHeaderRow(int row, RowWriter &out)
{
    const auto cell = [&](int column, const std::string &text, unsigned key) {
        if (text.empty())
            out.blank(column, format(key));
        else
            out.text(column, text, format(key));
    };
    const std::string titles[3][3] = {
        {"", "Totals:", ""}, {"", "", ""}, {"Keypad / Name", "Raw Score", "Weighted Score"}};
    for (int column = 1; column <= 3; ++column)
        cell(column, titles[row - 1][column - 1], blockKey(kTitles) | mediumEdges(row, column, 1, 1, 3, 3));
    for (const Round &round : rounds_) {
        const int weighted = round.raw + 1;
        for (int column = round.start; column <= weighted; ++column) {
            unsigned key = blockKey(kRoundHeader) | mediumEdges(row, column, 1, round.start, 3, weighted);
            std::string text;
            if (row == 1 && column == round.start)
                text = round.label;
            else if (row == 2 && column == round.start)
                text = round.quizFileName;
            else if (row == 3) {
                text = columnTitles_[static_cast<size_t>(column)];
                key |= kCentredWrapped | (column < round.raw ? kTurnedSmall : 0u);
            }
            cell(column, text, key);
        }
    }
}

void QuizResultsSheet::writeKeypadRow(int row, RowWriter &out)
{
    if (yield_)
        yield_();
    const int k = row - 4;
    const auto i = static_cast<size_t>(k);
    if (k < rows_) {
        const int lastRow = rows_ + 3;
        writeTyped(out, 1, nameOf_ ? nameOf_(k + 1) : std::to_string(k + 1),
                   format(blockKey(kNames) | mediumEdges(row, 1, 4, 1, lastRow, 1)));
        out.number(2, totalRaw_[i], format(blockKey(kTotals) | mediumEdges(row, 2, 4, 2, lastRow, 3)));
        out.number(3, singleValue(totalWeighted_[i]),
                   format(blockKey(kTotals) | mediumEdges(row, 3, 4, 2, lastRow, 3)));
    }
    std::string response;
    for (const Round &round : rounds_) {
        const bool inBody = k < round.bodyRows;
        const int lastRow = round.bodyRows + 3;
        const int weighted = round.raw + 1;
        const auto bodyKey = [&](int column, Block block) {
            return blockKey(block) | mediumEdges(row, column, 4, round.start, lastRow, weighted) |
                   (row < lastRow ? kDottedBottom : 0u) | (column <= round.raw ? kDottedRight : 0u);
        };
        for (const Vote &vote : round.votes) {
            const unsigned key = inBody ? bodyKey(vote.column, kAnswers) : 0u;
            if (k >= vote.entries) {
                if (inBody)
                    out.blank(vote.column, format(key));
                continue;
            }
            response.assign(vote.entry(k));
            const ShownAnswer shown = showAnswer(response, vote.correct);
            if (shown.text.empty()) {
                if (inBody)
                    out.blank(vote.column, format(key));
            } else if (!shown.correct) {
                writeTyped(out, vote.column, shown.text, format(key));
            } else {
                const double w = vote.weights[static_cast<size_t>(shown.weightIndex)];
                const CellFormat *f = format(key | kCorrect);
                if (w > 0)
                    out.text(vote.column, shown.text + " (" + numberText(w) + ")", f);
                else
                    writeTyped(out, vote.column, shown.text, f);
            }
        }
        if (inBody) {
            out.number(round.raw, round.rawScores[i], format(bodyKey(round.raw, kScores)));
            out.number(weighted, singleValue(round.weightedScores[i]), format(bodyKey(weighted, kScores)));
        }
    }
}

Workbook QuizResultsWorkbook(const std::vector<ExportRound> &rounds,
                             const std::function<std::string(int)> &nameOf,
                             const std::function<void()> &yield)
{
    QuizResultsSheet builder(yield);
    for (const ExportRound &round : rounds) {
        if (yield)
            yield();
        builder.addRound(round);
    }
    builder.finish(nameOf);
    return collectWorkbook({&builder});
}

} // namespace quiz
