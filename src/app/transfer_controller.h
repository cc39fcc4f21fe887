#pragma once
// TransferController: Program > Read From Radio, Write To Radio, Verify With Radio and Write To
// Several Radios. It owns the progress dialog and a radio worker (serial/radio_worker.h): a
// command opens the dialog, Start hands the transfer to the worker, and the dialog shows what the
// worker reports while the window stays live. Only a complete read changes the document.

#include "core/image/radio_image.h"
#include "core/message/message.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class BatchWriteDialog;
class FormView;
class ProgressDialog;
class QWidget;

namespace orvo {
class RadioLink;
struct CloneReport;
} // namespace orvo

class TransferController : public QObject
{
    Q_OBJECT

public:
    // The port the next transfer opens: "COM1".."COM4" or a device path, asked at each Start.
    using PortSource = std::function<QString()>;

    // Transfers for the document of `view`, whose form is disabled while one runs.
    TransferController(FormView* view, PortSource port, QObject* parent = nullptr);
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
    // to cancel it; on Yes the transfer is cancelled and the window closes once it has ended.
    // False either way while it runs.
    bool queryClose();

signals:
    // A transfer started or ended.
    void runningChanged(bool running);

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
    QWidget* window() const;

    FormView* m_view;
    PortSource m_port;
    orvo::RadioLink* m_link;
    ProgressDialog* m_dialog = nullptr;  // made by the first command
    BatchWriteDialog* m_batch = nullptr; // while Write To Several Radios is open
    Kind m_kind = Kind::Read;
    Job m_job = Job::None;
    // Cancel was pressed while the transfer ran: what it reports from then on is not shown, and a
    // read that still completed is not taken.
    bool m_cancelled = false;
    bool m_closeAfter = false; // the main window closes when the transfer has ended
    bool m_readBack = false;
    orvo::RadioImage m_source; // what a write sends and a verify compares with
    std::string m_batchPort;
    QPointer<QWidget> m_focusBefore;
};
