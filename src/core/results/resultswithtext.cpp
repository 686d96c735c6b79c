#include "core/results/resultswithtext.h"

#include "core/common/text.h"
#include "core/results/resultsbuild.h"
#include "ports/presentationhost.h"

namespace quiz
{

namespace
{

void addRow(ResultsGrid &g, const std::string &caption, const std::string &answer, const std::string &value,
            const std::string &votes)
{
    const int r = g.rows();
    g.setRows(r + 1);
    g.setText(r, FullQuestion, caption);
    g.setText(r, FullAnswer, answer);
    g.setText(r, FullValue, value);
    g.setText(r, FullVotes, votes);
}

void layOut(ResultsGrid &g)
{
    g.setCols(4);
    g.setRows(1);
    const struct {
        const char *header;
        int width;
        CellAlign align;
    } columns[] = {{"Question", 3000, CellAlign::LeftCenter},
                   {"Answer", 3000, CellAlign::LeftCenter},
                   {"Value", 700, CellAlign::CenterCenter},
                   {"Votes", 800, CellAlign::CenterCenter}};
    for (int c = 0; c < 4; ++c) {
        g.setText(0, c, columns[c].header);
        g.setColWidth(c, columns[c].width);
        g.setColAlign(c, columns[c].align);
    }
}

} // namespace

std::vector<std::string> slideTextLines(std::string text)
{
    text = replaceAll(std::move(text), "\r\n", "\n");
    text = replaceAll(std::move(text), "\r", "\n");
    text = replaceAll(std::move(text), "\v", "\n");
    std::vector<std::string> lines;
    for (std::string &line : split(text, "\n"))
        if (!line.empty())
            lines.push_back(std::move(line));
    return lines;
}

std::map<std::string, std::string> slideTextsByQuestion(PresentationHost &host)
{
    std::map<std::string, std::string> texts;
    int count = 0;
    try {
        count = host.slideCount();
    } catch (const HostError &) {
    }
    for (int i = 1; i <= count; ++i) {
        try {
            const HostSlide slide = host.slide(i);
            if (const std::string *tag = findIgnoringCase(slide.tags, "QuiztlxName"))
                texts.emplace(toUpper(*tag), slide.text);
        } catch (const HostError &) {
        }
    }
    return texts;
}

void CreateResultsWithText(const std::vector<QuestionInfo> &questions,
                           const std::map<std::string, std::string> &slideTexts, ResultsGrids &grids,
                           const std::function<void(const std::string &)> &caption)
{
    const ResultsGrid &byQuestion = grids.questionResults;
    ResultsGrid &full = grids.questionFull;
    layOut(full);
    const int votedColumn = byQuestion.cols() - 1;
    const std::string rowCount = std::to_string(byQuestion.rows() - 1);
    int row = 0;
    for (const QuestionInfo &q : questions) {
        if (q.name.empty())
            continue;
        std::vector<std::string> texts;
        if (const auto it = slideTexts.find(toUpper(q.name)); it != slideTexts.end())
            texts = slideTextLines(it->second);
        if (texts.empty() && !q.isText() && !q.isRank())
            texts = q.optionTexts;
        for (int k = 1; k <= q.itemCount && row + 1 < byQuestion.rows(); ++k) {
            ++row;
            caption("Results " + std::to_string(row) + " of " + rowCount);
            const std::string itemName = itemCaption(q, k);
            const std::string &voted = byQuestion.text(row, votedColumn);
            if (leadingInt(voted) == 0) {
                addRow(full, itemName, "No Votes Collected", "", "0");
                continue;
            }
            if (texts.empty() && (q.isText() || q.isRank())) {
                addRow(full, itemName,
                       q.isText() ? "Text vote, unable to get text scale"
                                  : "Rank vote, unable to get value scale",
                       "", voted);
                continue;
            }
            for (int o = q.firstOption; o <= q.firstOption + q.optionCount - 1 && o >= 0 && o <= 10; ++o) {
                const std::size_t line = static_cast<std::size_t>(o - q.firstOption);
                const std::string text =
                    line < texts.size() && !texts[line].empty() ? texts[line] : std::to_string(o);
                addRow(full, itemName, text, std::to_string(o), byQuestion.text(row, o + 1));
                if (byQuestion.marked(row, o + 1, MarkGreen))
                    full.mark(full.rows() - 1, FullAnswer, MarkGreen);
            }
            addRow(full, itemName, "Voted", "", voted);
        }
    }
}

} // namespace quiz
