#pragma once
// ProgressDialog: the small modeless dialog of a clone transfer: Start, Cancel, a progress bar
// with the range 0..128, the status line, and for a write the "Verify after writing" box. A plain
// view: the transfer controller shows it, fills it while the transfer runs and hides it at the
// end; the dialog only reports its buttons.

#include <QDialog>
#include <QString>

#include <memory>

class Settings;

namespace Ui {
class ProgressDlg;
}

class ProgressDialog : public QDialog
{
    Q_OBJECT

public:
    // The "Verify after writing" box is kept in `settings`.
    ProgressDialog(Settings& settings, QWidget* parent);
    ~ProgressDialog() override;

    // What the dialog stands for: its caption, and whether the "Verify after writing" box shows
    // (ticked as the user last left it). A dialog already shown and not started takes it too.
    void setCommand(const QString& title, bool verifyOption);
    // Shows the dialog ready for Start, centred over `over`: the status line's first text, the
    // bar at 0, Start enabled and focused.
    void showReady(const QWidget* over);
    // Start and the verify box are disabled while the transfer runs.
    void setRunning(bool running);
    bool isRunning() const;
    // Hides the dialog; the keyboard goes back to the window it came from.
    void dismiss();

    void setStatusText(const QString& text);
    QString statusText() const;
    void setPosition(int position);
    int position() const;
    // The box shows and is ticked.
    bool verifyAfterWriting() const;

    // Enter presses Start while it is enabled; Escape and the close box are Cancel.
    void accept() override;
    void reject() override;

signals:
    // Start while the dialog is ready.
    void startRequested();
    // Cancel, Escape or the close box, ready or running. The dialog stays as it is.
    void cancelRequested();

private:
    Settings& m_settings;
    std::unique_ptr<Ui::ProgressDlg> m_ui;
    QString m_firstStatus; // the status line's text in the form
};
