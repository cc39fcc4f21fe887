#include "app/transfer_controller.h"

#include "core/link/verify.h"
#include "document/document.h"
#include "document/message_text.h"
#include "serial/radio_worker.h"
#include "widgets/batch_write_dialog.h"
#include "widgets/form_view.h"
#include "widgets/grid/channel_table.h"
#include "widgets/message_box.h"
#include "widgets/modal_dialog.h"
#include "widgets/out_of_band_prompt.h"
#include "widgets/progress_dialog.h"
#include "widgets/verify_dialog.h"

#include <QMetaObject>

TransferController::TransferController(FormView* view, PortSource port, QObject* parent)
    : QObject(parent), m_view(view), m_port(std::move(port)), m_link(new orvo::RadioLink(this))
{
    connect(m_link, &orvo::RadioLink::statusChanged, this, &TransferController::showStatus);
    connect(m_link, &orvo::RadioLink::progressChanged, this, &TransferController::showPosition);
    connect(m_link, &orvo::RadioLink::messageAsked, this, &TransferController::askUser);
    connect(m_link, &orvo::RadioLink::cloneFinished, this, [this](const orvo::CloneReport& report) {
        const Job job = m_job;
        m_job = Job::None;
        if (job == Job::Batch)
            finishBatchRadio(report);
        else
            finish(report);
    });
}

TransferController::~TransferController() = default;

QWidget* TransferController::window() const
{
    return m_view->window();
}

