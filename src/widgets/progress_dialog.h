#pragma once
// ProgressDialog: the small modeless dialog of a clone transfer (Start, Cancel, a progress bar with
// the range 0..128 and the status line). Read From Radio and Write To Radio open it; Start asks
// the view to run the transfer, which shows its progress here and closes the window at its end.
// The object lives as long as the view; its window exists only while a transfer is prepared or
// runs (here: the dialog is shown, then hidden).

#include <QDialog>
#include <QString>

#include <memory>

class FormView;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace Ui {
class ProgressDlg;
}

class ProgressDialog : public QDialog
{
    Q_OBJECT

public:
    // Control ids of the dialog's template.
    static constexpr int kIdStart = 1;
    static constexpr int kIdCancel = 2;
    static constexpr int kIdProgress = 1003;
    static constexpr int kIdProgressLabel = 1004;
    static constexpr int kIdStatus = 1005;

    // The dialog of `view`, which also parents it (the dialog is deleted with the view).
    explicit ProgressDialog(FormView* view);
    ~ProgressDialog() override;

    // Set when the user asks to cancel; cleared each time the window is created.
    bool m_bCancel = false;
    // The caption the window shows; set before the window is created.
    QString m_strTitle;
    // The view that runs the transfer; not owned.
    FormView* m_pView = nullptr;

    // Creates the window: the template's texts, OnInitDialog, shown at once and centred over
    // the view's channel grid. Does nothing when the window exists.
    void Create();
    // True while the window exists (from Create until DestroyWindow).
    bool HasWindow() const;
    // Closes the window; the object stays for the next transfer.
    void DestroyWindow();

    // Progress bar 0..128 at 0, m_bCancel cleared, Start enabled, caption m_strTitle.
    bool OnInitDialog();
    // Start (the button or Enter): disables Start and asks the view to run the transfer, once
    // the current event has been handled. The window stays open.
    void OnOK();
    // Cancel (the button, Esc or the title bar's close box): sets m_bCancel, and closes the
    // window at once when no transfer runs (Start still enabled). A running transfer sees the
    // flag at its next waiting cycle and closes the window itself.
    void OnCancel();

    // The transfer's display: the status line (control 1005) and the bar's position.
    void SetStatusText(const QString& text);
    QString GetStatusText() const;
    void SetPos(int position);
    int GetPos() const;
    // Start is enabled: the dialog is ready and no transfer runs.
    bool IsStartEnabled() const;

    // "Verify after writing": shown for Write To Radio only; its state is the user's setting.
    void ShowVerifyOption(bool show);
    bool IsVerifyAfterWriting() const;
    // Set by Verify With Radio: a read that is compared with the document, not taken into it.
    bool m_bVerifyOnly = false;

    void accept() override;
    void reject() override;

    QPushButton* m_btnStart = nullptr;
    QPushButton* m_btnCancel = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_lblStatus = nullptr;
    QCheckBox* m_chkVerify = nullptr;

private:
    std::unique_ptr<Ui::ProgressDlg> m_ui;
    QString m_strTemplateStatus; // the status line's text in the template
    bool m_bHasWindow = false;
};
