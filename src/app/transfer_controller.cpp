#include "app/transfer_controller.h"

#include "app/radio_prompt.h"
#include "core/link/verify.h"
#include "document/document.h"
#include "document/message_text.h"
#include "widgets/batch_write_dialog.h"
#include "widgets/message_box.h"
#include "widgets/modal_dialog.h"
#include "widgets/out_of_band_prompt.h"
#include "widgets/pending_edit.h"
#include "widgets/progress_dialog.h"
#include "widgets/verify_dialog.h"

#include <QMetaObject>

TransferController::TransferController(Document& doc, Settings& settings, PendingEdit& edit,
                                       orvo::RadioLink& link, PortSource port,
                                       SavePrompt maySaveChanges, QWidget* parent, QObject* owner)
    : QObject(owner), m_document(doc), m_settings(settings), m_edit(edit), m_link(link),
      m_port(std::move(port)), m_maySaveChanges(std::move(maySaveChanges)), m_parent(parent)
{
    connect(&m_link, &orvo::RadioLink::statusChanged, this, &TransferController::showStatus);
    connect(&m_link, &orvo::RadioLink::progressChanged, this, &TransferController::showPosition);
    connect(&m_link, &orvo::RadioLink::messageAsked, this, &TransferController::askUser);
    connect(&m_link, &orvo::RadioLink::cloneFinished, this,
            [this](const orvo::CloneReport& report) {
                const Job job = m_job;
                m_job = Job::None;
                if (job == Job::Batch)
                    finishBatchRadio(report);
                else
                    finish(report);
            });
}

TransferController::~TransferController() = default;

bool TransferController::isRunning() const
{
    return m_job != Job::None;
}

void TransferController::read()
{
    prepare(Kind::Read);
}

void TransferController::write()
{
    prepare(Kind::Write);
}

void TransferController::verify()
{
    prepare(Kind::Verify);
}

