// Read From Radio and Write To Radio: the commands that open the progress dialog, and the
// transfer its Start button asks for.
#include "widgets/form_view.h"

#include "core/link/clone_session.h"
#include "core/link/verify.h"
#include "document/document.h"
#include "serial/qt_serial_line.h"
#include "serial/transfer_event_pump.h"
#include "widgets/message_box.h"
#include "widgets/modal_dialog.h"
#include "widgets/progress_dialog.h"
#include "widgets/verify_dialog.h"

#include <QAction>
#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>

namespace {

// The transfer as the user sees it: status and progress in the dialog, waiting cycles that handle
// the pending events and then look at Cancel, messages through the application's message box.
class TransferHost final : public orvo::CloneHost
{
public:
    TransferHost(FormView& view, ProgressDialog& dialog, bool write)
        : m_view(view), m_dialog(dialog), m_write(write)
    {
    }

    void showStatus(const std::string& text) override
    {
        m_dialog.SetStatusText(QString::fromStdString(text));
    }

    void showProgress(int position, int) override { m_dialog.SetPos(position); }

    Cycle waitingCycle() override
    {
        // One pass over what is pending (input, paints, the Cancel click), never a loop that
        // waits for more; cheap when nothing is.
        m_events.cycle();
        return m_dialog.m_bCancel ? Cycle::Cancel : Cycle::Continue;
    }

    Answer showMessage(const std::string& text, Buttons buttons) override
    {
        QWidget* parent = m_dialog.HasWindow() ? static_cast<QWidget*>(&m_dialog) : m_view.window();
        const QString message = QString::fromStdString(text);
        if (buttons == Buttons::RetryCancel) {
            const auto pressed =
                AppMessageBox(parent, message, QString(), QMessageBox::NoIcon,
                              QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry);
            return pressed == QMessageBox::Retry ? Answer::Retry : Answer::Cancel;
        }
        AppMessageBox(parent, message, QString(), QMessageBox::Warning, QMessageBox::Ok);
        return Answer::Ok;
    }

    orvo::CloneDirection direction() override
    {
        return m_write ? orvo::CloneDirection::Write : orvo::CloneDirection::Read;
    }

private:
    FormView& m_view;
    ProgressDialog& m_dialog;
    bool m_write;
    TransferEventPump m_events;
};

const QString kReadTitle = QStringLiteral("Reading Data Progress");
const QString kWriteTitle = QStringLiteral("Writing Data Progress");
const QString kVerifyTitle = QStringLiteral("Verify With Radio");

} // namespace

void FormView::OnReadFromRadio()
{
    prepareTransfer(false);
}

void FormView::OnWriteToRadio()
{
    prepareTransfer(true);
}

void FormView::OnVerifyWithRadio()
{
    prepareTransfer(false);
    if (IsTransferRunning() || !m_pProgressDlg)
        return;
    m_pProgressDlg->m_bVerifyOnly = true;
    m_pProgressDlg->m_strTitle = kVerifyTitle;
    m_pProgressDlg->setWindowTitle(kVerifyTitle);
}

void FormView::prepareTransfer(bool write)
{
    // A running transfer keeps its direction: a write must not turn into a read of the radio
    // over the document.
    if (IsTransferRunning())
        return;
    CommitPendingEdit();
    m_bWrite = write;
    if (!m_pProgressDlg)
        m_pProgressDlg = new ProgressDialog(this);
    m_pProgressDlg->m_strTitle = write ? kWriteTitle : kReadTitle;
    m_pProgressDlg->m_bVerifyOnly = false;
    m_pProgressDlg->ShowVerifyOption(write);
    if (m_pProgressDlg->HasWindow()) {
        // The dialog is open and not started: it now stands for the new command.
        m_pProgressDlg->setWindowTitle(m_pProgressDlg->m_strTitle);
        m_pProgressDlg->raise();
        m_pProgressDlg->activateWindow();
        return;
    }
    m_pProgressDlg->Create();
}

