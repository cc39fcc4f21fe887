#pragma once
// TransferController: Program > Read From Radio, Write To Radio, Verify With Radio and Write To
// Several Radios. It owns the progress dialog and a radio worker (serial/radio_worker.h): a
// command opens the dialog, Start hands the transfer to the worker, and the dialog shows what the
// worker reports while the window stays live. Only a complete read changes the document.

#include "core/image/radio_image.h"
#include "serial/radio_worker.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class BatchWriteDialog;
class Document;
class PendingEdit;
class ProgressDialog;
class QWidget;
class Settings;

class TransferController : public QObject
{
    Q_OBJECT

public:
    // The port the next transfer opens, and its device, asked at each Start.
    using PortSource = std::function<orvo::RadioPort()>;
    // Asked before a read replaces the document: true when it may go ahead (the save prompt).
    using SavePrompt = std::function<bool()>;

    // Transfers of `doc` on `link` (shared with the test mode; one job at a time), `edit`
    // committed before each; the dialogs belong to `parent` and the progress dialog shows over
    // it; "Verify after writing" is kept in `settings`.
    TransferController(Document& doc, Settings& settings, PendingEdit& edit, orvo::RadioLink& link,
                       PortSource port, SavePrompt maySaveChanges, QWidget* parent,
                       QObject* owner = nullptr);
    ~TransferController() override;

    // Read From Radio, Write To Radio: commit the cell being edited and open the progress dialog
    // for the command (or let the one open and not started stand for it). Nothing happens while
    // a transfer runs.
    void read();
    void write();
    // Verify With Radio: a read in the same dialog whose image is compared with the document and
    // shown in a VerifyDialog; the document is not changed.
    void verify();
    // Write To Several Radios: after the channels outside the band are confirmed, the batch
    // dialog writes and verifies one radio after the other.
    void writeToSeveralRadios();

    // A transfer runs (from the worker's start to its end).
    bool isRunning() const;
    // Asked before the main window closes: true when no transfer runs. Otherwise asks whether
    // to cancel it. On Yes, the transfer is cancelled and closeRequested follows its end; a
    // transfer that ended while the question was open lets the window close at once (true).
    // The request lives only as long as the transfer it was made for.
    bool queryClose();

signals:
    // A transfer started or ended.
    void runningChanged(bool running);
    // The transfer the user asked to cancel before closing has ended: the window closes now.
    void closeRequested();

private:
    enum class Kind { Read, Write, Verify };
    // The job the worker runs: one of the progress dialog's, or a radio of the batch.
    enum class Job { None, Single, Batch };

    void prepare(Kind kind);
    void start();
    void cancel();
    void showStatus(const orvo::Message& status);
    void showPosition(int position);
    void askUser(const orvo::Message& message, bool retryCancel);
    void finish(const orvo::CloneReport& report);
    void finishBatchRadio(const orvo::CloneReport& report);
    void startBatchRadio();
    void setRunning(bool running);
    // A job has ended: a close request made for it is carried out.
    void endCloseRequest();

    Document& m_document;
    Settings& m_settings;
    PendingEdit& m_edit;
    orvo::RadioLink& m_link;
    PortSource m_port;
    SavePrompt m_maySaveChanges;
    QWidget* m_parent;
    ProgressDialog* m_dialog = nullptr;  // made by the first command
    BatchWriteDialog* m_batch = nullptr; // while Write To Several Radios is open
    Kind m_kind = Kind::Read;
    Job m_job = Job::None;
    // Cancel was pressed while the transfer ran: what it reports from then on is not shown, and a
    // read that still completed is not taken.
    bool m_cancelled = false;
    bool m_closeAfter = false; // the main window closes when the transfer has ended
    int m_jobsStarted = 0;     // tells a job from the one after it
    bool m_readBack = false;
    orvo::RadioImage m_source; // what a write sends and a verify compares with
    std::string m_batchPort;
    QPointer<QWidget> m_focusBefore;
};