bool TransferController::isRunning() const
{
    return m_link->isBusy();
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
    m_view->commitPendingEdit();
    m_kind = kind;
    if (!m_dialog) {
        m_dialog = new ProgressDialog(window());
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
    m_dialog->showReady(m_view->grid());
}

void TransferController::cancel()
{
    m_cancelled = true;
    if (m_job == Job::Single) {
        m_link->cancel(); // the transfer sees it at its next waiting cycle and ends
        return;
    }
    // Not started, or Cancel came between Start and the transfer: nothing has been opened.
    m_dialog->dismiss();
}

void TransferController::start()
{
    if (!m_dialog->isVisible() || isRunning())
        return;
    if (m_cancelled) {
        m_dialog->dismiss();
        return;
    }
    // An edit begun after the command, while the dialog waited for Start, belongs to the
    // transfer as well: a write sends it, a read must not have it committed over its data later.
    m_view->commitPendingEdit();
    Document* doc = m_view->document();
    const bool write = m_kind == Kind::Write;
    // A read replaces the document: its unsaved changes are asked about first, as for New; a
    // write names the channels that contradict the band.
    if (write ? !confirmOutOfBandChannels(window(), *doc)
              : m_kind == Kind::Read && !doc->saveModified()) {
        m_dialog->dismiss();
        return;
    }
    // A write sends the document; a verify and a write's read-back compare the radio with it.
    m_source = doc->image();
    m_readBack = write && m_dialog->verifyAfterWriting();
    m_focusBefore = window()->focusWidget();
    m_job = Job::Single;
    m_link->startClone({m_port().toStdString(),
                        write ? orvo::CloneDirection::Write : orvo::CloneDirection::Read, m_source,
                        m_readBack});
    setRunning(true);
}

void TransferController::setRunning(bool running)
{
    // The form is not for editing while the radio is read into it or written from it.
    if (QWidget* form = m_view->widget())
        form->setEnabled(!running);
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
    QWidget* parent = window();
    if (m_job == Job::Batch && m_batch)
        parent = m_batch;
    else if (m_job == Job::Single && m_dialog->isVisible())
        parent = m_dialog;
    if (retryCancel) {
        const auto pressed =
            messageBox(parent, translatedText(message), QString(), QMessageBox::NoIcon,
                       QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry);
        m_link->answer(pressed == QMessageBox::Retry);
        return;
    }
    messageBox(parent, translatedText(message), QString(), QMessageBox::Warning, QMessageBox::Ok);
    m_link->answer(false);
}

void TransferController::finish(const orvo::CloneReport& report)
{
    m_dialog->dismiss();
    const orvo::CloneResult& result = report.result;
    const bool completed = result.outcome == orvo::CloneOutcome::Completed && !m_cancelled;
    const bool read = completed && result.direction == orvo::CloneDirection::Read;
    Document* doc = m_view->document();
    if (read && m_kind == Kind::Read) {
        doc->applyImage(report.received, tr("Read from radio"));
        // The radio's data is not the file's: Save asks for a name, and until then the document
        // holds unsaved data, also after the read is undone (it has no file to be back at).
        doc->detachFromFile();
        doc->setModified(true);
    }
    setRunning(false);
    if (m_focusBefore && m_focusBefore->isVisible() && m_focusBefore->isEnabled())
        m_focusBefore->setFocus();

    // A failed write has said so through the session; a cancelled one says it here.
    if (result.outcome == orvo::CloneOutcome::Cancelled && orvo::leftPartlyWritten(result))
        messageBox(window(), translatedText(orvo::MessageKind::PartialWrite));

    // What a verify found, once the window is live again.
    if (completed && result.direction == orvo::CloneDirection::Write && m_readBack) {
        const auto differences = orvo::compareImages(m_source, report.received);
        if (differences.empty()) {
            messageBox(window(), tr("Written and verified: the radio holds what was written."),
                       QString(), QMessageBox::Information);
        } else {
            messageBox(window(), translatedText(orvo::verifyFailureMessage(differences)));
        }
    } else if (read && m_kind == Kind::Verify) {
        VerifyDialog verify(m_source, report.received, window());
        execDialog(verify);
    }

    if (m_closeAfter) {
        m_closeAfter = false;
        QWidget* frame = window();
        QMetaObject::invokeMethod(
            frame, [frame] { frame->close(); }, Qt::QueuedConnection);
    }
}

bool TransferController::queryClose()
{
    if (!isRunning())
        return true;
    const auto answer = messageBox(window(),
                                   tr("A transfer with the radio is running.\n"
                                      "Cancel it and close the program when it has stopped?"),
                                   QString(), QMessageBox::Question,
                                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes) {
        m_closeAfter = true;
        if (m_job == Job::Single)
            cancel();
        else
            m_link->cancel();
    }
    return false;
}

void TransferController::writeToSeveralRadios()
{
    if (isRunning())
        return;
    m_view->commitPendingEdit();
    const Document& doc = *m_view->document();
    if (!confirmOutOfBandChannels(window(), doc))
        return;
    m_source = doc.image();
    BatchWriteDialog dialog(window());
    m_batch = &dialog;
    connect(&dialog, &BatchWriteDialog::startRequested, this, &TransferController::startBatchRadio);
    connect(&dialog, &BatchWriteDialog::cancelRequested, m_link, &orvo::RadioLink::cancel);
    execDialog(dialog);
    // A radio still being written when the dialog went ends unseen.
    m_link->cancel();
    m_batch = nullptr;
}

void TransferController::startBatchRadio()
{
    if (isRunning())
        return;
    m_batchPort = m_port().toStdString();
    m_job = Job::Batch;
    m_link->startClone({m_batchPort, orvo::CloneDirection::Write, m_source, true});
}

void TransferController::finishBatchRadio(const orvo::CloneReport& report)
{
    if (!m_batch)
        return;
    orvo::VerifiedWrite write{report.result, {}};
    if (report.result.readBack)
        write.differences = orvo::compareImages(m_source, report.received);
    m_batch->addResult(orvo::makeLogEntry(m_batch->nextRadio(), m_batchPort, write));
    if (write.transfer.outcome == orvo::CloneOutcome::Completed && !write.succeeded())
        messageBox(m_batch, translatedText(orvo::verifyFailureMessage(write.differences)));
    m_batch->askForNextRadio();
}
