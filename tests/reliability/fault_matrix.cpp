// fault_matrix: one cell of the fault matrix in CMakeLists.txt. orvo-radio-sim, started with the
// cell's SIM-OPTIONs, misbehaves against a read, a write or a test-mode adjustment, run on the
// radio worker as the window runs it. Every message gets its cautious answer (Cancel, OK).
//   fault_matrix read|write|test MESSAGE REQUESTS completes|fails BLOCKS [SIM-OPTION...]
#include "reliability_support.h"
#include "sim_process.h"

#include "core/link/clone_session.h"
#include "core/testmode/testmode_session.h"
#include "serial/radio_worker.h"

#include <QCoreApplication>
#include <QFile>
#include <QMap>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

enum class Mode { Read, Write, Test };

// A message as the cell expects it: its exact text, then its buttons.
QString asShown(const orvo::Message& message, bool retryCancel)
{
    return QString::fromStdString(orvo::messageText(message)) +
           (retryCancel ? " [Retry Cancel]" : " [OK]");
}

struct Cell
{
    Mode mode = Mode::Read;
    QStringList messages;   // the one message; after it, a write's partial-write message
    int requests = 1;       // program or test requests the radio hears before the end
    bool completes = false; // all 128 blocks moved, or the adjustment acknowledged
    int blocksWritten = 0;  // write: blocks the radio holds from this transfer afterwards
    QStringList simOptions; // besides --delay 10
};

// Empty when `device`, unless the radio hung up and took it away, opens again at once: nothing
// in this process holds it (its lock file or its exclusive use); otherwise what is wrong.
QString portFreeProblem(const std::string& device)
{
    QSerialPort port(QString::fromStdString(device));
    if (QFile::exists(port.portName()) && !port.open(QIODevice::ReadWrite))
        return port.portName() + " does not open again: " + port.errorString();
    return {};
}

// Blocks below `written` hold the document's bytes, the others what the radio had.
void checkRadioMemory(SimProcess& sim, const orvo::RadioImage& document,
                      const orvo::RadioImage& radio, int written)
{
    orvo::RadioImage expected = radio;
    std::copy_n(document.bytes.begin(), written * 8, expected.bytes.begin());
    QVERIFY(sim.stopAndReadMemory() == expected);
}

void runCell(const Cell& cell)
{
    const orvo::RadioImage radio = reliability::radioMemory();
    const orvo::RadioImage document = reliability::documentImage();
    SimProcess sim(QStringList{"--delay", "10"} + cell.simOptions, &radio);
    QVERIFY(sim.started());
    orvo::RadioLink link;
    QStringList shown;
    QObject::connect(&link, &orvo::RadioLink::messageAsked,
                     [&](const orvo::Message& message, bool retryCancel) {
                         shown << asShown(message, retryCancel);
                         link.answer(false);
                     });
    QSignalSpy cloneEnd(&link, &orvo::RadioLink::cloneFinished);
    QSignalSpy testModeEnd(&link, &orvo::RadioLink::testModeFinished);
    if (cell.mode == Mode::Test) {
        link.startTestMode(
            {sim.path(), orvo::TestItem::TxPower, 47, "146.00000", "146.00000", "Off", "88.5"});
        QTRY_COMPARE_WITH_TIMEOUT(testModeEnd.count(), 1, 60000);
        QCOMPARE(testModeEnd[0][0].value<orvo::TestModeOutcome>(),
                 cell.completes ? orvo::TestModeOutcome::Succeeded
                                : orvo::TestModeOutcome::Cancelled);
    } else {
        const bool write = cell.mode == Mode::Write;
        link.startClone({sim.path(),
                         write ? orvo::CloneDirection::Write : orvo::CloneDirection::Read,
                         document,
                         false,
                         {}});
        QTRY_COMPARE_WITH_TIMEOUT(cloneEnd.count(), 1, 60000);
        const auto report = cloneEnd[0][0].value<orvo::CloneReport>();
        // On a surprise, what the window would have said and what the radio heard tell why.
        QVERIFY2(report.result.outcome ==
                     (cell.completes ? orvo::CloneOutcome::Completed : orvo::CloneOutcome::Failed),
                 qPrintable(shown.join(QLatin1Char('|')) + QLatin1Char('\n') +
                            QString::fromUtf8(readFileBytes(sim.logPath()))));
        if (cell.mode == Mode::Read && cell.completes)
            QVERIFY(report.received == radio);
        if (write)
            QCOMPARE(report.result.blocksDone, cell.blocksWritten);
    }
    QCOMPARE(shown, cell.messages);
    QCOMPARE(portFreeProblem(sim.path()), QString());
    QCOMPARE(reliability::requestsHeard(sim.logPath(), cell.mode == Mode::Test), cell.requests);
    if (cell.mode == Mode::Write)
        checkRadioMemory(sim, document, radio, cell.blocksWritten);
}

class FaultMatrixCell : public QObject
{
    Q_OBJECT

public:
    explicit FaultMatrixCell(const Cell& cell) : m_cell(cell) {}

private slots:
    void cell() { runCell(m_cell); }

private:
    Cell m_cell;
};

} // namespace

int main(int argc, char** argv)
{
    const QMap<QString, QStringList> messages{
        {"none", {}},
        {"comm-error", {asShown(orvo::MessageKind::CommunicationError, true)}},
        {"block-error", {asShown(orvo::MessageKind::BlockError, false)}},
        {"short-reply", {asShown(orvo::MessageKind::ShortReply, false)}},
        {"try-again", {asShown(orvo::MessageKind::TestModeTryAgain, true)}},
        {"finished", {asShown(orvo::MessageKind::TestModeFinished, false)}}};
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    Cell cell;
    const auto mode = QStringList{"read", "write", "test"}.indexOf(args.value(0));
    cell.mode = static_cast<Mode>(mode);
    cell.messages = messages.value(args.value(1));
    cell.requests = args.value(2).toInt();
    cell.completes = args.value(3) == "completes";
    cell.blocksWritten = args.value(4).toInt();
    if (cell.mode == Mode::Write && cell.blocksWritten > 0 && !cell.completes)
        cell.messages << asShown(orvo::MessageKind::PartialWrite, false);
    cell.simOptions = args.mid(5);
    if (mode < 0 || !messages.contains(args.value(1)) || (!cell.completes && args[3] != "fails"))
        return std::fprintf(stderr, "usage: see fault_matrix.cpp\n"), 2;
    setpriority(PRIO_PROCESS, 0, -10); // the radio's timing holds on a busy machine (root only)
    int one = 1;
    QCoreApplication app(one, argv);
    FaultMatrixCell test(cell);
    // Qt Test sees only the program's name: the cell's arguments are not its options.
    return QTest::qExec(&test, 1, argv);
}

#include "fault_matrix.moc"
