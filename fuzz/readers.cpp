#include "readers.h"

#include "adapters/standinhost/standinhost.h"
#include "adapters/standinhost/standinhostwindows.h"
#include "core/common/fileutil.h"
#include "core/controller/frame.h"
#include "core/controller/namescsv.h"
#include "core/controller/namesreply.h"
#include "core/diagnostics/uiscript.h"
#include "core/quiz/answerrule.h"
#include "core/quiz/correctanswer.h"
#include "core/quiz/lookupvotes.h"
#include "core/quiz/questionweightings.h"
#include "core/quiz/quizfile.h"
#include "core/results/groups.h"
#include "core/results/questiontable.h"
#include "core/startup/runstring.h"
#include "core/startup/workingfiles.h"
#include "core/votedata/participants.h"
#include "core/votedata/voterecords.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace quiz::fuzz
{

namespace
{

namespace fs = std::filesystem;

void check(bool holds, const char *rule)
{
    if (!holds)
        throw std::logic_error(rule);
}

// A data folder and an add-in folder of the process's own, removed at exit.
// The data folder holds one question file, so quiz files can name it.
const fs::path &scratch()
{
    static const fs::path root = [] {
        const fs::path dir = fs::temp_directory_path() / ("quizfuzz-" + std::to_string(::getpid()));
        fs::create_directories(dir / "data");
        fs::create_directories(dir / "addin");
        std::ofstream(dir / "data" / "Q1.TLX") << "\"x\"\r\n";
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(fs::temp_directory_path() / ("quizfuzz-" + std::to_string(::getpid())), ignored);
        });
        return dir;
    }();
    return root;
}

std::string dataFolder()
{
    return (scratch() / "data").string();
}

