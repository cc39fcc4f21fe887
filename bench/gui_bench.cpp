// orvo-bench-gui: the application offscreen runs Read From Radio and Write To Radio through its
// progress dialog (the command, then Start), or a Test Mode exchange through the Debug Mode
// dialog, against a radio on COM1, while a 10 ms timer on the window's thread notes the longest
// gap between two of its ticks. It reaches the program as a user does: commands and buttons by
// object name, message boxes and the modal dialog through the application's hooks.
//
//   orvo-bench-gui transfer --port PTY [--runs N]   N reads and N writes with a responding radio:
//                                                  wall time from Start to the transfer's end
//   orvo-bench-gui silent --port PTY [--runs N]     N reads from a silent radio, each until the
//                                                  communication failure (answered Cancel)
//   orvo-bench-gui testmode --port PTY [--runs N]   N test-mode exchanges (TX Frequency) with a
//                                                  responding radio: wall time from Start to the
//                                                  end of the exchange
#include "bench_stats.h"

#include "app/application.h"
#include "widgets/message_box.h"
#include "widgets/modal_dialog.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Ticks every 10 ms on the window's thread and keeps the longest gap since the last reset.
class GapWatch
{
public:
    GapWatch()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            const auto now = Clock::now();
            m_longest = std::max(m_longest, msBetween(m_last, now));
            m_last = now;
        });
        m_timer.start(10);
    }
    void reset()
    {
        m_last = Clock::now();
        m_longest = 0;
    }
    // The longest gap, counting the one still open.
    double longest() const { return std::max(m_longest, msBetween(m_last, Clock::now())); }

private:
    QTimer m_timer;
    Clock::time_point m_last = Clock::now();
    double m_longest = 0;
};

struct Run
{
    bool ok = false;
    double wallMs = 0;
    double longestGapMs = 0;
    double messageAtMs = -1; // when the first message other than the expected one came
};

QWidget* named(const char* name)
{
    for (QWidget* widget : QApplication::allWidgets()) {
        if (widget->objectName() == QLatin1String(name))
            return widget;
    }
    return nullptr;
}

QAction* command(const char* name)
{
    QWidget* window = named("MainWindow");
    return window ? window->findChild<QAction*>(QLatin1String(name)) : nullptr;
}

// Turns the event loop until `done`, at most two minutes; false when that ran out.
bool turnUntil(const std::function<bool()>& done, Clock::time_point start)
{
    while (!done()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        if (msBetween(start, Clock::now()) > 120000)
            return false;
    }
    return true;
}

// Answers every message box: the save prompt before a read with Discard, `expected` with OK,
// anything else with Cancel (or OK), noting when it came.
void answerBoxes(Run& run, const Clock::time_point& start, const QString& expected)
{
    setMessageBoxHook([&run, &start, expected](const MessageBoxRequest& request) {
        if (request.buttons.testFlag(QMessageBox::Discard))
            return QMessageBox::Discard;
        if (request.text == expected)
            return QMessageBox::Ok;
        if (run.messageAtMs < 0)
            run.messageAtMs = msBetween(start, Clock::now());
        std::fprintf(stderr, "message: %s\n", request.text.toUtf8().constData());
        return request.buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel
                                                             : QMessageBox::Ok;
    });
}

// Read From Radio or Write To Radio, Start, and the event loop turned until the transfer ended.
Run runTransfer(bool write, GapWatch& watch)
{
    Run run;
    Clock::time_point start = Clock::now();
    answerBoxes(run, start, QString());
    QAction* read = command("ID_READ_FROM_RADIO");
    command(write ? "ID_WRITE_TO_RADIO" : "ID_READ_FROM_RADIO")->trigger();
    QWidget* dialog = named("ProgressDialog");
    auto* startButton =
        dialog ? dialog->findChild<QPushButton*>(QStringLiteral("btnStart")) : nullptr;
    if (!startButton || !dialog->isVisible() || !startButton->isEnabled())
        return run;
    QApplication::processEvents();

    watch.reset();
    start = Clock::now();
    startButton->click();
    // The dialog goes at the end; Read is enabled again once the transfer's end is handled.
    if (!turnUntil([&] { return !dialog->isVisible() && read->isEnabled(); }, start))
        return run;
    run.wallMs = msBetween(start, Clock::now());
    run.longestGapMs = watch.longest();
    run.ok = run.messageAtMs < 0;
    setMessageBoxHook({});
    return run;
}

