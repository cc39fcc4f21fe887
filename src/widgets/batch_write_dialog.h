#pragma once
// BatchWriteDialog: Program > Write To Several Radios. Writes the document to one radio after the
// other through the view's port: Start (or Enter) writes and verifies the connected radio, then
// the dialog asks for the next one. It counts the radios written and verified and keeps a log
// (time, port, radio number, result, differences) that Save Log writes as CSV. Cancel stops the
// radio being written, or closes the dialog between radios.

#include "core/image/radio_image.h"
#include "core/link/verify.h"

#include <QDialog>

#include <memory>
#include <vector>

class FormView;

namespace Ui {
class BatchWriteDialog;
}

class BatchWriteDialog : public QDialog
{
    Q_OBJECT

public:
    // Writes `image` through the port the view has chosen.
    BatchWriteDialog(FormView* view, const orvo::RadioImage& image);
    ~BatchWriteDialog() override;

    const std::vector<orvo::RadioLogEntry>& log() const { return m_log; }
    // Radios written and verified so far.
    int radiosWritten() const { return m_written; }

    void reject() override;

private:
    void onStart();
    void onSaveLog();
    void showNextRadio(const QString& lastResult);

    FormView* m_view;
    orvo::RadioImage m_image;
    std::unique_ptr<Ui::BatchWriteDialog> m_ui;
    std::vector<orvo::RadioLogEntry> m_log;
    int m_written = 0;
    bool m_running = false;
    bool m_cancel = false;
};
