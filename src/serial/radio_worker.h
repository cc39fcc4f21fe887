#pragma once
// Radio work on a thread of its own. A RadioLink, made on the window's thread, owns a QThread and
// the RadioWorker moved to it. The worker makes its serial line on that thread, runs one clone
// transfer or test-mode exchange there at a time and closes the line again; the window thread
// only starts jobs, hears of them through the link's signals and answers their messages, so it
// never waits on the line and the line never waits on the window.

#include "core/image/radio_image.h"
#include "core/link/clone_session.h"
#include "core/testmode/testmode_frames.h"
#include "core/testmode/testmode_session.h"

#include <QObject>
#include <QString>
#include <QThread>

#include <memory>
#include <string>

namespace orvo {

// A port as a job opens it: the name its messages use ("COM1") and the device the window
// resolved for it (empty: the one the name stands for without any choice of the user).
struct RadioPort
{
    std::string name;
    std::string device;
};

// One clone transfer for the worker.
struct CloneJob
{
    std::string port; // "COM1".."COM4" or a device path
    CloneDirection direction = CloneDirection::Read;
    RadioImage source;     // what a write sends, and what its read-back is compared with
    bool readBack = false; // a write followed by a read of the whole radio in the same opening
    // The device the job opens for `port`, resolved by the window; empty: the one `port` stands
    // for without any choice of the user.
    std::string device;
};

// How a clone transfer ended, with what it received: the radio's memory after a completed read
// or a write's read-back (result.readBack); otherwise the blocks received so far.
struct CloneReport
{
    CloneResult result;
    RadioImage received;
};

struct RadioMailbox;

// Runs the jobs a RadioLink hands it, on the thread it was moved to. Everything it reports goes
// through the link's mailbox; it shows nothing and waits for nothing but the line and, where the
// protocol asks the user, the answer.
class RadioWorker : public QObject
{
    Q_OBJECT

public:
    explicit RadioWorker(std::shared_ptr<RadioMailbox> mailbox);
    ~RadioWorker() override;

    // Takes the job the link left in the mailbox and runs it to its end.
    void runJob();

signals:
    // Reports wait in the mailbox (queued to the link, on its thread).
    void reportsWaiting();

private:
    std::shared_ptr<RadioMailbox> m_mailbox;
};

// The window's side of the radio worker. Starts one job at a time; every signal comes on the
// thread that made the link, in the order the job reported.
class RadioLink : public QObject
{
    Q_OBJECT

public:
    explicit RadioLink(QObject* parent = nullptr);
    // Cancels the running job, answers what it asks with Cancel (or OK) and waits for its end.
    ~RadioLink() override;

    // From start until the finished signal has been emitted.
    bool isBusy() const { return m_busy; }

    // Start a job unless one is running; false when one is.
    bool startClone(const CloneJob& job);
    bool startTestMode(const TestModeRequest& request, const std::string& device = {});

    // The running clone transfer stops at its next waiting cycle: it closes the port and ends
    // Cancelled with no message. The test-mode exchange has no waiting cycles and ignores it.
    void cancel();
    // The user's answer to the last messageAsked: true for Retry (a RetryCancel message), false
    // for Cancel or OK.
    void answer(bool retry);

signals:
    // A new status line; BlockPosition tells the progress position in words as well.
    void statusChanged(const orvo::Message& status);
    // Position of the progress display, 0..128 (see CloneHost::showProgress).
    void progressChanged(int position);
    // The job waits until answer() is called.
    void messageAsked(const orvo::Message& message, bool retryCancel);
    void cloneFinished(const orvo::CloneReport& report);
    void testModeFinished(orvo::TestModeOutcome outcome);

private:
    void deliverReports();

    std::shared_ptr<RadioMailbox> m_mailbox;
    QThread m_thread;
    std::unique_ptr<RadioWorker> m_worker;
    bool m_busy = false;
};

} // namespace orvo