void FormView::OnStartTransfer()
{
    ProgressDialog* dialog = m_pProgressDlg;
    if (!dialog || !dialog->HasWindow() || IsTransferRunning())
        return;
    if (dialog->m_bCancel) {
        // Cancel came between Start and this call: nothing has been opened.
        dialog->DestroyWindow();
        return;
    }

    // An edit begun after the command, while the dialog waited for Start, belongs to the
    // transfer as well: a write sends it, a read must not have it committed over its data later.
    CommitPendingEdit();
    Document* doc = GetDocument();
    const bool verifyOnly = !m_bWrite && dialog->m_bVerifyOnly;
    const bool readBack = m_bWrite && dialog->IsVerifyAfterWriting();
    // A read replaces the document: its unsaved changes are asked about first, as for New; a
    // write names the channels that contradict the band.
    if (m_bWrite ? !ConfirmOutOfBandChannels(window(), *doc)
                 : !verifyOnly && !doc->SaveModified()) {
        dialog->DestroyWindow();
        return;
    }
    // A write sends the document; a verify and a write's read-back compare the radio with it.
    const orvo::RadioImage source = doc->image();

    const QPointer<QWidget> focusBefore = window()->focusWidget();
    m_hComm = orvo::makeSerialLine();
    // The window stays live while a read waits for the radio, silent ones included.
    m_hComm->setWaitCallback(TransferEventPump::whileWaiting, TransferEventPump::kWaitTurnMs);
    transferStateChanged();

    TransferHost host(*this, *dialog, m_bWrite);
    orvo::CloneSession session(*m_hComm, host, source);
    session.setReadBackAfterWrite(readBack);
    const orvo::CloneResult result = session.run(m_strPort.toStdString());

    m_hComm.reset();
    dialog->DestroyWindow();
    const bool completed = result.outcome == orvo::CloneOutcome::Completed;
    const bool read = completed && result.direction == orvo::CloneDirection::Read;
    if (read && !verifyOnly) {
        doc->applyImage(session.receivedImage(), tr("Read from radio"));
        // The radio's data is not the file's: Save asks for a name, and until then the document
        // holds unsaved data, also after the read is undone (it has no file to be back at).
        doc->DetachFromFile();
        doc->setModified(true);
    }
    transferStateChanged();
    if (focusBefore && focusBefore->isVisible() && focusBefore->isEnabled())
        focusBefore->setFocus();

    // What a verify found, once the window is live again.
    if (completed && result.direction == orvo::CloneDirection::Write && readBack) {
        const auto differences = orvo::compareImages(source, session.receivedImage());
        if (differences.empty()) {
            AppMessageBox(window(),
                          QStringLiteral("Written and verified: the radio holds what "
                                         "was written."),
                          QString(), QMessageBox::Information);
        } else {
            AppMessageBox(window(), QString::fromStdString(orvo::verifyFailureText(differences)));
        }
    } else if (read && verifyOnly) {
        VerifyDialog verify(orvo::compareImages(source, session.receivedImage()), window());
        AppExecDialog(verify);
    }

    if (m_bCloseAfterTransfer) {
        m_bCloseAfterTransfer = false;
        QWidget* frame = window();
        QMetaObject::invokeMethod(
            frame, [frame] { frame->close(); }, Qt::QueuedConnection);
    }
}

void FormView::transferStateChanged()
{
    // The form is not for editing while the radio is read into it or written from it.
    if (widget())
        widget()->setEnabled(!IsTransferRunning());
    emit commandStateChanged();
}

bool FormView::QueryCloseDuringTransfer()
{
    if (!IsTransferRunning())
        return true;
    const auto answer = AppMessageBox(
        window(),
        QStringLiteral("A transfer with the radio is running.\n"
                       "Cancel it and close the program when it has stopped?"),
        QString(), QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes && m_pProgressDlg) {
        m_pProgressDlg->m_bCancel = true;
        m_bCloseAfterTransfer = true;
    }
    return false;
}

void FormView::OnUpdateTransferCommand(QAction* action) const
{
    if (action)
        action->setEnabled(!IsTransferRunning());
}