// Test Mode, TX Frequency, and `runs` presses of Start, each until the exchange has ended.
std::vector<Run> runTestModes(int runs, GapWatch& watch)
{
    std::vector<Run> done;
    setDialogHook([&](QDialog& dialog) {
        auto* tree = dialog.findChild<QTreeWidget*>(QStringLiteral("treeDebug"));
        auto* startButton = dialog.findChild<QPushButton*>(QStringLiteral("btnStart"));
        const auto items =
            tree->findItems(QStringLiteral("TX Frequency"), Qt::MatchExactly | Qt::MatchRecursive);
        if (items.size() != 1 || !startButton)
            return;
        tree->setCurrentItem(items.first());
        for (int i = 0; i < runs; ++i) {
            Run run;
            Clock::time_point start = Clock::now();
            answerBoxes(run, start, QStringLiteral("Finish successfully!"));
            QApplication::processEvents();
            watch.reset();
            start = Clock::now();
            startButton->click();
            if (!turnUntil([&] { return startButton->isEnabled(); }, start))
                break;
            run.wallMs = msBetween(start, Clock::now());
            run.longestGapMs = watch.longest();
            run.ok = run.messageAtMs < 0;
            done.push_back(run);
        }
    });
    command("ID_TEST_MODE")->trigger();
    setDialogHook({});
    setMessageBoxHook({});
    return done;
}

int usage()
{
    std::fprintf(stderr, "usage: orvo-bench-gui transfer|silent|testmode --port PTY [--runs N]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    const std::string mode = argv[1];
    std::string port;
    int runs = 3;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--port")
            port = argv[i + 1];
        else if (option == "--runs")
            runs = std::max(1, std::atoi(argv[i + 1]));
        else
            return usage();
    }
    if (port.empty() || (mode != "transfer" && mode != "silent" && mode != "testmode"))
        return usage();

    QTemporaryDir settingsHome;
    qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());
    qputenv("ORVO_COM1", QByteArray::fromStdString(port));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Application app;
    if (!app.start({}))
        return 1;
    QApplication::processEvents();
    GapWatch watch;

    if (mode == "silent") {
        std::vector<double> gaps, toMessage;
        for (int i = 0; i < runs; ++i) {
            const Run run = runTransfer(false, watch);
            std::printf("silent read %d: failure message after %.1f ms, dialog closed after %.1f "
                        "ms, longest timer gap %.1f ms\n",
                        i + 1, run.messageAtMs, run.wallMs, run.longestGapMs);
            if (run.messageAtMs < 0)
                return 1;
            gaps.push_back(run.longestGapMs);
            toMessage.push_back(run.messageAtMs);
        }
        orvo::bench::printSummary("gui_silent.max_gap", gaps, "ms");
        orvo::bench::printSummary("gui_silent.to_message", toMessage, "ms");
        return 0;
    }

    if (mode == "testmode") {
        std::vector<double> walls, gaps;
        const std::vector<Run> done = runTestModes(runs, watch);
        int failures = runs - static_cast<int>(done.size());
        for (std::size_t i = 0; i < done.size(); ++i) {
            const Run& run = done[i];
            std::printf("exchange %zu: %s %.1f ms, longest timer gap %.1f ms\n", i + 1,
                        run.ok ? "done in" : "FAILED after", run.wallMs, run.longestGapMs);
            if (!run.ok) {
                ++failures;
                continue;
            }
            walls.push_back(run.wallMs);
            gaps.push_back(run.longestGapMs);
        }
        orvo::bench::printSummary("gui_testmode.wall", walls, "ms");
        orvo::bench::printSummary("gui_testmode.max_gap", gaps, "ms");
        std::printf("%d of %d exchanges failed\n", failures, runs);
        // A busy machine may keep the simulated radio from answering in time now and then; the
        // figures stand on the exchanges that succeeded.
        return walls.empty() ? 1 : 0;
    }

    std::vector<double> reads, writes, gaps;
    int failures = 0;
    for (int i = 0; i < runs; ++i) {
        for (bool write : {false, true}) {
            const Run run = runTransfer(write, watch);
            std::printf("%s %d: %s %.1f ms, longest timer gap %.1f ms\n", write ? "write" : "read",
                        i + 1, run.ok ? "done in" : "FAILED after", run.wallMs, run.longestGapMs);
            std::fflush(stdout);
            if (!run.ok) {
                ++failures;
                continue;
            }
            (write ? writes : reads).push_back(run.wallMs);
            gaps.push_back(run.longestGapMs);
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    orvo::bench::printSummary("gui_read.wall", reads, "ms");
    orvo::bench::printSummary("gui_write.wall", writes, "ms");
    orvo::bench::printSummary("gui_responding.max_gap", gaps, "ms");
    orvo::bench::printSummary("gui_transfer.rss", {usage.ru_maxrss / 1024.0}, "MiB");
    std::printf("%d of %d transfers failed\n", failures, 2 * runs);
    return reads.empty() || writes.empty() ? 1 : 0;
}
