// fault_matrix: runs every cell of the fault matrix, each in a process of its own (a few at a
// time), and prints the matrix as a table at the end; fails when any cell fails, after that
// cell's output.
//
//   fault_matrix                          every cell; ORVO_FAULT_MATRIX_JOBS cells at a time (3)
//   fault_matrix --cell core|app MODE FAULT   one cell, in this process
#include "fault_matrix.h"
#include "gui_test_support.h"

#include "link/clone_session.h"
#include "reliability_support.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <memory>

namespace fault_matrix {

namespace {

Cell fails(QStringList options, Message message, int requests, int blocksWritten = 0)
{
    return {true, std::move(options), message, requests, false, blocksWritten};
}

Cell completes(QStringList options, Message message = Message::None)
{
    return {true, std::move(options), message, 1, true, 128};
}

const Cell kNotApplicable{};

} // namespace

const std::vector<Fault>& faults()
{
    // Block 3 is the fourth block: the radio has taken or given three when the fault strikes.
    static const std::vector<Fault> list{
        {"silent",
         "silent radio",
         {fails({"--silent"}, Message::CommunicationError, 5),
          fails({"--silent"}, Message::CommunicationError, 5),
          fails({"--silent"}, Message::TryAgain, 1)}},
        {"refuse-program",
         "refuses the program request",
         {fails({"--refuse-program"}, Message::CommunicationError, 5),
          fails({"--refuse-program"}, Message::CommunicationError, 5),
          fails({"--refuse-program"}, Message::TryAgain, 1)}},
        {"junk",
         "junk before the ACK",
         {completes({"--junk-before-ack"}), completes({"--junk-before-ack"}),
          completes({"--test-noise"}, Message::Finished)}},
        {"refuse-entry",
         "refuses the entry",
         {fails({"--refuse-entry"}, Message::CommunicationError, 1),
          fails({"--refuse-entry"}, Message::CommunicationError, 1),
          fails({"--refuse-entry"}, Message::TryAgain, 1)}},
        {"no-write-ack",
         "write block 3 unacknowledged",
         {kNotApplicable, fails({"--no-write-ack", "3"}, Message::BlockError, 1, 3),
          kNotApplicable}},
        {"short-read",
         "read block 3 short (10 of 12)",
         {fails({"--short-read", "3:10"}, Message::ShortReply, 1), kNotApplicable, kNotApplicable}},
        {"no-read-ack",
         "read block 3 unacknowledged",
         {fails({"--no-read-ack", "3"}, Message::BlockError, 1), kNotApplicable, kNotApplicable}},
        {"hang-up",
         "hangs up mid-transfer",
         {fails({"--hang-up", "3"}, Message::ShortReply, 1),
          fails({"--hang-up", "3"}, Message::BlockError, 1, 3),
          fails({"--test-hang-up"}, Message::TryAgain, 1)}},
        {"garbage-id",
         "garbage identification",
         {completes({"--garbage-id"}), completes({"--garbage-id"}),
          completes({"--garbage-id"}, Message::Finished)}},
    };
    return list;
}

const Fault* findFault(const QString& key)
{
    for (const Fault& fault : faults())
        if (key == QLatin1String(fault.key))
            return &fault;
    return nullptr;
}

const char* modeKey(Mode mode)
{
    switch (mode) {
    case Mode::Read:
        return "read";
    case Mode::Write:
        return "write";
    case Mode::Test:
        return "test";
    }
    return "";
}

bool parseMode(const QString& key, Mode& mode)
{
    for (Mode m : kModes) {
        if (key == QLatin1String(modeKey(m))) {
            mode = m;
            return true;
        }
    }
    return false;
}

QString messageText(Message message)
{
    switch (message) {
    case Message::None:
        return {};
    case Message::CommunicationError:
        return QString::fromUtf8(orvo::kCommunicationErrorText);
    case Message::BlockError:
        return QString::fromUtf8(orvo::kBlockErrorText);
    case Message::ShortReply:
        return QString::fromUtf8(orvo::kShortReplyText);
    case Message::TryAgain:
        return QString::fromUtf8(reliability::kTryAgainText);
    case Message::Finished:
        return QString::fromUtf8(reliability::kFinishedText);
    }
    return {};
}

bool asksRetry(Message message)
{
    return message == Message::CommunicationError || message == Message::TryAgain;
}

namespace {

// One cell as a Qt Test run, so that QVERIFY and QTRY work as in every widget test.
class CellTest : public QObject
{
    Q_OBJECT

public:
    CellTest(bool inWindow, Mode mode, const Fault& fault)
        : m_inWindow(inWindow), m_mode(mode), m_fault(fault)
    {
    }

private slots:
    void initTestCase() { quietPlatformWarnings(); }

