#include "serial/radio_worker.h"

#include "serial/qt_serial_line.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <type_traits>
#include <variant>

namespace orvo {

// What the window's thread and the worker's share. Every member but `cancel` is used under
// `lock`, a lock of our own, so that each hand-over between the threads is one a thread checker
// can see.
struct RadioMailbox
{
    struct Status
    {
        Message status;
    };
    struct Progress
    {
        int position = 0;
    };
    struct Question
    {
        Message message;
        bool retryCancel = false;
    };
    struct CloneEnd
    {
        CloneReport report;
    };
    struct TestModeEnd
    {
        TestModeOutcome outcome = TestModeOutcome::Cancelled;
    };
    using Report = std::variant<Status, Progress, Question, CloneEnd, TestModeEnd>;
    struct TestModeJob
    {
        TestModeRequest request;
        std::string device;
    };
    using Job = std::variant<CloneJob, TestModeJob>;

    std::mutex lock;
    std::condition_variable answered;
    std::optional<Job> job;     // handed to the worker, taken when it starts
    std::deque<Report> reports; // in the order the job made them, until the link delivers them
    bool questionOpen = false;  // the worker waits for an answer
    bool answerGiven = false;
    bool retry = false;
    bool closing = false; // the link is going: questions get their cautious answer
    std::atomic<bool> cancel{false};
};

namespace {

// Queues `report` for the link; the first of a batch tells it that reports wait.
void post(RadioMailbox& box, RadioWorker& worker, RadioMailbox::Report report)
{
    bool first = false;
    {
        const std::lock_guard hold(box.lock);
        first = box.reports.empty();
        box.reports.push_back(std::move(report));
    }
    if (first)
        emit worker.reportsWaiting();
}

// Shows `text` through the link and blocks this thread until the user has answered; true for
// Retry. Once the link is closing, every question is answered at once with Cancel (or OK).
bool ask(RadioMailbox& box, RadioWorker& worker, const Message& message, bool retryCancel)
{
    std::unique_lock hold(box.lock);
    if (box.closing)
        return false;
    box.questionOpen = true;
    box.answerGiven = false;
    const bool first = box.reports.empty();
    box.reports.push_back(RadioMailbox::Question{message, retryCancel});
    hold.unlock();
    if (first)
        emit worker.reportsWaiting();
    hold.lock();
    box.answered.wait(hold, [&box] { return box.answerGiven || box.closing; });
    box.questionOpen = false;
    return box.answerGiven && box.retry;
}

// A clone transfer as the worker runs it: a waiting cycle is the look at Cancel and nothing else;
// the pauses between cycles are the session's own.
class WorkerCloneHost final : public CloneHost
{
public:
    WorkerCloneHost(RadioMailbox& box, RadioWorker& worker, CloneDirection direction)
        : m_box(box), m_worker(worker), m_direction(direction)
    {
    }

    void showStatus(const Message& status) override
    {
        post(m_box, m_worker, RadioMailbox::Status{status});
    }
    void showProgress(int position, int) override
    {
        post(m_box, m_worker, RadioMailbox::Progress{position});
    }
    Cycle waitingCycle() override { return m_box.cancel ? Cycle::Cancel : Cycle::Continue; }
    Answer showMessage(const Message& message, Buttons buttons) override
    {
        const bool retry = ask(m_box, m_worker, message, buttons == Buttons::RetryCancel);
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        return retry ? Answer::Retry : Answer::Cancel;
    }
    CloneDirection direction() override { return m_direction; }

private:
    RadioMailbox& m_box;
    RadioWorker& m_worker;
    CloneDirection m_direction;
};

class WorkerTestModeHost final : public TestModeHost
{
public:
    WorkerTestModeHost(RadioMailbox& box, RadioWorker& worker) : m_box(box), m_worker(worker) {}

