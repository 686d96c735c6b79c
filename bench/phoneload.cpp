// The phone evening under load, over loopback only: starts tlxctrl serving a
// scratch copy of the demo's questions, joins PHONES phones (each with its
// WebSocket open), runs VOTES votes in which every phone answers within a
// 2-second burst (a fifth change their answer), closes each vote from the
// presenter's API, then compares votes.rec keypad by keypad with the last
// answer each phone had acknowledged. Prints answers per second, the
// latency from sending an answer to its acknowledgement, the close time and
// the controller's peak memory (VmHWM). With --idle, the phones only join
// and keep their WebSocket open, and the peak memory is the figure.
//
//   bench_phoneload TLXCTRL DEMO_DIR [--phones N] [--votes N] [--idle]
//
// Bounded: every step has a deadline; the run stops by itself (exit 1 with
// the reason when a step misses it or a record differs).

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebSocket>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace
{

constexpr int kAddresses = 1000; // joins come from 127.0.1.2.. (the server limits joins per address)
QProcess *running = nullptr;     // the controller, ended on a failure
const QString kCode = "482916";
const QString kPresenter = "loadpresenter";

[[noreturn]] void fail(const QString &why)
{
    std::fprintf(stderr, "phoneload: %s\n", qPrintable(why));
    if (running) {
        running->kill();
        running->waitForFinished(5000);
    }
    std::exit(1);
}

// Waits in the event loop until done() holds, at most seconds.
void waitFor(const std::function<bool()> &done, double seconds, const QString &what)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > seconds * 1000)
            fail("timed out: " + what);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
}

// One keep-alive HTTP/1.1 connection, one request at a time, answers in order.
class Http
{
  public:
    using Done = std::function<void(int status, const QJsonObject &body)>;
    Http(quint16 port, const QString &from) : port_(port), from_(from)
    {
        QObject::connect(&socket_, &QTcpSocket::readyRead, [this] { read(); });
        QObject::connect(&socket_, &QTcpSocket::disconnected, [this] { connected_ = false; });
    }
    void request(const QByteArray &method, const QByteArray &path, const QJsonObject &body,
                 const QString &token, Done done)
    {
        queue_.push_back({method, path, body, token, std::move(done)});
        if (queue_.size() == 1)
            sendFront();
    }
    bool idle() const { return queue_.empty(); }
    void close() { socket_.disconnectFromHost(); }

  private:
    struct Pending {
        QByteArray method, path;
        QJsonObject body;
        QString token;
        Done done;
    };
    void sendFront()
    {
        if (!connected_ || socket_.state() != QAbstractSocket::ConnectedState) {
            socket_.abort();
            if (!from_.isEmpty())
                socket_.bind(QHostAddress(from_));
            socket_.connectToHost(QHostAddress::LocalHost, port_);
            connected_ = true;
        }
        const Pending &p = queue_.front();
        const QByteArray body =
            p.method == "POST" ? QJsonDocument(p.body).toJson(QJsonDocument::Compact) : "";
        QByteArray head = p.method + " " + p.path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n";
        if (!p.token.isEmpty())
            head += "Authorization: Bearer " + p.token.toLatin1() + "\r\n";
        head += "Content-Type: application/json\r\nContent-Length: " + QByteArray::number(body.size()) +
                "\r\n\r\n";
        socket_.write(head + body);
    }
    void read()
    {
        buffer_ += socket_.readAll();
        for (;;) {
            const qsizetype end = buffer_.indexOf("\r\n\r\n");
            if (end < 0 || queue_.empty())
                return;
            const QByteArray head = buffer_.left(end).toLower();
            const qsizetype at = head.indexOf("content-length:");
            const int length =
                at < 0 ? 0 : head.mid(at + 15, head.indexOf("\r\n", at) - at - 15).trimmed().toInt();
            if (buffer_.size() < end + 4 + length)
                return;
            const int status = head.mid(9, 3).toInt();
            const QJsonObject body = QJsonDocument::fromJson(buffer_.mid(end + 4, length)).object();
            buffer_.remove(0, end + 4 + length);
            Done done = std::move(queue_.front().done);
            queue_.pop_front();
            if (!queue_.empty())
                sendFront();
            done(status, body);
        }
    }
    quint16 port_;
    QString from_;
    QTcpSocket socket_;
    bool connected_ = false;
    QByteArray buffer_;
    std::deque<Pending> queue_;
};

