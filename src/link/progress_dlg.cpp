#include "link/progress_dlg.h"

#include "editor/tern_view.h"
#include "grid/channel_table.h"
#include "ui/settings.h"

#include "ui_progress_dlg.h"

#include <QCheckBox>
#include <QMetaObject>
#include <QSignalBlocker>
#include <QWindow>

CProgressDlg::CProgressDlg(CTernView* view)
    : QDialog(view), m_pView(view), m_ui(std::make_unique<Ui::ProgressDlg>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("CProgressDlg"));
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
    connect(m_btnStart, &QPushButton::clicked, this, &CProgressDlg::OnOK);
    connect(m_btnCancel, &QPushButton::clicked, this, &CProgressDlg::OnCancel);
}

CProgressDlg::~CProgressDlg() = default;

void CProgressDlg::Create()
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

bool CProgressDlg::HasWindow() const
{
    return m_bHasWindow;
}

void CProgressDlg::DestroyWindow()
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

bool CProgressDlg::OnInitDialog()
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

void CProgressDlg::OnOK()
{
    if (!m_btnStart->isEnabled())
        return; // Enter while a transfer runs
    m_btnStart->setEnabled(false);
    m_chkVerify->setEnabled(false);
    // The transfer runs from the event loop, as a posted message would, not inside this click.
    if (CTernView* view = m_pView)
        QMetaObject::invokeMethod(view, &CTernView::OnStartTransfer, Qt::QueuedConnection);
}

void CProgressDlg::OnCancel()
{
    m_bCancel = true;
    if (m_btnStart->isEnabled())
        DestroyWindow();
}

void CProgressDlg::SetStatusText(const QString& text)
{
    m_lblStatus->setText(text);
}

QString CProgressDlg::GetStatusText() const
{
    return m_lblStatus->text();
}

void CProgressDlg::SetPos(int position)
{
    m_progress->setValue(position);
}

int CProgressDlg::GetPos() const
{
    return m_progress->value();
}

bool CProgressDlg::IsStartEnabled() const
{
    return m_btnStart->isEnabled();
}

void CProgressDlg::ShowVerifyOption(bool show)
{
    m_chkVerify->setVisible(show);
}

bool CProgressDlg::IsVerifyAfterWriting() const
{
    return m_chkVerify->isVisibleTo(this) && m_chkVerify->isChecked();
}

void CProgressDlg::accept()
{
    OnOK();
}

void CProgressDlg::reject()
{
    OnCancel();
}
