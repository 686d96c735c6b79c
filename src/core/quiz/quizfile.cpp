#include "core/quiz/quizfile.h"

#include "core/common/fileutil.h"
#include "core/common/text.h"
#include "core/common/writeformat.h"
#include "ports/dialogs.h"

#include <algorithm>
#include <cstdint>

namespace quiz
{

namespace
{

// Splits the "txttoadd=" line at the commas outside double quotes and drops
// the quotes ("" inside quotes is one quote), so that a text holding a comma
// comes back whole.
std::vector<std::string> splitTextsLine(std::string_view line)
{
    std::vector<std::string> pieces(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                pieces.back() += '"';
                ++i;
            } else {
                quoted = !quoted;
            }
        } else if (c == ',' && !quoted) {
            pieces.emplace_back();
        } else {
            pieces.back() += c;
        }
    }
    return pieces;
}

template <typename T> void readInto(T &target, const std::optional<T> &value)
{
    if (value)
        target = *value;
}

int readQuestionCount(ItemReader &reader, bool teamQuiz)
{
    if (!teamQuiz)
        return reader.nextInt().value_or(0);
    // A team quiz file starts with lines of its own; the count is the first
    // line without a comma.
    while (const auto line = reader.nextLine())
        if (!contains(*line, ","))
            return leadingInt(*line);
    return 0;
}

} // namespace

void ReadQuizSetup(QuizState &state, const std::string &path, SetupFormControls *form)
{
    const std::string file = resolvePath(path);
    const bool quizForm = form && form->kind() == SetupFormKind::QuizForm;
    if (!FileExists(file)) {
        if (form && FileExists(resolveFile(state.dataFolder, "team.cfg"))) {
            FontChoice font;
            font.name = "Arial";
            font.size = 24;
            form->presetFontDialog(font);
        }
        return;
    }
    ItemReader reader = ItemReader::fromFile(file);
    state.displayFontColour = 0;

    // Questions; those whose file is gone are left out.
    const int count = readQuestionCount(reader, contains(toUpper(path), "TEAM.CFG"));
    for (int i = 0; i < count && !reader.atEnd(); ++i) {
        const auto name = reader.next();
        if (name && FileExists(resolveFile(state.dataFolder, *name)) && form) {
            form->addToQuizList(*name);
            form->removeFromAvailableList(*name);
        }
    }

    // Places shown and the display window's area. The file holds one place
    // record per place it counts; a count outside 1..99 is rejected (the
    // display keeps its places) but its records are still passed over.
    const int placesInFile = std::max(reader.nextInt().value_or(0), 0);
    const bool placesAccepted = placesInFile >= 1 && placesInFile <= 99;
    if (placesAccepted)
        state.displayCount = placesInFile;
    DisplayArea &area = state.displayAreas[0];
    for (float *value : {&area.left, &area.top, &area.width, &area.height})
        if (const auto number = reader.nextDouble())
            *value = static_cast<float>(*number);
    if (form && form->kind() == SetupFormKind::QuizWizard)
        form->setDisplayCountBox(std::to_string(state.displayCount));

    if (placesAccepted) {
        const auto places = static_cast<size_t>(placesInFile);
        state.annotationPositions.assign(places + 1, {});
        if (state.rankLabelPositions.size() < places + 1)
            state.rankLabelPositions.resize(places + 1, PointD{3000, 600});
    }
    for (int p = 0; p < placesInFile && !reader.atEnd(); ++p)
        for (int text = 0; text < 2; ++text) {
            PointD ignored;
            PointD &point =
                placesAccepted ? state.annotationPositions[static_cast<size_t>(p)][text] : ignored;
            readInto(point.x, reader.nextDouble());
            readInto(point.y, reader.nextDouble());
        }

    readInto(state.reserved1, reader.nextInt());
    readInto(state.reserved2, reader.nextInt());
    // A colour beyond the range of a 64-bit whole number reads as nothing.
    if (const auto colour = reader.nextDouble(); colour && *colour > -0x1p63 && *colour < 0x1p63)
        state.displayFontColour = static_cast<std::uint32_t>(static_cast<std::int64_t>(*colour));

    if (const auto name = reader.next())
        state.displayFontName = name->empty() ? "Arial" : *name;
    readInto(state.displayFontBold, reader.nextFlag());
    readInto(state.displayFontItalic, reader.nextFlag());
    readInto(state.displayFontSize, reader.nextInt());
    if (form)
        form->presetFontDialog(displayFontChoice(state));

    readInto(state.showScores, reader.nextInt());
    readInto(state.showKeypadNames, reader.nextInt());
    readInto(state.onFinishChoice, reader.nextInt());
    // The form's autostart box is set, and with it the option.
    if (const auto autostart = reader.next())
        state.autoStart = *autostart == "autostart=True";
    if (quizForm) {
        form->setShowScoresCheckBox(state.showScores);
        form->setOnFinish(state.onFinishChoice);
        form->setCheckAutoStart(state.autoStart);
    }

    // Records added to the format later; an older file ends before them.
    if (!reader.atEnd()) {
        readInto(state.displayFontStrikeThrough, reader.nextFlag());
        readInto(state.displayFontUnderline, reader.nextFlag());
    }
    if (!reader.atEnd()) {
        readInto(state.useWeightings, reader.nextInt());
        if (quizForm)
            form->setChkUseWeightings(state.useWeightings);
    }
    if (!reader.atEnd()) {
        readInto(state.showNumberOfMaxScorers, reader.nextFlag());
        if (quizForm)
            form->setChkShowNumberOfMaxScorers(state.showNumberOfMaxScorers);
    }
    if (!reader.atEnd()) {
        readInto(state.showOnlyMaxScorers, reader.nextFlag());
        if (quizForm)
            form->setChkShowOnlyMaxScorers(state.showOnlyMaxScorers);
    }
    if (!reader.atEnd()) {
        readInto(state.keypadsStartFrom, reader.nextInt());
        if (quizForm)
            form->setTxtKeypadsStartFrom(std::to_string(state.keypadsStartFrom));
    }
    if (quizForm)
        form->setText1(std::to_string(state.keypadsStartFrom - 1 + state.displayCount));

    if (!reader.atEnd()) {
        const std::string line = reader.restOfLine();
        if (!line.empty()) {
            const std::vector<std::string> pieces = splitTextsLine(line);
            for (size_t i = 1; i < pieces.size(); ++i) {
                if (quizForm)
                    form->setTxtAddtext(pieces[i]);
                if (i - 1 < state.textToAdd.size())
                    state.textToAdd[i - 1] = pieces[i];
            }
        }
    }
}