std::string writeFile(const fs::path &path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

// votes.rec up to the first NUL byte, response.rec after it (none without one).
void readVoteRecords(std::string_view input)
{
    const size_t nul = input.find('\0');
    const std::string votes(input.substr(0, nul));
    const std::string responses(nul == std::string_view::npos ? "" : input.substr(nul + 1));
    const VoteRecords records =
        VoteRecords::fromContent(&votes, nul == std::string_view::npos ? nullptr : &responses);
    QuizState state;
    for (const std::string &question : records.votedQuestions()) {
        const std::string answers = LookUpVotes(state, records, question);
        check(answers == records.answers(question), "the lookup gives the indexed answers");
        const int popular = mostPopularOption(answers);
        check(popular == kNoOption || (popular >= 0 && popular < kOptionCount),
              "the most popular answer is an option or none");
        check(RightOptions("p", answers).contains(popular) == (popular != kNoOption),
              "\"p\" is right for the most popular option only");
        check(SplitAnswerString(answers).size() == keypadCountOf(answers) ||
                  answers.find(';') != std::string::npos,
              "a compact answer string has one entry per keypad");
    }

    // The same texts as files: read block by block, each question's last line
    // found first and read again. UTF-8 texts without a byte order mark must
    // give what the texts give; any other must be read without a fault.
    const fs::path folder = scratch() / "records";
    fs::create_directories(folder);
    writeFile(folder / "votes.rec", votes);
    std::error_code ignored;
    if (nul == std::string_view::npos)
        fs::remove(folder / "response.rec", ignored);
    else
        writeFile(folder / "response.rec", responses);
    const VoteRecords read = VoteRecords::load(folder.string());
    const auto plain = [](const std::string &text) {
        return isValidUtf8(text) && text.rfind("\xEF\xBB\xBF", 0) != 0;
    };
    if (plain(votes) && plain(responses)) {
        check(read.votedQuestions() == records.votedQuestions(), "the files hold the texts' questions");
        for (const std::string &question : records.votedQuestions()) {
            check(read.answers(question) == records.answers(question), "the files give the texts' answers");
            const std::string *a = read.responseText(question), *b = records.responseText(question);
            check((a == nullptr) == (b == nullptr) && (!a || *a == *b),
                  "the files give the texts' response values");
        }
    }
    const std::vector<std::string> voted = read.votedQuestions();
    if (!voted.empty()) {
        const VoteRecords one = VoteRecords::load(folder.string(), {voted.front()});
        check(one.votedQuestions().size() == 1 && one.answers(voted.front()) == read.answers(voted.front()),
              "a quiz's questions are read as the whole meeting's");
    }
}

void readResponseLine(std::string_view input)
{
    responseTextOfLine(input);
}

// Reading a quiz file, writing it and reading it back must keep every value.
void readQuizFile(std::string_view input)
{
    const std::string path = writeFile(scratch() / "data" / "quiz.quz", input);
    const std::string written = formatQuizSetup(ReadQuizSetup(path, dataFolder()).setup);

    writeFile(path, written);
    const std::string again = formatQuizSetup(ReadQuizSetup(path, dataFolder()).setup);
    check(again == written, "a written quiz file reads back unchanged");
}

void readCorrectAnswer(std::string_view input)
{
    const std::string answer = ReadCorrectAnswer(writeFile(scratch() / "data" / "q.tlx", input));
    RightOptions(answer, answer);
}

void readWeightings(std::string_view input)
{
    std::array<double, 13> weights{};
    ReadQuestionWeightings(writeFile(scratch() / "data" / "q.tlx", input), weights);
}

void readTlxIni(std::string_view input)
{
    writeFile(scratch() / "addin" / "tlx.ini", input);
    QuizState state;
    state.addinFolder = (scratch() / "addin").string() + "/";
    ReadTlxIni(state);
}

void readValidKpd(std::string_view input)
{
    QuizState state;
    LoadValidKeypads(state, writeFile(scratch() / "data" / "valid.kpd", input));
    check(!state.validKeypads.empty() && state.validKeypads[0] == 0, "keypad 0 is never valid");
    for (const int flag : state.validKeypads)
        check(flag >= 0 && flag <= 9, "a keypad's flag is one digit");
}

// The bytes whole and cut into reads of the size the first byte gives must
// decode to the same frames, and those frames encode back to the bytes.
void readFrames(std::string_view input)
{
    const size_t step = input.empty() ? 1 : static_cast<unsigned char>(input[0]) % 16 + 1;
    FrameDecoder whole;
    FrameDecoder pieces;
    whole.append(input);
    std::vector<std::string> frames;
    std::vector<std::string> pieceFrames;
    while (auto frame = whole.next())
        frames.push_back(std::move(*frame));
    for (size_t at = 0; at < input.size(); at += step) {
        pieces.append(input.substr(at, step));
        while (auto frame = pieces.next())
            pieceFrames.push_back(std::move(*frame));
    }
    check(frames == pieceFrames, "frames do not depend on how the bytes were cut");
    check(whole.broken() == pieces.broken(), "a broken stream is broken however cut");
    if (whole.broken())
        return;
    std::string encoded;
    for (const std::string &frame : frames)
        encoded += encodeFrame(frame);
    check(encoded.size() + whole.pendingBytes() == input.size() && input.substr(0, encoded.size()) == encoded,
          "decoded frames encode back to the bytes");
}

// What the controller link does with a text it received.
void readNamesReply(std::string_view input)
{
    if (isStatusBlock(input)) {
        parseStatusBlock(input);
        return;
    }
    auto records = parseNamesReply(input);
    if (!records)
        return;
    SortParticipants(*records);
    for (const Participant &p : *records)
        GetParticipantName(*records, p.keypad);
}

// The stand-in's names file travels as its names reply: the program must get
// the file's participants back, followed by the record of the end marker.
void readNamesCsv(std::string_view input)
{
    const std::vector<Participant> participants = quiz::readNamesCsv(input);
    const std::string reply = formatNamesReply(participants);
    // A name holding "baseType" or "max_kpads" makes the whole list read as the
    // controller's status block, as the controller's own lists do.
    if (isStatusBlock(reply))
        return;
    const auto received = parseNamesReply(reply);
    check(received.has_value(), "a names file always makes a names list");
    check(received->size() == participants.size() + 1 &&
              std::equal(participants.begin(), participants.end(), received->begin()),
          "the names list carries every participant unchanged");
}

// Every reading operation of the host file; the host's own errors are answers.
void readHostFile(std::string_view input)
{
    std::string error;
    const auto host = StandInHost::open(writeFile(scratch() / "host.json", input), &error);
    if (!host) {
        check(!error.empty(), "a host file that cannot be opened says why");
        return;
    }
    const auto attempt = [](auto &&operation) {
        try {
            operation();
        } catch (const HostError &) {
        }
    };
    attempt([&] { host->attach(); });
    attempt([&] { host->addinFolder("talvix"); });
    attempt([&] { host->presentationCount(); });
    attempt([&] { host->activePresentationPath(); });
    attempt([&] { host->pageWidth(); });
    attempt([&] { host->pageHeight(); });
    attempt([&] { host->activeWindowViewType(); });
    attempt([&] { host->selectedSlideIndex(); });
    attempt([&] {
        const int count = std::min(host->slideCount(), 64);
        for (int i = 0; i <= count + 1; ++i)
            attempt([&] { host->slide(i); });
    });
    attempt([&] { host->slideShowWindowCount(); });
    attempt([&] { host->slideShowCurrentSlide(); });
    attempt([&] { host->slideShowWindowRect(); });
    attempt([&] { host->slideShowPointerType(); });
    attempt([&] { StandInHostWindows(*host).windows(); });
    attempt([&] { host->titlePatterns(); });
}

// A UI script: actions in line order, each with the numbers its kind takes.
void readUiScript(std::string_view input)
{
    const UiScript script = parseUiScript(input);
    int line = 0;
    for (const UiAction &action : script.actions) {
        check(action.line > line, "actions come in line order");
        line = action.line;
        const size_t numbers = action.numbers.size();
        switch (action.kind) {
        case UiActionKind::Drag:
            check(numbers == 4, "a drag has two points");
            break;
        case UiActionKind::Wait:
            check(numbers == 1 && action.numbers[0] >= 0, "a wait has one time");
            break;
        case UiActionKind::Click:
        case UiActionKind::DoubleClick:
        case UiActionKind::RightClick:
            check(numbers == 0 || numbers == 2, "a click is at a point or none");
            break;
        default:
            check(numbers == 0, "only clicks, drags and waits take numbers");
        }
    }
    check(!script.error || script.error->line > line, "the error is the line after the last action");
}

// A group file: question and value come without double quotes.
void readGroupFile(std::string_view input)
{
    const auto group = parseGroupFile(std::string(input));
    if (group)
        check(group->questionKey.find('"') == std::string::npos &&
                  group->answerValue.find('"') == std::string::npos,
              "a group's question and value hold no double quotes");
}

// A question file as the results tables read it, and a vote shape's action.
void readResultsQuestionFile(std::string_view input)
{
    quizFileOfRunString(std::string(input));
    const auto question = LoadQuestionFile(writeFile(scratch() / "data" / "r.tlx", input), dataFolder());
    check(question.has_value(), "a question file that exists is read");
    for (int option = 0; option <= std::min(question->optionCount, 100) + 1; ++option)
        question->weighting(option);
}

} // namespace

const std::vector<Reader> &readers()
{
    static const std::vector<Reader> all{
        {"voterecords", readVoteRecords}, {"responseline", readResponseLine},
        {"quizfile", readQuizFile},       {"correctanswer", readCorrectAnswer},
        {"weightings", readWeightings},   {"tlxini", readTlxIni},
        {"validkpd", readValidKpd},       {"frames", readFrames},
        {"namesreply", readNamesReply},   {"namescsv", readNamesCsv},
        {"hostfile", readHostFile},       {"uiscript", readUiScript},
        {"groupfile", readGroupFile},     {"questiontable", readResultsQuestionFile},
    };
    static const std::vector<Reader> withPhones = [] {
        std::vector<Reader> list = all;
        list.insert(list.end(), phoneReaders().begin(), phoneReaders().end());
        return list;
    }();
    return withPhones;
}

const Reader *findReader(std::string_view name)
{
    for (const Reader &reader : readers())
        if (name == reader.name)
            return &reader;
    return nullptr;
}

} // namespace quiz::fuzz