    void cell()
    {
        if (m_inWindow)
            runWindowCell(m_mode, m_fault);
        else
            runCoreCell(m_mode, m_fault);
        if (!QTest::currentTestFailed())
            std::printf("CELL-PASSED\n");
    }

private:
    bool m_inWindow;
    Mode m_mode;
    const Fault& m_fault;
};

// ---- the whole matrix ----

struct Job
{
    bool inWindow;
    Mode mode;
    const Fault* fault;
    QString logPath;
    std::unique_ptr<QProcess> process;
    bool passed = false;
    bool done = false;
};

const char* messageCode(Message message)
{
    switch (message) {
    case Message::None:
        return "no message";
    case Message::CommunicationError:
        return "comm-error [R/C]";
    case Message::BlockError:
        return "block-error [OK]";
    case Message::ShortReply:
        return "short-reply [OK]";
    case Message::TryAgain:
        return "try-again [R/C]";
    case Message::Finished:
        return "finished [OK]";
    }
    return "";
}

QString cellSummary(Mode mode, const Cell& cell)
{
    QString text = QString::fromLatin1(messageCode(cell.message));
    text += QStringLiteral(", %1 req").arg(cell.requests);
    if (mode == Mode::Write && !cell.completes && cell.blocksWritten > 0)
        text += QStringLiteral(", %1 blk").arg(cell.blocksWritten);
    if (mode != Mode::Test && cell.completes)
        text += mode == Mode::Read ? QStringLiteral(", read") : QStringLiteral(", written");
    return text;
}

QString padded(const QString& text, int width)
{
    return text.leftJustified(width, QLatin1Char(' '));
}

QString matrixTable(const std::vector<Job>& jobs, double seconds)
{
    const auto status = [&jobs](const Fault* fault, Mode mode, bool inWindow) {
        for (const Job& job : jobs)
            if (job.fault == fault && job.mode == mode && job.inWindow == inWindow)
                return job.passed ? QStringLiteral("ok") : QStringLiteral("FAIL");
        return QStringLiteral("--");
    };
    constexpr int kFaultWidth = 30;
    constexpr int kCellWidth = 40;
    QString out;
    out +=
        QStringLiteral("Fault matrix: orvo-radio-sim --delay 10 on a pty. In each cell: core/app "
                       "result, the message\n(answer: Cancel for [R/C], OK for [OK]), the "
                       "requests the radio heard, blocks the radio kept.\n\n");
    out += padded(QStringLiteral("fault"), kFaultWidth);
    for (const char* title : {"read", "write", "test mode"})
        out += QStringLiteral("| ") + padded(QString::fromLatin1(title), kCellWidth - 2);
    while (out.endsWith(QLatin1Char(' ')))
        out.chop(1);
    out += QLatin1Char('\n') + QString(kFaultWidth, QLatin1Char('-'));
    for (int i = 0; i < 3; ++i)
        out += QLatin1Char('+') + QString(kCellWidth - 1, QLatin1Char('-'));
    out += QLatin1Char('\n');
    for (const Fault& fault : faults()) {
        out += padded(QString::fromLatin1(fault.title), kFaultWidth);
        for (Mode mode : kModes) {
            const Cell& cell = fault.cells[static_cast<std::size_t>(mode)];
            const QString text = cell.applies ? status(&fault, mode, false) + QLatin1Char('/') +
                                                    status(&fault, mode, true) + QLatin1Char(' ') +
                                                    cellSummary(mode, cell)
                                              : QStringLiteral("n/a");
            out += QStringLiteral("| ") + padded(text, kCellWidth - 2);
        }
        while (out.endsWith(QLatin1Char(' ')))
            out.chop(1);
        out += QLatin1Char('\n');
    }
    out += QStringLiteral(
        "\ncore = CloneSession / runTestMode over QtSerialLine; app = the window: Read From Radio "
        "and Write To\nRadio with the progress dialog's Start, Test Mode's Start in the Debug "
        "Mode dialog.\nEvery cell also checks: exactly that one message (with the application's "
        "title), the port free at\nonce (reopened, no lock of ours left), the document's image, "
        "grid, lists and modified flag unchanged\nunless a read completed (then they show the "
        "radio), the radio's memory after a write, and (app) the\nsame command against a good "
        "radio right after, with every command enabled again.\n");
    out += QStringLiteral("Messages: comm-error \"%1\";\nblock-error \"%2\"; "
                          "short-reply \"%3\";\ntry-again \"%4\"; finished \"%5\".\n")
               .arg(messageText(Message::CommunicationError), messageText(Message::BlockError),
                    messageText(Message::ShortReply), messageText(Message::TryAgain),
                    messageText(Message::Finished));
    out += QStringLiteral("Mended: a read reply of 10 or 11 bytes is refused like a shorter one; "
                          "a read that does not\ncomplete leaves the document's image as it was; a "
                          "write that breaks off after its first\nblock adds \"%1\".\n")
               .arg(QString::fromUtf8(orvo::kPartialWriteText));
    int passed = 0;
    for (const Job& job : jobs)
        passed += job.passed ? 1 : 0;
    out += QStringLiteral("%1 of %2 cells passed in %3 s.\n")
               .arg(passed)
               .arg(jobs.size())
               .arg(seconds, 0, 'f', 1);
    return out;
}

int runMatrix()
{
    const int parallel = std::max(1, qEnvironmentVariableIntValue("ORVO_FAULT_MATRIX_JOBS") > 0
                                         ? qEnvironmentVariableIntValue("ORVO_FAULT_MATRIX_JOBS")
                                         : 3);
    QTemporaryDir logs;
    std::vector<Job> jobs;
    // Cells through the window take longest; they go first.
    for (bool inWindow : {true, false})
        for (const Fault& fault : faults())
            for (Mode mode : kModes)
                if (fault.cells[static_cast<std::size_t>(mode)].applies)
                    jobs.push_back({inWindow, mode, &fault,
                                    logs.filePath(QStringLiteral("%1-%2-%3.log")
                                                      .arg(inWindow ? "app" : "core", modeKey(mode),
                                                           fault.key)),
                                    nullptr});

    QElapsedTimer clock;
    clock.start();
    std::size_t next = 0;
    int running = 0;
    for (;;) {
        while (running < parallel && next < jobs.size()) {
            Job& job = jobs[next++];
            job.process = std::make_unique<QProcess>();
            job.process->setProcessChannelMode(QProcess::MergedChannels);
            job.process->setStandardOutputFile(job.logPath);
            job.process->start(
                QCoreApplication::applicationFilePath(),
                {QStringLiteral("--cell"), QString::fromLatin1(job.inWindow ? "app" : "core"),
                 QString::fromLatin1(modeKey(job.mode)), QString::fromLatin1(job.fault->key)});
            ++running;
        }
        if (running == 0)
            break;
        for (Job& job : jobs) {
            if (!job.process || job.done)
                continue;
            if (job.process->state() == QProcess::NotRunning || job.process->waitForFinished(20)) {
                job.done = true;
                --running;
                QFile log(job.logPath);
                const QByteArray output = log.open(QIODevice::ReadOnly) ? log.readAll() : "";
                job.passed = job.process->exitStatus() == QProcess::NormalExit &&
                             job.process->exitCode() == 0 && output.contains("CELL-PASSED");
                if (!job.passed)
                    std::printf("==== cell %s %s %s FAILED:\n%s\n", job.inWindow ? "app" : "core",
                                modeKey(job.mode), job.fault->key, output.constData());
            }
        }
    }

    const QString table = matrixTable(jobs, clock.elapsed() / 1000.0);
    std::printf("\n%s", table.toUtf8().constData());
    QFile file(QStringLiteral("fault_matrix.txt"));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(table.toUtf8());
    for (const Job& job : jobs)
        if (!job.passed)
            return 1;
    return 0;
}

} // namespace

int runCell(char* program, bool inWindow, Mode mode, const Fault& fault)
{
    CellTest test(inWindow, mode, fault);
    // Qt Test sees only the program's name: the cell's own arguments are not its options.
    char* argv[] = {program, nullptr};
    return QTest::qExec(&test, 1, argv);
}

} // namespace fault_matrix

int main(int argc, char** argv)
{
    using namespace fault_matrix;
    QTemporaryDir settingsHome;
    qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    if (argc == 5 && QByteArray(argv[1]) == "--cell") {
        Mode mode = Mode::Read;
        const Fault* fault = findFault(QString::fromLatin1(argv[4]));
        const QByteArray layer(argv[2]);
        if (!fault || !parseMode(QString::fromLatin1(argv[3]), mode) ||
            (layer != "core" && layer != "app") ||
            !fault->cells[static_cast<std::size_t>(mode)].applies) {
            std::fprintf(stderr, "fault_matrix: no such cell\n");
            return 2;
        }
        QApplication app(argc, argv);
        return runCell(argv[0], layer == "app", mode, *fault);
    }
    if (argc != 1) {
        std::fprintf(stderr, "usage: fault_matrix [--cell core|app read|write|test FAULT]\n");
        return 2;
    }
    QCoreApplication app(argc, argv);
    return runMatrix();
}

#include "fault_matrix_main.moc"
