#pragma once
// BatchWriteDialog: Program > Write To Several Radios. Start (or Enter) asks for the connected
// radio to be written and verified; the dialog shows that transfer's progress and then asks for
// the next radio. It counts the radios written and verified and keeps a log (time, port, radio
// number, result, differences) that Save Log writes as CSV. Cancel stops the radio being
// written, or closes the dialog between radios. A view: the transfer controller runs each radio.

#include "core/link/verify.h"

#include <QDialog>

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

    // The transfer's status line and progress (0..128).
    void setStatusText(const QString& text);
    void setPosition(int position);
    // Logs a radio's end, counted when `verified`.
    void addResult(const orvo::RadioLogEntry& entry, bool verified);
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

    std::unique_ptr<Ui::BatchWriteDialog> m_ui;
    std::vector<orvo::RadioLogEntry> m_log;
    int m_written = 0;
    bool m_running = false;
};
