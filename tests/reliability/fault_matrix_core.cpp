// A fault matrix cell in the core: CloneSession or runTestMode over QtSerialLine against
// orvo-radio-sim on a pty, with a host that answers every message cautiously.
#include "fault_matrix.h"
#include "reliability_support.h"
#include "sim_process.h"
#include "test_host.h"

#include "link/clone_session.h"
#include "link/qt_serial_line.h"
#include "testmode/testmode_session.h"

#include <QTest>

namespace fault_matrix {

namespace {

using reliability::documentImage;
using reliability::radioMemory;

struct Shown
{
    QString text;
    bool retryCancel;
};

// Answers every test-mode message: OK, or Cancel where Retry is offered.
class CautiousTestModeHost final : public orvo::TestModeHost
{
public:
    QList<Shown> shown;

    Answer showMessage(const std::string& text, Buttons buttons) override
    {
        shown.append({QString::fromStdString(text), buttons == Buttons::RetryCancel});
        return buttons == Buttons::RetryCancel ? Answer::Cancel : Answer::Ok;
    }
};

void compareShown(const QList<Shown>& shown, Message expected)
{
    if (expected == Message::None) {
        QVERIFY2(shown.isEmpty(), qPrintable(shown.value(0).text));
        return;
    }
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().text, messageText(expected));
    QCOMPARE(shown.first().retryCancel, asksRetry(expected));
}

// Blocks below `written` hold `sent`, the others what the radio had.
void compareRadioMemory(const orvo::RadioImage& memory, const orvo::RadioImage& sent,
                        const orvo::RadioImage& before, int written)
{
    for (std::size_t i = 0; i < orvo::kImageSize; ++i) {
        const bool fromTransfer = static_cast<int>(i / 8) < written;
        QVERIFY2(memory[i] == (fromTransfer ? sent[i] : before[i]),
                 qPrintable(QStringLiteral("radio byte %1").arg(i)));
    }
}

} // namespace

void runCoreCell(Mode mode, const Cell& cell)
{
    const orvo::RadioImage radio = radioMemory();
    SimProcess sim(QStringList{"--delay", "10"} + cell.simOptions, &radio);
    const QString log = sim.logPath();
    QVERIFY(sim.started());
    const QString device = QString::fromStdString(sim.path());

    auto line = orvo::makeSerialLine();
    QList<Shown> shown;
    const orvo::RadioImage source = documentImage();
    if (mode == Mode::Test) {
        CautiousTestModeHost host;
        orvo::TestModeRequest request;
        request.port = sim.path();
        request.item = orvo::TestItem::TxPower;
        request.value = 47;
        request.rxFrequency = "146.00000";
        request.txFrequency = "146.00000";
        request.rxTone = "Off";
        request.txTone = "88.5";
        const orvo::TestModeOutcome outcome = orvo::runTestMode(*line, host, request);
        QCOMPARE(outcome, cell.completes ? orvo::TestModeOutcome::Succeeded
                                         : orvo::TestModeOutcome::Cancelled);
        shown = host.shown;
    } else {
        TestHost host; // Cancel where Retry is offered
        host.directionToGive =
            mode == Mode::Write ? orvo::CloneDirection::Write : orvo::CloneDirection::Read;
        const orvo::RadioImage sourceBefore = source;
        orvo::CloneSession session(*line, host, source);
        const orvo::CloneResult result = session.run(sim.path());
        for (const ShownMessage& m : host.messages)
            shown.append({QString::fromStdString(m.text),
                          m.buttons == orvo::CloneHost::Buttons::RetryCancel});

        QCOMPARE(result.outcome,
                 cell.completes ? orvo::CloneOutcome::Completed : orvo::CloneOutcome::Failed);
        QCOMPARE(session.state(), orvo::CloneState::Closed);
        QVERIFY(source == sourceBefore);
        if (mode == Mode::Read && cell.completes)
            QVERIFY(session.receivedImage() == radio);
        if (mode == Mode::Write)
            QCOMPARE(result.blocksDone, cell.blocksWritten);
    }
    // A write that broke off after its first block says so in a message of its own.
    if (mode == Mode::Write && cell.blocksWritten > 0 && !cell.completes)
        QCOMPARE(shown.size() > 1 ? shown.takeLast().text : QString(),
                 QString::fromUtf8(orvo::kPartialWriteText));
    compareShown(shown, cell.message);
    if (QTest::currentTestFailed())
        return;

    QVERIFY(!line->isOpen());
    const QString problem = reliability::portFreeProblem(device);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(reliability::requestsHeard(log, mode == Mode::Test), cell.requests);
    if (mode == Mode::Write)
        compareRadioMemory(sim.stopAndReadMemory(), source, radio, cell.blocksWritten);
}

} // namespace fault_matrix
