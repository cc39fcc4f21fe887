#include "widgets/batch_write_dialog.h"

#include "core/image/atomic_file.h"
#include "widgets/file_dialog.h"
#include "widgets/message_box.h"

#include "ui_batch_write_dialog.h"

BatchWriteDialog::BatchWriteDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::BatchWriteDialog>())
{
    m_ui->setupUi(this);
    connect(m_ui->btnStart, &QPushButton::clicked, this, &BatchWriteDialog::start);
    connect(m_ui->btnCancel, &QPushButton::clicked, this, &BatchWriteDialog::reject);
    connect(m_ui->btnSaveLog, &QPushButton::clicked, this, &BatchWriteDialog::saveLog);
    askForNextRadio();
}

BatchWriteDialog::~BatchWriteDialog() = default;

int BatchWriteDialog::nextRadio() const
{
    return static_cast<int>(m_log.size()) + 1;
}

void BatchWriteDialog::setStatusText(const QString& text)
{
    m_ui->lblStatus->setText(text);
}

void BatchWriteDialog::setPosition(int position)
{
    m_ui->progressBar->setValue(position);
}

void BatchWriteDialog::start()
{
    if (m_running)
        return;
    m_running = true;
    m_ui->btnStart->setEnabled(false);
    m_ui->btnSaveLog->setEnabled(false);
    m_ui->progressBar->setValue(0);
    emit startRequested();
}

void BatchWriteDialog::addResult(const orvo::RadioLogEntry& entry, bool verified)
{
    m_log.push_back(entry);
    m_written += verified ? 1 : 0;
    new QTreeWidgetItem(m_ui->lstLog,
                        {QString::fromStdString(entry.time), QString::fromStdString(entry.port),
                         QString::number(entry.radio), QString::fromStdString(entry.result),
                         QString::fromStdString(entry.differences)});
    m_ui->lstLog->scrollToBottom();
}

void BatchWriteDialog::askForNextRadio()
{
    m_running = false;
    QString text = tr("Connect radio %1 and press Start.").arg(nextRadio());
    if (!m_log.empty()) {
        const orvo::RadioLogEntry& last = m_log.back();
        text.prepend(tr("Radio %1: %2.").arg(last.radio).arg(QString::fromStdString(last.result)) +
                     QLatin1Char('\n'));
    }
    m_ui->lblInstruction->setText(text);
    m_ui->lblCount->setText(tr("Radios written: %1").arg(m_written));
    m_ui->btnSaveLog->setEnabled(!m_log.empty());
    m_ui->btnStart->setEnabled(true);
    m_ui->btnStart->setFocus();
}

void BatchWriteDialog::saveLog()
{
    const QString path =
        AppGetSaveFileName(this, tr("Save Log"), QStringLiteral("radios.csv"),
                           tr("CSV Files (*.csv);;All Files (*)"), QStringLiteral("csv"));
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
        emit cancelRequested(); // the transfer sees it at its next waiting cycle
        return;
    }
    QDialog::reject();
}
