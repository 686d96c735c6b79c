#include "adapters/phone/phoneevening.h"

#include "adapters/phone/phonerequest.h"

#include "core/common/fileutil.h"
#include "core/common/writeformat.h"
#include "core/phonevote/devicekeys.h"
#include "core/votedata/voterecordwriter.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>

#include <algorithm>
#include <cmath>

namespace quiz
{

namespace
{

constexpr int kMaxFailures = 5;         // wrong join codes from one address...
constexpr double kFailureWindow = 60.0; // ...within a minute
constexpr qint64 kNamesSaveMs = 100;    // a burst of joins saves the names once in this time

} // namespace

PhoneEvening::PhoneEvening(Options options, Pushes pushes)
    : options_(std::move(options)), pushes_(std::move(pushes)), roster_([&] {
          const QString code =
              options_.joinCode.isEmpty() ? QString::fromStdString(newJoinCode()) : options_.joinCode;
          return Roster(code.toStdString(), options_.listed);
      }())
{
    clock_.start();
    countdown_.setInterval(200);
    QObject::connect(&countdown_, &QTimer::timeout, &countdown_, [this] { tick(); });
    namesSave_.setSingleShot(true);
    QObject::connect(&namesSave_, &QTimer::timeout, &namesSave_, [this] {
        namesSaved_.invalidate();
        saveNames();
    });
    loadDeviceKeys();
}

PhoneEvening::~PhoneEvening()
{
    if (namesSave_.isActive()) { // a join not saved yet
        namesSaved_.invalidate();
        saveNames();
    }
}

std::string PhoneEvening::tokenHash(const QString &token)
{
    return QCryptographicHash::hash(token.toUtf8(), QCryptographicHash::Sha256).toHex().toStdString();
}

void PhoneEvening::log(const QString &line) const
{
    if (options_.log)
        options_.log(line);
}

// ---- joining -------------------------------------------------------------

bool PhoneEvening::tooManyFailures(const QString &client)
{
    std::deque<double> &times = failures_[client];
    while (!times.empty() && times.front() < now() - kFailureWindow)
        times.pop_front();
    return static_cast<int>(times.size()) >= kMaxFailures;
}

void PhoneEvening::noteFailure(const QString &client)
{
    failures_[client].push_back(now());
    log("wrong join code from " + client);
}

PhoneReply PhoneEvening::join(const QJsonObject &body, const QString &client)
{
    QString reason;
    const std::optional<JoinRequest> request = parseJoinRequest(body, &reason);
    if (!request)
        return refuse(400, reason);
    if (tooManyFailures(client))
        return refuse(429, "too many wrong codes; wait a minute");
    std::deque<double> &joins = joins_[client];
    while (!joins.empty() && joins.front() < now() - kFailureWindow)
        joins.pop_front();
    if (static_cast<int>(joins.size()) >= options_.joinsPerMinute)
        return refuse(429, "too many joins from this device; wait a minute");
    const std::string token = newToken(); // the device's alone: the roster keeps its hash
    const JoinResult result = roster_.join(request->code.toStdString(), request->name.toStdString(),
                                           tokenHash(QString::fromStdString(token)));
    switch (result.refusal) {
    case JoinRefusal::WrongCode:
        noteFailure(client);
        return refuse(403, QString::fromStdString(result.reason));
    case JoinRefusal::BadName:
        return refuse(400, QString::fromStdString(result.reason));
    case JoinRefusal::Full:
        return refuse(409, QString::fromStdString(result.reason));
    case JoinRefusal::None:
        break;
    }
    joins.push_back(now());
    log(QString("keypad %1 joined from %2").arg(result.keypad).arg(client));
    saveNames();
    pushes_.presenterSoon();
    return {200,
            {{"keypad", result.keypad},
             {"name", QString::fromStdString(result.name)},
             {"token", QString::fromStdString(token)}},
            {}};
}

PhoneReply PhoneEvening::listedNames(const QJsonObject &body, const QString &client)
{
    QString reason;
    const std::optional<QString> code = parseNamesRequest(body, &reason);
    if (!code)
        return refuse(400, reason);
    if (tooManyFailures(client))
        return refuse(429, "too many wrong codes; wait a minute");
    if (!sameSecret(code->toStdString(), roster_.joinCode())) {
        noteFailure(client);
        return refuse(403, "wrong join code");
    }
    QJsonArray names;
    for (const std::string &name : roster_.unclaimedNames())
        names.append(QString::fromStdString(name));
    return {200, {{"names", names}}, {}};
}

PhoneReply PhoneEvening::removeParticipant(const QJsonObject &body)
{
    QString reason;
    const std::optional<int> keypad = parseRemoveRequest(body, &reason);
    if (!keypad)
        return refuse(400, reason);
    if (!roster_.remove(*keypad))
        return refuse(400, "no such participant");
    log(QString("keypad %1 removed").arg(*keypad));
    namesSaved_.invalidate(); // a removal is saved at once, never coalesced
    saveNames();
    pushes_.everybody();
    return {200, {{"removed", *keypad}}, {}};
}

void PhoneEvening::saveNames()
{
    if (options_.namesPath.isEmpty())
        return;
    // A hall joining at once: the names file is written at once unless it
    // was written within the last kNamesSaveMs; then once at the end of them.
    if (namesSaved_.isValid() && namesSaved_.elapsed() < kNamesSaveMs) {
        if (!namesSave_.isActive())
            namesSave_.start(static_cast<int>(kNamesSaveMs - namesSaved_.elapsed()));
        return;
    }
    namesSave_.stop();
    namesSaved_.start();
    std::string error;
    if (!writeFileAtomic(options_.namesPath.toStdString(), formatNamesCsv(roster_.participants()), &error))
        log("cannot save the names: " + QString::fromStdString(error));
    // The devices' keys beside them, for nobody else to read.
    if (!writeFileAtomic(deviceKeysPathFor(options_.namesPath.toStdString()),
                         formatDeviceKeys(roster_.entries()), &error, 0600))
        log("cannot save the device keys: " + QString::fromStdString(error));
}

void PhoneEvening::loadDeviceKeys()
{
    if (options_.namesPath.isEmpty())
        return;
    const QString path = QString::fromStdString(deviceKeysPathFor(options_.namesPath.toStdString()));
    QFile file(path);
    if (!file.exists())
        return;
    std::string reason = "it cannot be read";
    const std::optional<std::vector<DeviceKey>> keys =
        file.open(QIODevice::ReadOnly) ? readDeviceKeys(file.readAll().toStdString(), &reason) : std::nullopt;
    if (!keys) {
        log(QString("the device keys of %1 are not used (%2): phones join again by name")
                .arg(path, QString::fromStdString(reason)));
        return;
    }
    int restored = 0;
    for (const DeviceKey &k : *keys)
        restored += roster_.restoreKey(k.keypad, k.name, k.key) ? 1 : 0;
    log(QString("%1 of %2 device keys of %3 restored").arg(restored).arg(keys->size()).arg(path));
}

// ---- votes ---------------------------------------------------------------

std::vector<PhoneQuestion> PhoneEvening::votingQuestions() const
{
    const std::string folder = options_.dataFolder.toStdString();
    std::vector<std::string> files;
    if (const std::string list = resolveFile(folder, "quizslds.txt"); FileExists(list)) {
        ItemReader reader = ItemReader::fromFile(list);
        while (!reader.atEnd())
            if (const std::optional<std::string> item = reader.next(); item && !item->empty())
                files.push_back(*item);
    } else {
        for (const QString &name :
             QDir(options_.dataFolder).entryList({"*.tlx", "*.TLX"}, QDir::Files, QDir::Name))
            files.push_back(name.toStdString());
    }
    std::vector<PhoneQuestion> questions;
    for (const std::string &file : files) {
        const std::optional<std::string> content = readTextFile(resolveFile(folder, file));
        questions.push_back(readPhoneQuestion(file, content.value_or("")));
    }
    return questions;
}

PhoneReply PhoneEvening::openQuestion(const QString &file, int slide, const QString &slideTitle)
{
    const std::vector<PhoneQuestion> questions = votingQuestions();
    const auto q = std::find_if(questions.begin(), questions.end(), [&](const PhoneQuestion &p) {
        return QString::fromStdString(p.file).compare(file, Qt::CaseInsensitive) == 0;
    });
    if (q == questions.end())
        return refuse(400, "no such voting question");
    if (q->kind != PhoneQuestionKind::Options)
        return refuse(409, q->kind == PhoneQuestionKind::Unreadable
                               ? "the question file cannot be read"
                               : "this kind of question is not answered from phones yet");
    if (!recordPathField(options_.dataFolder.toStdString() + "/" + q->file))
        return refuse(409, "the question file's name cannot be recorded");
    if (vote_.isOpen()) {
        const PhoneReply closed = closeVote();
        if (closed.status != 200)
            return closed;
    }
    vote_.open(++voteCount_, *q, slide, now());
    slideTitle_ = slideTitle.trimmed();
    anyVote_ = true;
    if (q->countdownSeconds > 0)
        countdown_.start();
    log(QString("vote %1 opened: %2").arg(voteCount_).arg(QString::fromStdString(q->file)));
    pushes_.everybody();
    return {200, {{"vote", voteCount_}}, {}};
}

void PhoneEvening::showSlide(int slide, const QString &voteFile, const QString &slideTitle)
{
    if (vote_.isOpen() && vote_.slide() != 0 && (vote_.slide() != slide || voteFile.isEmpty()))
        closeVote();
    if (voteFile.isEmpty() || (vote_.isOpen() && vote_.slide() == slide))
        return;
    const PhoneReply opened = openQuestion(voteFile, slide, slideTitle);
    if (opened.status != 200)
        log(QString("slide %1: the vote of %2 does not open: %3").arg(slide).arg(voteFile, opened.reason));
}

PhoneReply PhoneEvening::closeVote()
{
    if (!vote_.isOpen())
        return refuse(409, "no vote is open");
    const QDateTime at = QDateTime::currentDateTime();
    const ClosedVote closed = vote_.record(roster_.highestKeypad());
    VoteRecordEntry record{options_.dataFolder.toStdString() + "/" + closed.file,
                           closed.slide,
                           closed.answers,
                           closed.responseSeconds,
                           {at.date().year(), at.date().month(), at.date().day(), at.time().hour(),
                            at.time().minute(), at.time().second()}};
    std::string error;
    if (!appendVoteRecord(options_.dataFolder.toStdString(), record, &error)) {
        // The vote stays open with its answers: the presenter can free the
        // folder (or the disk) and close it again. The countdown stops trying.
        countdown_.stop();
        closeError_ = "Could not record the vote: " + QString::fromStdString(error) +
                      " — the vote stays open with its answers; free the folder and close again.";
        log(QString("vote %1 NOT closed: %2").arg(vote_.id()).arg(QString::fromStdString(error)));
        pushes_.presenter(); // a reloaded presenter page shows it too: it is in the state
        return refuse(500, closeError_);
    }
    countdown_.stop();
    vote_.close();
    closeError_.clear();
    log(QString("vote %1 closed and recorded").arg(vote_.id()));
    // The lines are on disk before any phone hears of the close; the phones
    // hear of it once the close is answered (a hall's pushes take a while).
    pushes_.everybodyLater();
    return {200, {{"recorded", true}}, {}};
}

PhoneReply PhoneEvening::answer(const RosterEntry &entry, const QJsonObject &body)
{
    QString reason;
    const std::optional<AnswerRequest> given = parseAnswerRequest(body, &reason);
    if (!given)
        return refuse(400, reason);
    const int voteId = given->vote;
    if (voteId == vote_.id() && given->question &&
        *given->question != QString::fromStdString(vote_.question().file))
        return refuse(409, "this answer is for another question: it was not counted");
    const AnswerOutcome outcome =
        vote_.answer(voteId, entry.keypad, given->answer.toStdString(), now(), given->id);
    if (outcome == AnswerOutcome::NotOpen)
        return refuse(409, voteId >= 1 && voteId <= voteCount_
                               ? "this vote has closed: the answer was not counted"
                               : "this vote is not open");
    if (outcome == AnswerOutcome::NotTaken)
        return refuse(400, "this question does not take that answer");
    if (outcome == AnswerOutcome::Repeat) {
        const std::optional<std::string> counted = vote_.takenAnswer(voteId, entry.keypad);
        return {200, {{"answer", counted ? QJsonValue(QString::fromStdString(*counted)) : QJsonValue()}}, {}};
    }
    pushes_.phone(entry);
    pushes_.presenterSoon();
    return {200, {{"answer", given->answer}}, {}};
}

void PhoneEvening::tick()
{
    if (vote_.countdownOver(now()))
        closeVote();
}

// ---- state ---------------------------------------------------------------

QJsonObject PhoneEvening::voteObject(bool forPhone) const
{
    const PhoneQuestion &q = vote_.question();
    QJsonArray options;
    for (const std::string &text : q.options)
        options.append(QString::fromStdString(text));
    QJsonObject vote{{"id", vote_.id()},
                     {"question", QString::fromStdString(q.file)},
                     {"title", slideTitle_.isEmpty() ? QString::fromStdString(q.title) : slideTitle_},
                     {"text", QString::fromStdString(q.question)},
                     {"kind", phoneQuestionKindName(q.kind)},
                     {"options", options},
                     {"open", vote_.isOpen()}};
    const std::optional<double> left = vote_.isOpen() ? vote_.secondsLeft(now()) : std::nullopt;
    vote.insert("secondsLeft", left ? QJsonValue(*left) : QJsonValue());
    if (!forPhone)
        vote.insert("answers", vote_.answerCount());
    return vote;
}

QJsonObject PhoneEvening::phoneState(const RosterEntry &entry, const QJsonObject *phoneVote) const
{
    QJsonObject state{{"keypad", entry.keypad}, {"name", QString::fromStdString(entry.name)}};
    if (!anyVote_) {
        state.insert("vote", QJsonValue());
        return state;
    }
    QJsonObject vote = phoneVote ? *phoneVote : voteObject(true);
    const std::optional<std::string> given = vote_.answerOf(entry.keypad);
    vote.insert("answer", given ? QJsonValue(QString::fromStdString(*given)) : QJsonValue());
    vote.insert("answerId",
                static_cast<qint64>(vote_.lastAnswerId(entry.keypad))); // the page numbers on from it
    state.insert("vote", vote);
    return state;
}

QJsonObject PhoneEvening::presenterState(const QString &address) const
{
    QJsonArray participants, questions;
    for (const RosterEntry &e : roster_.entries())
        if (!e.removed)
            participants.append(QJsonObject{{"keypad", e.keypad},
                                            {"name", QString::fromStdString(e.name)},
                                            {"joined", !e.tokenHash.empty()}});
    for (const PhoneQuestion &q : votingQuestions())
        questions.append(QJsonObject{{"question", QString::fromStdString(q.file)},
                                     {"title", QString::fromStdString(q.title)},
                                     {"kind", phoneQuestionKindName(q.kind)}});
    QJsonObject spread;
    for (const auto &[option, count] : vote_.spread())
        spread.insert(QString::fromStdString(option), count);
    return {{"joinCode", joinCode()},
            {"address", address},
            {"participants", participants},
            {"questions", questions},
            {"vote", anyVote_ ? QJsonValue(voteObject(false)) : QJsonValue()},
            {"spread", vote_.isOpen() || !anyVote_ ? QJsonValue() : QJsonValue(spread)},
            {"closeError", closeError_.isEmpty() ? QJsonValue() : QJsonValue(closeError_)}};
}

} // namespace quiz
