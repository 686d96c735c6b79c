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

QuizSetupRead ReadQuizSetup(const std::string &path, const std::string &dataFolder, const QuizSetup &start)
{
    QuizSetupRead read;
    read.setup = start;
    QuizSetup &setup = read.setup;
    const std::string file = resolvePath(path);
    if (!FileExists(file)) {
        if (FileExists(resolveFile(dataFolder, "team.cfg"))) {
            FontChoice font;
            font.name = "Arial";
            font.size = 24;
            read.fontPreset = font;
        }
        return read;
    }
    read.found = true;
    ItemReader reader = ItemReader::fromFile(file);
    setup.font.colour = 0;

    // Questions; those whose file is gone are left out.
    setup.questions.clear();
    const int count = readQuestionCount(reader, contains(toUpper(path), "TEAM.CFG"));
    for (int i = 0; i < count && !reader.atEnd(); ++i) {
        const auto name = reader.next();
        if (name && FileExists(resolveFile(dataFolder, *name)))
            setup.questions.push_back(*name);
    }

    // Places shown and the display window's area. The file holds one place
    // record per place it counts; a count outside 1..99 is rejected (the
    // display keeps its places) but its records are still passed over.
    const int placesInFile = std::max(reader.nextInt().value_or(0), 0);
    const bool placesAccepted = placesInFile >= 1 && placesInFile <= 99;
    if (placesAccepted)
        setup.displayCount = placesInFile;
    DisplayArea &area = setup.area;
    for (float *value : {&area.left, &area.top, &area.width, &area.height})
        if (const auto number = reader.nextDouble())
            *value = static_cast<float>(*number);

    if (placesAccepted)
        setup.places.assign(static_cast<size_t>(placesInFile) + 1, {});
    for (int p = 0; p < placesInFile && !reader.atEnd(); ++p)
        for (int text = 0; text < 2; ++text) {
            PointD ignored;
            PointD &point = placesAccepted ? setup.places[static_cast<size_t>(p)][text] : ignored;
            readInto(point.x, reader.nextDouble());
            readInto(point.y, reader.nextDouble());
        }

    readInto(setup.reserved1, reader.nextInt());
    readInto(setup.reserved2, reader.nextInt());
    // A colour beyond the range of a 64-bit whole number reads as nothing.
    if (const auto colour = reader.nextDouble(); colour && *colour > -0x1p63 && *colour < 0x1p63)
        setup.font.colour = static_cast<std::uint32_t>(static_cast<std::int64_t>(*colour));

    if (const auto name = reader.next())
        setup.font.name = name->empty() ? "Arial" : *name;
    readInto(setup.font.bold, reader.nextFlag());
    readInto(setup.font.italic, reader.nextFlag());
    readInto(setup.font.size, reader.nextInt());
    read.fontPreset = setup.font;

    readInto(setup.showScores, reader.nextInt());
    readInto(setup.showKeypadNames, reader.nextInt());
    readInto(setup.onFinishChoice, reader.nextInt());
    if (const auto autostart = reader.next())
        setup.autoStart = *autostart == "autostart=True";

    // Records added to the format later; an older file ends before them.
    const auto later = [&] {
        if (reader.atEnd())
            return false;
        ++read.laterRecords;
        return true;
    };
    if (later()) {
        readInto(setup.font.strikeThrough, reader.nextFlag());
        readInto(setup.font.underline, reader.nextFlag());
    }
    if (later())
        readInto(setup.useWeightings, reader.nextInt());
    if (later())
        readInto(setup.showNumberOfMaxScorers, reader.nextFlag());
    if (later())
        readInto(setup.showOnlyMaxScorers, reader.nextFlag());
    if (later())
        readInto(setup.keypadsStartFrom, reader.nextInt());
    if (later()) {
        const std::vector<std::string> pieces = splitTextsLine(reader.restOfLine());
        for (size_t i = 1; i < pieces.size() && i - 1 < setup.textToAdd.size(); ++i)
            setup.textToAdd[i - 1] = pieces[i];
    }
    return read;
}

std::vector<std::string> ReadQuizSetupInto(QuizState &state, const std::string &path)
{
    const QuizSetup setup = ReadQuizSetup(path, state.dataFolder, setupOf(state)).setup;
    applySetup(state, setup);
    return setup.questions;
}

std::string formatQuizSetup(const QuizSetup &setup)
{
    std::string out;
    const std::vector<std::string> &questions = setup.questions;
    out += WriteRecord().integer(static_cast<long long>(questions.size())).line();
    for (const std::string &name : questions)
        out += WriteRecord().text(name).line();

    const DisplayArea &area = setup.area;
    out += WriteRecord()
               .integer(setup.displayCount)
               .single(area.left)
               .single(area.top)
               .single(area.width)
               .single(area.height)
               .line();
    for (int p = 0; p < setup.displayCount; ++p) {
        // A place the table does not hold yet is written as automatic.
        std::array<PointD, 3> place{PointD{-1, -1}, PointD{-1, -1}, PointD{-1, -1}};
        if (static_cast<size_t>(p) < setup.places.size())
            place = setup.places[static_cast<size_t>(p)];
        out +=
            WriteRecord().number(place[0].x).number(place[0].y).number(place[1].x).number(place[1].y).line();
    }
    const FontChoice &font = setup.font;
    out += WriteRecord().integer(setup.reserved1).integer(setup.reserved2).integer(font.colour).line();
    out += WriteRecord().text(font.name).flag(font.bold).flag(font.italic).integer(font.size).line();
    // The keypad names item is always written as 1.
    out += WriteRecord().integer(setup.showScores).integer(1).line();
    out += WriteRecord().integer(setup.onFinishChoice).line();
    out += WriteRecord().text(setup.autoStart ? "autostart=True" : "autostart=False").line();
    out += WriteRecord().flag(font.strikeThrough).flag(font.underline).line();
    out += WriteRecord().integer(setup.useWeightings).line();
    out += WriteRecord().flag(setup.showNumberOfMaxScorers).line();
    out += WriteRecord().flag(setup.showOnlyMaxScorers).line();
    out += WriteRecord().integer(setup.keypadsStartFrom).line();
    out += WriteRecord().text("txttoadd=").text(setup.textToAdd[0]).text(setup.textToAdd[1]).line();
    return out;
}

bool WriteQuizSetup(const QuizSetup &setup, const std::string &path, Dialogs &dialogs)
{
    const std::string file = resolvePath(path);
    if (FileExists(file) && isReadOnly(file)) {
        dialogs.message(path + " is read only - not saving quiz setup", kQuizSetupMessageTitle);
        return false;
    }
    std::string error;
    if (!writeFileAtomic(file, formatQuizSetup(setup), &error)) {
        dialogs.message("The quiz setup could not be saved to " + path + ".\r\n" + error +
                            "\r\nThe previous file, if any, is unchanged.",
                        kQuizSetupMessageTitle, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

} // namespace quiz