    Answer showMessage(const Message& message, Buttons buttons) override
    {
        const bool retry = ask(m_box, m_worker, message, buttons == Buttons::RetryCancel);
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        return retry ? Answer::Retry : Answer::Cancel;
    }

private:
    RadioMailbox& m_box;
    RadioWorker& m_worker;
};

} // namespace

RadioWorker::RadioWorker(std::shared_ptr<RadioMailbox> mailbox) : m_mailbox(std::move(mailbox)) {}

RadioWorker::~RadioWorker() = default;

void RadioWorker::runJob()
{
    std::optional<RadioMailbox::Job> job;
    {
        const std::lock_guard hold(m_mailbox->lock);
        job.swap(m_mailbox->job);
    }
    if (!job)
        return;
    RadioMailbox::Report end;
    {
        // Made, used and closed on this thread.
        if (const auto* clone = std::get_if<CloneJob>(&*job)) {
            const std::unique_ptr<SerialLine> line = makeSerialLine(clone->device);
            WorkerCloneHost host(*m_mailbox, *this, clone->direction);
            CloneSession session(*line, host, clone->source);
            session.setReadBackAfterWrite(clone->readBack);
            CloneReport report;
            report.result = session.run(clone->port);
            report.received = session.receivedImage();
            end = RadioMailbox::CloneEnd{report};
        } else {
            const auto& exchange = std::get<RadioMailbox::TestModeJob>(*job);
            const std::unique_ptr<SerialLine> line = makeSerialLine(exchange.device);
            WorkerTestModeHost host(*m_mailbox, *this);
            end = RadioMailbox::TestModeEnd{runTestMode(*line, host, exchange.request)};
        }
    }
    post(*m_mailbox, *this, std::move(end));
}

RadioLink::RadioLink(QObject* parent)
    : QObject(parent), m_mailbox(std::make_shared<RadioMailbox>()),
      m_worker(std::make_unique<RadioWorker>(m_mailbox))
{
    m_thread.setObjectName(QStringLiteral("radio worker"));
    m_worker->moveToThread(&m_thread);
    connect(m_worker.get(), &RadioWorker::reportsWaiting, this, &RadioLink::deliverReports,
            Qt::QueuedConnection);
    m_thread.start();
}

RadioLink::~RadioLink()
{
    {
        const std::lock_guard hold(m_mailbox->lock);
        m_mailbox->closing = true;
    }
    m_mailbox->cancel = true;
    m_mailbox->answered.notify_all();
    m_thread.quit();
    m_thread.wait();
    // The worker's last step was a report under the mailbox's lock; taking it once more orders
    // everything the worker did before what follows here, in a way a thread checker can see
    // (QThread::wait says so in Qt's own terms, which it cannot).
    {
        const std::lock_guard hold(m_mailbox->lock);
    }
    m_worker.reset(); // its thread has ended
}

namespace {

// Hands `job` to the worker unless one runs; false when one does.
bool handOver(RadioMailbox& mailbox, bool& busy, RadioWorker* worker, RadioMailbox::Job job)
{
    if (busy)
        return false;
    busy = true;
    mailbox.cancel = false;
    {
        const std::lock_guard hold(mailbox.lock);
        mailbox.job = std::move(job);
    }
    QMetaObject::invokeMethod(worker, &RadioWorker::runJob, Qt::QueuedConnection);
    return true;
}

} // namespace

bool RadioLink::startClone(const CloneJob& job)
{
    return handOver(*m_mailbox, m_busy, m_worker.get(), job);
}

bool RadioLink::startTestMode(const TestModeRequest& request, const std::string& device)
{
    return handOver(*m_mailbox, m_busy, m_worker.get(), RadioMailbox::TestModeJob{request, device});
}

void RadioLink::cancel()
{
    m_mailbox->cancel = true;
}

void RadioLink::answer(bool retry)
{
    {
        const std::lock_guard hold(m_mailbox->lock);
        if (!m_mailbox->questionOpen || m_mailbox->answerGiven)
            return;
        m_mailbox->retry = retry;
        m_mailbox->answerGiven = true;
    }
    m_mailbox->answered.notify_all();
}

void RadioLink::deliverReports()
{
    // One at a time: a slot may open a message box, whose own event loop may deliver the reports
    // that follow; they still come in order.
    for (;;) {
        RadioMailbox::Report report;
        {
            const std::lock_guard hold(m_mailbox->lock);
            if (m_mailbox->reports.empty())
                return;
            report = std::move(m_mailbox->reports.front());
            m_mailbox->reports.pop_front();
        }
        std::visit(
            [this](auto& r) {
                using R = std::decay_t<decltype(r)>;
                if constexpr (std::is_same_v<R, RadioMailbox::Status>) {
                    emit statusChanged(r.status);
                } else if constexpr (std::is_same_v<R, RadioMailbox::Progress>) {
                    emit progressChanged(r.position);
                } else if constexpr (std::is_same_v<R, RadioMailbox::Question>) {
                    emit messageAsked(r.message, r.retryCancel);
                } else if constexpr (std::is_same_v<R, RadioMailbox::CloneEnd>) {
                    m_busy = false;
                    emit cloneFinished(r.report);
                } else {
                    m_busy = false;
                    emit testModeFinished(r.outcome);
                }
            },
            report);
    }
}

} // namespace orvo