void TransferController::prepare(Kind kind)
{
    // A running transfer keeps what it does: a write must not turn into a read of the radio over
    // the document.
    if (isRunning())
        return;
    m_edit.commitPendingEdit();
    m_kind = kind;
    if (!m_dialog) {
        m_dialog = new ProgressDialog(m_settings, m_parent);
        connect(m_dialog, &ProgressDialog::startRequested, this, [this] {
            // The transfer starts from the event loop, as a posted message would, not inside
            // the click.
            QMetaObject::invokeMethod(this, &TransferController::start, Qt::QueuedConnection);
        });
        connect(m_dialog, &ProgressDialog::cancelRequested, this, &TransferController::cancel);
    }
    const QString title = kind == Kind::Read    ? tr("Reading Data Progress")
                          : kind == Kind::Write ? tr("Writing Data Progress")
                                                : tr("Verify With Radio");
    m_dialog->setCommand(title, kind == Kind::Write);
    if (m_dialog->isVisible()) {
        // The dialog is open and not started: it now stands for the new command.
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    m_cancelled = false;
    m_dialog->showReady(m_parent);
}

void TransferController::cancel()
{
    m_cancelled = true;
    if (m_job == Job::Single) {
        m_link.cancel(); // the transfer sees it at its next waiting cycle and ends
        return;
    }
    // Not started, or Cancel came between Start and the transfer: nothing has been opened.
    m_dialog->dismiss();
}

void TransferController::start()
{
    if (!m_dialog->isVisible() || isRunning() || m_link.isBusy())
        return;
    if (m_cancelled) {
        m_dialog->dismiss();
        return;
    }
    // An edit begun after the command, while the dialog waited for Start, belongs to the
    // transfer as well: a write sends it, a read must not have it committed over its data later.
    m_edit.commitPendingEdit();
    const bool write = m_kind == Kind::Write;
    // A read replaces the document: its unsaved changes are asked about first, as for New; a
    // write names the channels that contradict the band.
    if (write ? !confirmOutOfBandChannels(m_parent, m_document, OutOfBandUse::Write)
              : m_kind == Kind::Read && m_maySaveChanges && !m_maySaveChanges()) {
        m_dialog->dismiss();
        return;
    }
    // A write sends the document; a verify and a write's read-back compare the radio with it.
    m_source = m_document.image();
    m_readBack = write && m_dialog->verifyAfterWriting();
    m_focusBefore = m_parent ? m_parent->window()->focusWidget() : nullptr;
    const orvo::RadioPort port = m_port();
    m_job = Job::Single;
    ++m_jobsStarted;
    m_link.startClone({port.name, write ? orvo::CloneDirection::Write : orvo::CloneDirection::Read,
                       m_source, m_readBack, port.device});
    setRunning(true);
}

void TransferController::setRunning(bool running)
{
    emit runningChanged(running);
}

void TransferController::showStatus(const orvo::Message& status)
{
    // The batch dialog's bar counts the blocks; its status line keeps the words.
    if (m_job == Job::Batch && m_batch) {
        if (status.kind != orvo::MessageKind::BlockPosition)
            m_batch->setStatusText(translatedText(status));
    } else if (m_job == Job::Single && !m_cancelled) {
        m_dialog->setStatusText(translatedText(status));
    }
}

void TransferController::showPosition(int position)
{
    if (m_job == Job::Batch && m_batch)
        m_batch->setPosition(position);
    else if (m_job == Job::Single && !m_cancelled)
        m_dialog->setPosition(position);
}

void TransferController::askUser(const orvo::Message& message, bool retryCancel)
{
    // The test mode's questions come on the same link; it answers them itself.
    if (m_job == Job::None)
        return;
    QWidget* parent = m_parent;
    if (m_job == Job::Batch && m_batch)
        parent = m_batch;
    else if (m_job == Job::Single && m_dialog->isVisible())
        parent = m_dialog;
    answerRadioQuestion(m_link, parent, translatedText(message), retryCancel, {});
}

void TransferController::finish(const orvo::CloneReport& report)
{
    m_dialog->dismiss();
    const orvo::CloneResult& result = report.result;
    const bool completed = result.outcome == orvo::CloneOutcome::Completed && !m_cancelled;
    const bool read = completed && result.direction == orvo::CloneDirection::Read;
    if (read && m_kind == Kind::Read)
        m_document.replaceWithRadioImage(report.received, tr("Read from radio"));
    setRunning(false);
    if (m_focusBefore && m_focusBefore->isVisible() && m_focusBefore->isEnabled())
        m_focusBefore->setFocus();

    // A failed write has said so through the session; a cancelled one says it here.
    if (result.outcome == orvo::CloneOutcome::Cancelled && orvo::leftPartlyWritten(result))
        messageBox(m_parent, translatedText(orvo::MessageKind::PartialWrite));
    else if (result.outcome == orvo::CloneOutcome::Cancelled && result.writtenNotVerified)
        messageBox(m_parent, translatedText(orvo::MessageKind::ReadBackCancelled));

    // What a verify found, once the window is live again.
    if (completed && result.direction == orvo::CloneDirection::Write && m_readBack) {
        const auto differences = orvo::compareImages(m_source, report.received);
        if (differences.empty()) {
            messageBox(m_parent, tr("Written and verified: the radio holds what was written."),
                       QString(), QMessageBox::Information);
        } else {
            messageBox(m_parent, translatedText(orvo::verifyFailureMessage(differences)));
        }
    } else if (read && m_kind == Kind::Verify) {
        VerifyDialog verify(m_source, report.received, m_parent);
        execDialog(verify);
    }

    endCloseRequest();
}

void TransferController::endCloseRequest()
{
    if (!m_closeAfter)
        return;
    m_closeAfter = false;
    QMetaObject::invokeMethod(this, &TransferController::closeRequested, Qt::QueuedConnection);
}

bool TransferController::queryClose()
{
    if (!isRunning())
        return true;
    const int asked = m_jobsStarted;
    const auto answer = messageBox(m_parent,
                                   tr("A transfer with the radio is running.\n"
                                      "Cancel it and close the program when it has stopped?"),
                                   QString(), QMessageBox::Question,
                                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return false;
    // The transfer asked about ended while the question was open: nothing is left to wait for.
    if (!isRunning() || m_jobsStarted != asked)
        return true;
    m_closeAfter = true;
    if (m_job == Job::Single)
        cancel();
    else
        m_link.cancel();
    return false;
}

void TransferController::writeToSeveralRadios()
{
    if (isRunning())
        return;
    m_edit.commitPendingEdit();
    if (!confirmOutOfBandChannels(m_parent, m_document, OutOfBandUse::Write))
        return;
    m_source = m_document.image();
    BatchWriteDialog dialog(m_parent);
    m_batch = &dialog;
    connect(&dialog, &BatchWriteDialog::startRequested, this, &TransferController::startBatchRadio);
    connect(&dialog, &BatchWriteDialog::cancelRequested, &m_link, &orvo::RadioLink::cancel);
    execDialog(dialog);
    // A radio still being written when the dialog went ends unseen.
    if (m_job == Job::Batch)
        m_link.cancel();
    m_batch = nullptr;
}

void TransferController::startBatchRadio()
{
    if (isRunning() || m_link.isBusy())
        return;
    const orvo::RadioPort port = m_port();
    m_batchPort = port.name;
    m_job = Job::Batch;
    ++m_jobsStarted;
    m_link.startClone({m_batchPort, orvo::CloneDirection::Write, m_source, true, port.device});
}

void TransferController::finishBatchRadio(const orvo::CloneReport& report)
{
    if (m_closeAfter) {
        // The user asked to close: the batch ends with this radio, unseen.
        if (m_batch)
            m_batch->done(QDialog::Rejected);
        endCloseRequest();
        return;
    }
    if (!m_batch)
        return;
    orvo::VerifiedWrite write{report.result, {}};
    if (report.result.readBack)
        write.differences = orvo::compareImages(m_source, report.received);
    m_batch->addResult(orvo::makeLogEntry(m_batch->nextRadio(), m_batchPort, write),
                       write.transfer.outcome == orvo::CloneOutcome::Completed);
    if (write.transfer.outcome == orvo::CloneOutcome::Completed && !write.succeeded())
        messageBox(m_batch, translatedText(orvo::verifyFailureMessage(write.differences)));
    m_batch->askForNextRadio();
}
