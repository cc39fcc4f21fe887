// orvo-bench-gui: the application offscreen runs Read From Radio and Write To Radio through its
// progress dialog (the command, then Start) against a radio on COM1, while a 10 ms timer on the
// window's thread notes the longest gap between two of its ticks.
//
//   orvo-bench-gui transfer --port PTY [--runs N]   N reads and N writes with a responding radio:
//                                                  wall time from Start to the transfer's end
//   orvo-bench-gui silent --port PTY [--runs N]     N reads from a silent radio, each until the
//                                                  communication failure (answered Cancel)
#include "bench_stats.h"

#include "app/application.h"
#include "app/main_window.h"
#include "widgets/form_view.h"
#include "widgets/message_box.h"
#include "widgets/progress_dialog.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
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

struct TransferRun
{
    bool ok = false;
    double wallMs = 0;
    double longestGapMs = 0;
    double messageAtMs = -1; // when the first message box came, from Start
};

// Opens the command's dialog, presses Start, and turns the event loop until the transfer ended.
TransferRun runTransfer(Application& app, bool write, GapWatch& watch)
{
    TransferRun run;
    FormView* view = app.GetView();
    Clock::time_point start;
    setMessageBoxHook([&run, &start](const MessageBoxRequest& request) {
        if (run.messageAtMs < 0)
            run.messageAtMs = msBetween(start, Clock::now());
        std::fprintf(stderr, "message: %s\n", request.text.toUtf8().constData());
        return request.buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel
                                                             : QMessageBox::Ok;
    });
    if (write)
        view->OnWriteToRadio();
    else
        view->OnReadFromRadio();
    ProgressDialog* dialog = view->progressDialog();
    if (!dialog || !dialog->HasWindow() || !dialog->IsStartEnabled())
        return run;
    QApplication::processEvents();

    watch.reset();
    start = Clock::now();
    dialog->m_btnStart->click();
    bool started = false;
    while (!started || view->IsTransferRunning() || dialog->HasWindow()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        started = started || !dialog->IsStartEnabled() || view->IsTransferRunning();
        if (msBetween(start, Clock::now()) > 120000)
            return run;
    }
    run.wallMs = msBetween(start, Clock::now());
    run.longestGapMs = watch.longest();
    run.ok = run.messageAtMs < 0;
    setMessageBoxHook({});
    return run;
}

int usage()
{
    std::fprintf(stderr, "usage: orvo-bench-gui transfer|silent --port PTY [--runs N]\n");
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
    if (port.empty() || (mode != "transfer" && mode != "silent"))
        return usage();

    QTemporaryDir settingsHome;
    qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());
    qputenv("ORVO_COM1", QByteArray::fromStdString(port));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Application app;
    if (!app.InitInstance({}))
        return 1;
    QApplication::processEvents();
    GapWatch watch;

    if (mode == "silent") {
        std::vector<double> gaps, toMessage;
        for (int i = 0; i < runs; ++i) {
            const TransferRun run = runTransfer(app, false, watch);
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

    std::vector<double> reads, writes, gaps;
    int failures = 0;
    for (int i = 0; i < runs; ++i) {
        for (bool write : {false, true}) {
            const TransferRun run = runTransfer(app, write, watch);
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
    return failures == 0 ? 0 : 1;
}