struct Phone {
    int keypad = 0;
    QString token;
    std::unique_ptr<Http> http;
    std::unique_ptr<QWebSocket> ws;
    bool wsOpen = false;
    int messages = 0;
    QString acknowledged; // the last answer acknowledged in this vote
    int pending = 0;
};

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())))];
}

double peakMegabytes(qint64 pid)
{
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
    return -1;
}

// The answers of the list field of a votes.rec line: "a;b;-;..." in quotes.
QStringList recordedAnswers(const QByteArray &line)
{
    const qsizetype first =
        line.indexOf('"', line.indexOf(',', line.indexOf(',', line.indexOf(',') + 1) + 1));
    const qsizetype last = line.indexOf('"', first + 1);
    QStringList entries = QString::fromUtf8(line.mid(first + 1, last - first - 1)).split(';');
    if (!entries.isEmpty() && entries.back().isEmpty())
        entries.pop_back();
    return entries;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    if (args.size() < 3)
        fail("usage: bench_phoneload TLXCTRL DEMO_DIR [--phones N] [--votes N] [--idle]");
    int phoneCount = 2000, votes = 10;
    const bool idle = args.contains("--idle");
    if (const qsizetype i = args.indexOf("--phones"); i > 0 && i + 1 < args.size())
        phoneCount = args[i + 1].toInt();
    if (const qsizetype i = args.indexOf("--votes"); i > 0 && i + 1 < args.size())
        votes = args[i + 1].toInt();
    rlimit files{};
    getrlimit(RLIMIT_NOFILE, &files);
    files.rlim_cur = files.rlim_max;
    setrlimit(RLIMIT_NOFILE, &files);
    const int needed =
        (idle ? 1 : 2) * phoneCount + kAddresses + 100; // idle phones close their HTTP connection
    if (files.rlim_cur < static_cast<rlim_t>(needed))
        fail(QString("%1 phones need %2 open files; the limit is %3")
                 .arg(phoneCount)
                 .arg(needed)
                 .arg(files.rlim_cur));

    // A scratch data folder with the demo's questions and no names file.
    QTemporaryDir scratch;
    const QString data = scratch.path() + "/data";
    QDir().mkpath(data);
    for (const QString &name : QDir(args[2]).entryList({"*.tlx", "quizslds.txt"}, QDir::Files))
        QFile::copy(args[2] + "/" + name, data + "/" + name);
    quint16 port = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        port = probe.serverPort();
    }
    QProcess controller;
    controller.setWorkingDirectory(data);
    controller.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    controller.setStandardOutputFile(QProcess::nullDevice());
    controller.start(QFileInfo(args[1]).absoluteFilePath(),
                     {"--serve", QString("127.0.0.1:%1").arg(port), "--join-code", kCode, "--presenter-token",
                      kPresenter, "--socket", scratch.path() + "/ctl.sock", "--log",
                      scratch.path() + "/controller.log", "--data", data});
    if (!controller.waitForStarted(10000))
        fail("tlxctrl does not start");
    const qint64 pid = controller.processId();
    running = &controller;
    Http presenter(port, "");
    {
        bool up = false;
        QElapsedTimer t;
        t.start();
        while (!up && t.elapsed() < 10000) {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, port);
            up = probe.waitForConnected(200);
            if (!up)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        }
        if (!up)
            fail("tlxctrl does not serve");
    }

    // Joining: every phone from one of the loopback addresses, then its WebSocket.
    QElapsedTimer clock;
    clock.start();
    std::vector<Phone> phones(phoneCount);
    int joined = 0, opened = 0;
    for (int i = 0; i < phoneCount; ++i) {
        Phone &p = phones[i];
        p.http = std::make_unique<Http>(
            port, QString("127.0.%1.%2").arg(1 + i % kAddresses / 250).arg(2 + i % 250));
        p.http->request("POST", "/api/join", {{"code", kCode}, {"name", QString("Phone %1").arg(i + 1)}}, "",
                        [&, i](int status, const QJsonObject &body) {
                            if (status != 200)
                                fail(QString("join %1: %2").arg(i).arg(status));
                            Phone &p = phones[i];
                            p.keypad = body.value("keypad").toInt();
                            p.token = body.value("token").toString();
                            ++joined;
                            if (idle)
                                p.http->close();
                            p.ws = std::make_unique<QWebSocket>();
                            QObject::connect(p.ws.get(), &QWebSocket::connected, [&] { ++opened; });
                            QObject::connect(p.ws.get(), &QWebSocket::textMessageReceived,
                                             [&p](const QString &) { ++p.messages; });
                            p.ws->open(QUrl(QString("ws://127.0.0.1:%1/ws?token=%2").arg(port).arg(p.token)));
                        });
        if (i % 200 == 199) // a hall fills in a few seconds, not all at once
            waitFor([&] { return joined > i - 100; }, 60,
                    QString("joins (%1 of %2)").arg(joined).arg(phoneCount));
    }
    waitFor([&] { return joined == phoneCount && opened == phoneCount; }, 120,
            QString("WebSockets (%1 of %2 open)").arg(opened).arg(phoneCount));
    const double joinSeconds = clock.elapsed() / 1000.0;
    waitFor(
        [&] {
            return std::all_of(phones.begin(), phones.end(), [](const Phone &p) { return p.messages > 0; });
        },
        60, "the first state on every WebSocket");
    std::printf("%d phones joined with their WebSockets open in %.1f s\n", phoneCount, joinSeconds);
    if (idle) {
        std::printf("controller peak memory (VmHWM) with %d idle phones: %.1f MB\n", phoneCount,
                    peakMegabytes(pid));
        controller.terminate();
        controller.waitForFinished(10000);
        return 0;
    }

    // The questions phones answer by option.
    QStringList questions;
    presenter.request("GET", "/api/presenter/state", {}, kPresenter, [&](int, const QJsonObject &body) {
        for (const QJsonValue &q : body.value("questions").toArray())
            if (q.toObject().value("kind").toString() == "options")
                questions << q.toObject().value("question").toString();
    });
    waitFor([&] { return presenter.idle(); }, 10, "the presenter state");
    if (questions.isEmpty())
        fail("no question answered by option in " + args[2]);

    std::vector<double> latencies, closes;
    std::vector<std::vector<QString>> sent(votes, std::vector<QString>(phoneCount + 1));
    int answers = 0;
    double burstSeconds = 0;
    auto *random = QRandomGenerator::global();
    for (int v = 0; v < votes; ++v) {
        int voteId = 0;
        presenter.request("POST", "/api/presenter/open", {{"question", questions[v % questions.size()]}},
                          kPresenter, [&](int status, const QJsonObject &body) {
                              if (status != 200)
                                  fail(QString("open: %1").arg(status));
                              voteId = body.value("vote").toInt();
                          });
        waitFor([&] { return voteId != 0; }, 10, "the vote to open");
        int optionCount = 0;
        phones[0].http->request("GET", "/api/state", {}, phones[0].token, [&](int, const QJsonObject &body) {
            optionCount = static_cast<int>(body.value("vote").toObject().value("options").toArray().size());
        });
        waitFor([&] { return optionCount > 0; }, 10, "the vote's options");
        // Every phone answers at a random moment of the 2-second burst; a fifth change it later in the burst.
        int outstanding = 0;
        QElapsedTimer burst;
        burst.start();
        std::vector<std::unique_ptr<QTimer>> timers;
        for (int i = 0; i < phoneCount; ++i) {
            const int times = random->bounded(5) == 0 ? 2 : 1;
            std::vector<int> at;
            for (int n = 0; n < times; ++n)
                at.push_back(static_cast<int>(random->bounded(2000)));
            std::sort(at.begin(), at.end());
            for (int ms : at) {
                ++outstanding;
                auto timer = std::make_unique<QTimer>();
                timer->setSingleShot(true);
                QObject::connect(timer.get(), &QTimer::timeout, [&, i, optionCount, voteId] {
                    Phone &p = phones[i];
                    const QString answer = QString::number(1 + random->bounded(optionCount));
                    QElapsedTimer sentAt;
                    sentAt.start();
                    p.http->request(
                        "POST", "/api/answer", {{"vote", voteId}, {"answer", answer}}, p.token,
                        [&, i, answer, sentAt](int status, const QJsonObject &) {
                            if (status != 200)
                                fail(QString("answer of keypad %1: %2").arg(phones[i].keypad).arg(status));
                            latencies.push_back(sentAt.nsecsElapsed() / 1e6);
                            sent[v][phones[i].keypad] = answer; // acknowledged in order
                            ++answers;
                            --outstanding;
                        });
                });
                timer->start(ms);
                timers.push_back(std::move(timer));
            }
        }
        waitFor([&] { return outstanding == 0; }, 30, "every answer acknowledged");
        burstSeconds += burst.elapsed() / 1000.0;
        bool recorded = false;
        QElapsedTimer closing;
        closing.start();
        presenter.request("POST", "/api/presenter/close", {}, kPresenter,
                          [&](int status, const QJsonObject &body) {
                              if (status != 200 || !body.value("recorded").toBool())
                                  fail(QString("close: %1").arg(status));
                              closes.push_back(closing.nsecsElapsed() / 1e6);
                              recorded = true;
                          });
        waitFor([&] { return recorded; }, 30, "the close");
    }
    const double peak = peakMegabytes(pid);
    controller.terminate();
    controller.waitForFinished(10000);

    // votes.rec keypad by keypad against the last answers acknowledged.
    QFile rec(data + "/votes.rec");
    if (!rec.open(QIODevice::ReadOnly))
        fail("no votes.rec");
    QList<QByteArray> lines = rec.readAll().split('\n');
    lines.removeIf([](const QByteArray &l) { return l.trimmed().isEmpty(); });
    if (lines.size() != votes)
        fail(QString("votes.rec holds %1 lines for %2 votes").arg(lines.size()).arg(votes));
    int differences = 0;
    for (int v = 0; v < votes; ++v) {
        const QStringList got = recordedAnswers(lines[v]);
        if (got.size() != phoneCount)
            fail(QString("vote %1 records %2 keypads for %3").arg(v + 1).arg(got.size()).arg(phoneCount));
        for (int k = 1; k <= phoneCount; ++k)
            if (got[k - 1] != sent[v][k])
                ++differences;
    }
    std::printf("votes.rec: %d lines, %d keypads each, %d differences from the last answers acknowledged\n",
                votes, phoneCount, differences);
    std::printf("answers: %d in %d bursts, %.0f answers per second sustained\n", answers, votes,
                answers / burstSeconds);
    std::printf("answer to acknowledgement (ms): p50 %.1f  p90 %.1f  p99 %.1f  max %.1f\n",
                percentile(latencies, 0.5), percentile(latencies, 0.9), percentile(latencies, 0.99),
                percentile(latencies, 1.0));
    std::printf("close of %d keypads on disk (ms): median %.1f  max %.1f\n", phoneCount,
                percentile(closes, 0.5), percentile(closes, 1.0));
    std::printf("controller peak memory (VmHWM): %.1f MB\n", peak);
    return differences == 0 ? 0 : 1;
}
