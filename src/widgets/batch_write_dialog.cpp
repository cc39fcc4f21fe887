#include "widgets/batch_write_dialog.h"

#include "core/formats/atomic_file.h"
#include "document/message_text.h"
#include "widgets/file_dialog.h"
#include "widgets/message_box.h"

#include "ui_batch_write_dialog.h"

#include <QFile>
#include <QHeaderView>

#include <map>

namespace {

// The log's last column: the differences a verify found, or why the radio failed.
constexpr int kReasonColumn = 4;

} // namespace

BatchWriteDialog::BatchWriteDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::BatchWriteDialog>())
{
    m_ui->setupUi(this);
    // The reason column takes the width the others leave.
    m_ui->lstLog->header()->setStretchLastSection(true);
    fitLogColumns();
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

void BatchWriteDialog::addResult(const orvo::RadioLogEntry& entry, bool completed)
{
    m_log.push_back(entry);
    // A failed write ends with the bar near its end; only a completed one may look complete.
    m_ui->progressBar->setValue(completed ? m_ui->progressBar->maximum() : 0);
    const QString detail =
        entry.differences.empty()
            ? translatedText(entry.reason, QStringLiteral(" ")).replace(u'\n', u' ')
            : translatedText(entry.differences, QStringLiteral("; "));
    auto* item = new QTreeWidgetItem(
        m_ui->lstLog, {QString::fromStdString(entry.time), QString::fromStdString(entry.port),
                       QString::number(entry.radio),
                       translatedText(orvo::radioResultMessage(entry.result)), detail});
    item->setToolTip(kReasonColumn, detail); // the whole of what the column may cut
    fitLogColumns();
    m_ui->lstLog->scrollToBottom();
    if (!m_logPath.isEmpty())
        writeLog();
}

void BatchWriteDialog::fitLogColumns()
{
    for (int column = 0; column < kReasonColumn; ++column)
        m_ui->lstLog->resizeColumnToContents(column);
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
        if (results[RadioResult::WrittenNotVerified] > 0) {
            counts += tr(", %1 written, not verified")
                          .arg(results[RadioResult::WrittenNotVerified]);
        }
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