std::string formatQuizSetup(const QuizState &state, const SetupFormControls &form)
{
    std::string out;
    const std::vector<std::string> questions = form.quizList();
    out += WriteRecord().integer(static_cast<long long>(questions.size())).line();
    for (const std::string &name : questions)
        out += WriteRecord().text(name).line();

    const DisplayArea &area = state.displayAreas[0];
    out += WriteRecord()
               .integer(state.displayCount)
               .single(area.left)
               .single(area.top)
               .single(area.width)
               .single(area.height)
               .line();
    for (int p = 0; p < state.displayCount; ++p) {
        // A place the table does not hold yet is written as automatic.
        std::array<PointD, 3> place{PointD{-1, -1}, PointD{-1, -1}, PointD{-1, -1}};
        if (static_cast<size_t>(p) < state.annotationPositions.size())
            place = state.annotationPositions[static_cast<size_t>(p)];
        out +=
            WriteRecord().number(place[0].x).number(place[0].y).number(place[1].x).number(place[1].y).line();
    }
    out += WriteRecord()
               .integer(state.reserved1)
               .integer(state.reserved2)
               .integer(state.displayFontColour)
               .line();
    out += WriteRecord()
               .text(state.displayFontName)
               .flag(state.displayFontBold)
               .flag(state.displayFontItalic)
               .integer(state.displayFontSize)
               .line();
    out += WriteRecord().integer(form.showScoresCheckBox()).integer(1).line();
    out += WriteRecord().integer(state.onFinishChoice).line();
    out += WriteRecord().text(state.autoStart ? "autostart=True" : "autostart=False").line();
    out += WriteRecord().flag(state.displayFontStrikeThrough).flag(state.displayFontUnderline).line();
    out += WriteRecord().integer(state.useWeightings).line();
    out += WriteRecord().flag(state.showNumberOfMaxScorers).line();
    out += WriteRecord().flag(state.showOnlyMaxScorers).line();
    out += WriteRecord().integer(state.keypadsStartFrom).line();
    out += WriteRecord().text("txttoadd=").text(state.textToAdd[0]).text(state.textToAdd[1]).line();
    return out;
}

bool WriteQuizSetup(const QuizState &state, const std::string &path, const SetupFormControls &form,
                    Dialogs &dialogs)
{
    const std::string file = resolvePath(path);
    if (FileExists(file) && isReadOnly(file)) {
        dialogs.message(path + " is read only - not saving quiz setup", kQuizSetupMessageTitle);
        return false;
    }
    std::string error;
    if (!writeFileAtomic(file, formatQuizSetup(state, form), &error)) {
        dialogs.message("The quiz setup could not be saved to " + path + ".\r\n" + error +
                            "\r\nThe previous file, if any, is unchanged.",
                        kQuizSetupMessageTitle, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

} // namespace quiz
