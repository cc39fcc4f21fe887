#pragma once
// BatchWriteDialog: Program > Write To Several Radios. Start (or Enter) asks for the connected
// radio to be written and verified; the dialog shows that transfer's progress and then asks for
// the next radio. It counts the radios by their result and keeps a log (time, port, radio number,
// result, differences, reason) that Save Log writes as CSV; once a log file is chosen, it is
// saved again as each radio finishes. Cancel stops the radio being written; between radios the
// button reads Close (after the first radio) and closes the dialog. A view: the transfer
// controller runs each radio.

#include "core/link/verify.h"

#include <QDialog>
#include <QString>

#include <memory>
#include <vector>

namespace Ui {
class BatchWriteDialog;
}

class BatchWriteDialog : public QDialog
{
    Q_OBJECT

public:
    explicit BatchWriteDialog(QWidget* parent);
    ~BatchWriteDialog() override;

    // The number of the radio that Start writes: 1 for the first of the run.
    int nextRadio() const;

    // The transfer's status line (the progress counts are the bar's, not shown as text) and
    // progress (0..128).
    void setStatusText(const QString& text);
    void setPosition(int position);
    // Logs a radio's end: the bar fills when its transfer `completed` and is emptied when not,
    // the row and the counts show it, and the chosen log file is saved again.
    void addResult(const orvo::RadioLogEntry& entry, bool completed);
    // Names the last radio's result and asks for the next radio; Start is enabled again.
    void askForNextRadio();

    // While a radio is written: asks for it to be cancelled. Otherwise closes the dialog.
    void reject() override;

signals:
    // Start while no radio is being written.
    void startRequested();
    void cancelRequested();

private:
    void start();
    void saveLog();
    // Writes the log to m_logPath; on failure says so and forgets the path.
    bool writeLog();
    // Makes every column but the last as wide as its heading and its widest entry.
    void fitLogColumns();

    std::unique_ptr<Ui::BatchWriteDialog> m_ui;
    std::vector<orvo::RadioLogEntry> m_log;
    QString m_logPath;
    bool m_running = false;
};
