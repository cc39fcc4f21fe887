// The window's events during a transfer: waiting cycles hand pending events a turn (and skip the
// turn cheaply when a pass just found nothing), and the window's timers keep running while a
// silent radio is awaited, not only in the waiting cycles between its attempts.
#include "gui_test_support.h"
#include "sim_process.h"

#include "app/message_box.h"
#include "app/tern_app.h"
#include "editor/tern_view.h"
#include "link/progress_dlg.h"
#include "link/transfer_event_pump.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

namespace {

// Wake-up attempts before the failure message, and the waiting cycles of each.
constexpr int kAttempts = 5;
constexpr int kCyclesPerAttempt = 12;

} // namespace

class TransferEventsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { quietPlatformWarnings(); }

    void aWaitingCycleHandlesWhatIsPending()
    {
        TransferEventPump pump;
        int handled = 0;
        QMetaObject::invokeMethod(
            this, [&handled] { ++handled; }, Qt::QueuedConnection);
        pump.cycle();
        QCOMPARE(handled, 1);

        QMetaObject::invokeMethod(
            this, [&handled] { ++handled; }, Qt::QueuedConnection);
        TransferEventPump::whileWaiting();
        QCOMPARE(handled, 2);
    }

    void anEventPostedDuringIdleCyclesIsHandledByALaterOne()
    {
        TransferEventPump pump;
        pump.cycle(); // finds nothing: the next cycles may skip their turn for a moment
        int handled = 0;
        QMetaObject::invokeMethod(
            this, [&handled] { ++handled; }, Qt::QueuedConnection);
        QElapsedTimer clock;
        clock.start();
        while (handled == 0 && clock.elapsed() < 10000)
            pump.cycle();
        QCOMPARE(handled, 1);
    }

    void timersRunWhileASilentRadioIsAwaited()
    {
        SimProcess sim({"--silent"});
        QVERIFY(sim.started());
        qputenv("ORVO_COM1", QByteArray::fromStdString(sim.path()));
        const auto app = startApplication();
        QVERIFY(app);

        int ticks = 0;
        QTimer timer;
        timer.setTimerType(Qt::PreciseTimer);
        connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
        int ticksAtMessage = -1;
        setMessageBoxHook([&](const MessageBoxRequest&) {
            if (ticksAtMessage < 0)
                ticksAtMessage = ticks;
            return QMessageBox::Cancel;
        });
        ternView()->OnReadFromRadio();
        CProgressDlg* dialog = ternView()->progressDialog();
        QVERIFY(dialog && dialog->HasWindow());
        timer.start(5);
        QTest::mouseClick(dialog->m_btnStart, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->HasWindow() && !ternView()->IsTransferRunning(), 60000);
        setMessageBoxHook({});

        // Each waiting cycle handles at most one tick; the other ticks came while the reads of
        // the five attempts waited for the radio.
        QVERIFY2(ticksAtMessage > kAttempts * kCyclesPerAttempt,
                 qPrintable(QStringLiteral("%1 ticks").arg(ticksAtMessage)));
    }
};

ORVO_GUI_TEST_MAIN(TransferEventsTest)
#include "transfer_events_test.moc"
