#include "widgets/progress_dialog.h"

#include "document/settings.h"
#include "widgets/form_view.h"
#include "widgets/grid/channel_table.h"

#include "ui_progress_dlg.h"

#include <QCheckBox>
#include <QMetaObject>
#include <QSignalBlocker>
#include <QWindow>

ProgressDialog::ProgressDialog(FormView* view)
    : QDialog(view), m_pView(view), m_ui(std::make_unique<Ui::ProgressDlg>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("ProgressDialog"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setModal(false);
    m_btnStart = m_ui->btnStart;
    m_btnCancel = m_ui->btnCancel;
    m_progress = m_ui->progressBar;
    m_lblStatus = m_ui->lblStatus;
    m_chkVerify = m_ui->chkVerify;
    m_chkVerify->setVisible(false);
    connect(m_chkVerify, &QCheckBox::toggled, this,
            [](bool on) { Settings().setVerifyAfterWriting(on); });
    m_strTemplateStatus = m_lblStatus->text();
    connect(m_btnStart, &QPushButton::clicked, this, &ProgressDialog::OnOK);
    connect(m_btnCancel, &QPushButton::clicked, this, &ProgressDialog::OnCancel);
}

ProgressDialog::~ProgressDialog() = default;

void ProgressDialog::Create()
{
    if (m_bHasWindow)
        return;
    m_bHasWindow = true;
    m_lblStatus->setText(m_strTemplateStatus);
    OnInitDialog();

    if (m_pView && m_pView->grid()) {
        const ChannelTable* grid = m_pView->grid();
        const QPoint centre = grid->mapToGlobal(grid->rect().center());
        move(centre - rect().center());
    }
    show();
    raise();
    activateWindow();
}

bool ProgressDialog::HasWindow() const
{
    return m_bHasWindow;
}

void ProgressDialog::DestroyWindow()
{
    if (!m_bHasWindow)
        return;
    m_bHasWindow = false;
    const bool wasActive = isActiveWindow();
    hide();
    // The keyboard goes back to the main window. Asked of the window itself: where the hidden
    // dialog still counts as the focus window, the main window takes itself for active already.
    if (wasActive && m_pView) {
        if (QWindow* main = m_pView->window()->windowHandle())
            main->requestActivate();
    }
}

bool ProgressDialog::OnInitDialog()
{
    m_progress->setRange(0, 128);
    m_progress->setValue(0);
    m_bCancel = false;
    m_btnStart->setEnabled(true);
    m_chkVerify->setEnabled(true);
    {
        const QSignalBlocker quiet(m_chkVerify);
        m_chkVerify->setChecked(Settings().verifyAfterWriting());
    }
    m_btnStart->setFocus();
    setWindowTitle(m_strTitle);
    return true;
}

void ProgressDialog::OnOK()
{
    if (!m_btnStart->isEnabled())
        return; // Enter while a transfer runs
    m_btnStart->setEnabled(false);
    m_chkVerify->setEnabled(false);
    // The transfer runs from the event loop, as a posted message would, not inside this click.
    if (FormView* view = m_pView)
        QMetaObject::invokeMethod(view, &FormView::OnStartTransfer, Qt::QueuedConnection);
}

void ProgressDialog::OnCancel()
{
    m_bCancel = true;
    if (m_btnStart->isEnabled())
        DestroyWindow();
}

void ProgressDialog::SetStatusText(const QString& text)
{
    m_lblStatus->setText(text);
}

QString ProgressDialog::GetStatusText() const
{
    return m_lblStatus->text();
}

void ProgressDialog::SetPos(int position)
{
    m_progress->setValue(position);
}

int ProgressDialog::GetPos() const
{
    return m_progress->value();
}

bool ProgressDialog::IsStartEnabled() const
{
    return m_btnStart->isEnabled();
}

void ProgressDialog::ShowVerifyOption(bool show)
{
    m_chkVerify->setVisible(show);
}

bool ProgressDialog::IsVerifyAfterWriting() const
{
    return m_chkVerify->isVisibleTo(this) && m_chkVerify->isChecked();
}

void ProgressDialog::accept()
{
    OnOK();
}

void ProgressDialog::reject()
{
    OnCancel();
}
