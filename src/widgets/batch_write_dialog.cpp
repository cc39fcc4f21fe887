#include "widgets/batch_write_dialog.h"

#include "core/formats/atomic_file.h"
#include "document/message_text.h"
#include "widgets/file_dialog.h"
#include "widgets/message_box.h"

#include "ui_batch_write_dialog.h"

#include <QFile>

#include <map>

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
    m_ui->btnCancel->setText(tr("Cancel"));
    m_ui->progressBar->setValue(0);
    m_ui->lblStatus->clear();
    emit startRequested();
}

void BatchWriteDialog::addResult(const orvo::RadioLogEntry& entry)
{
    m_log.push_back(entry);
    m_ui->progressBar->setValue(m_ui->progressBar->maximum());
    const QString detail =
        entry.differences.empty()
            ? translatedText(entry.reason, QStringLiteral(" ")).replace(u'\n', u' ')
            : translatedText(entry.differences, QStringLiteral("; "));
    new QTreeWidgetItem(m_ui->lstLog,
                        {QString::fromStdString(entry.time), QString::fromStdString(entry.port),
                         QString::number(entry.radio),
                         translatedText(orvo::radioResultMessage(entry.result)), detail});
    m_ui->lstLog->scrollToBottom();
    if (!m_logPath.isEmpty())
        writeLog();
}

void BatchWriteDialog::askForNextRadio()
{
    m_running = false;
    QString text = tr("Connect radio %1 and press Start.").arg(nextRadio());
    using orvo::RadioResult;
    std::map<RadioResult, int> results;
    for (const orvo::RadioLogEntry& entry : m_log)
        ++results[entry.result == RadioResult::NotOpened ? RadioResult::Failed : entry.result];
    if (!m_log.empty()) {
        const orvo::RadioLogEntry& last = m_log.back();
        text.prepend(tr("Radio %1: %2.")
                         .arg(last.radio)
                         .arg(translatedText(orvo::radioResultMessage(last.result))) +
                     QLatin1Char('\n'));
        QString counts =
            (m_log.size() == 1
                 ? tr("1 radio: %2 verified, %3 different, %4 failed")
                 : tr("%1 radios: %2 verified, %3 different, %4 failed").arg(m_log.size()))
                .arg(results[RadioResult::Verified])
                .arg(results[RadioResult::Different])
                .arg(results[RadioResult::Failed]);
        if (results[RadioResult::Cancelled] > 0)
            counts += tr(", %1 cancelled").arg(results[RadioResult::Cancelled]);
        m_ui->lblCount->setText(counts);
        m_ui->btnCancel->setText(tr("Close"));
    }
    m_ui->lblInstruction->setText(text);
    m_ui->lblStatus->clear();
    m_ui->lblCount->setVisible(!m_log.empty());
    m_ui->btnSaveLog->setEnabled(true);
    m_ui->btnStart->setEnabled(true);
    m_ui->btnStart->setFocus();
}

void BatchWriteDialog::saveLog()
{
    const QString path =
        getSaveFileName(this, tr("Save Log"), QStringLiteral("radios.csv"),
                        tr("CSV Files (*.csv);;All Files (*)"), QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    m_logPath = path;
    writeLog();
}

bool BatchWriteDialog::writeLog()
{
    const orvo::FileResult saved = orvo::writeFileAtomically(
        QFile::encodeName(m_logPath).toStdString(), orvo::radioLogCsv(m_log));
    if (saved.ok)
        return true;
    m_logPath.clear();
    messageBox(this, translatedText(saved.error) + QLatin1Char('\n') +
                         tr("The log is no longer saved as each radio finishes; choose Save "
                            "Log again."));
    return false;
}

void BatchWriteDialog::reject()
{
    if (m_running) {
        emit cancelRequested(); // the transfer sees it at its next waiting cycle
        return;
    }
    QDialog::reject();
}
