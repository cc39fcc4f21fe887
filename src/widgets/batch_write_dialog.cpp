#include "widgets/batch_write_dialog.h"

#include "core/image/atomic_file.h"
#include "document/document.h"
#include "serial/qt_serial_line.h"
#include "serial/transfer_event_pump.h"
#include "widgets/file_dialog.h"
#include "widgets/form_view.h"
#include "widgets/message_box.h"
#include "widgets/modal_dialog.h"

#include "ui_batch_write_dialog.h"

namespace {

// One radio's transfer as the dialog shows it; Cancel is looked at in every waiting cycle.
class BatchHost final : public orvo::CloneHost
{
public:
    BatchHost(QDialog& dialog, Ui::BatchWriteDialog& ui, const bool& cancel)
        : m_dialog(dialog), m_ui(ui), m_cancel(cancel)
    {
    }

    void showStatus(const std::string& text) override
    {
        m_ui.lblStatus->setText(QString::fromStdString(text));
    }

    void showProgress(int position, int) override { m_ui.progressBar->setValue(position); }

    Cycle waitingCycle() override
    {
        m_events.cycle();
        return m_cancel ? Cycle::Cancel : Cycle::Continue;
    }

    Answer showMessage(const std::string& text, Buttons buttons) override
    {
        const QString message = QString::fromStdString(text);
        if (buttons == Buttons::RetryCancel) {
            return AppMessageBox(&m_dialog, message, QString(), QMessageBox::NoIcon,
                                 QMessageBox::Retry | QMessageBox::Cancel,
                                 QMessageBox::Retry) == QMessageBox::Retry
                       ? Answer::Retry
                       : Answer::Cancel;
        }
        AppMessageBox(&m_dialog, message);
        return Answer::Ok;
    }

    orvo::CloneDirection direction() override { return orvo::CloneDirection::Write; }

private:
    QDialog& m_dialog;
    Ui::BatchWriteDialog& m_ui;
    const bool& m_cancel;
    TransferEventPump m_events;
};

} // namespace

BatchWriteDialog::BatchWriteDialog(FormView* view, const orvo::RadioImage& image)
    : QDialog(view ? view->window() : nullptr), m_view(view), m_image(image),
      m_ui(std::make_unique<Ui::BatchWriteDialog>())
{
    m_ui->setupUi(this);
    connect(m_ui->btnStart, &QPushButton::clicked, this, &BatchWriteDialog::onStart);
    connect(m_ui->btnCancel, &QPushButton::clicked, this, &BatchWriteDialog::reject);
    connect(m_ui->btnSaveLog, &QPushButton::clicked, this, &BatchWriteDialog::onSaveLog);
    showNextRadio(QString());
}

BatchWriteDialog::~BatchWriteDialog() = default;

void BatchWriteDialog::showNextRadio(const QString& lastResult)
{
    const int next = static_cast<int>(m_log.size()) + 1;
    const QString ask = QStringLiteral("Connect radio %1 and press Start.").arg(next);
    m_ui->lblInstruction->setText(lastResult.isEmpty() ? ask
                                                       : lastResult + QLatin1Char('\n') + ask);
    m_ui->lblCount->setText(QStringLiteral("Radios written: %1").arg(m_written));
    m_ui->btnSaveLog->setEnabled(!m_log.empty());
    m_ui->btnStart->setEnabled(true);
    m_ui->btnStart->setFocus();
}

void BatchWriteDialog::onStart()
{
    if (m_running || !m_view)
        return;
    m_running = true;
    m_cancel = false;
    m_ui->btnStart->setEnabled(false);
    m_ui->btnSaveLog->setEnabled(false);
    m_ui->progressBar->setValue(0);
    const int radio = static_cast<int>(m_log.size()) + 1;
    const std::string port = m_view->port().toStdString();

    const auto line = orvo::makeSerialLine();
    line->setWaitCallback(TransferEventPump::whileWaiting, TransferEventPump::kWaitTurnMs);
    BatchHost host(*this, *m_ui, m_cancel);
    const orvo::VerifiedWrite write = orvo::writeAndVerify(*line, host, m_image, port);
    m_running = false;

    m_log.push_back(orvo::makeLogEntry(radio, port, write));
    const orvo::RadioLogEntry& e = m_log.back();
    m_written += write.succeeded() ? 1 : 0;
    new QTreeWidgetItem(m_ui->lstLog,
                        {QString::fromStdString(e.time), QString::fromStdString(e.port),
                         QString::number(e.radio), QString::fromStdString(e.result),
                         QString::fromStdString(e.differences)});
    m_ui->lstLog->scrollToBottom();
    if (write.transfer.outcome == orvo::CloneOutcome::Completed && !write.succeeded())
        AppMessageBox(this, QString::fromStdString(orvo::verifyFailureText(write.differences)));
    showNextRadio(QStringLiteral("Radio %1: %2.").arg(radio).arg(QString::fromStdString(e.result)));
}

void BatchWriteDialog::onSaveLog()
{
    const QString path = AppGetSaveFileName(
        this, QStringLiteral("Save Log"), QStringLiteral("radios.csv"),
        QStringLiteral("CSV Files (*.csv);;All Files (*)"), QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    const orvo::FileResult saved =
        orvo::writeFileAtomically(path.toStdString(), orvo::radioLogCsv(m_log));
    if (!saved.ok)
        AppMessageBox(this, QString::fromStdString(saved.error));
}

void BatchWriteDialog::reject()
{
    if (m_running) {
        m_cancel = true; // the transfer sees it at its next waiting cycle
        return;
    }
    QDialog::reject();
}

void FormView::OnWriteToSeveralRadios()
{
    if (IsTransferRunning())
        return;
    CommitPendingEdit();
    if (!ConfirmOutOfBandChannels(window(), *GetDocument()))
        return;
    BatchWriteDialog dialog(this, GetDocument()->image());
    AppExecDialog(dialog);
}
