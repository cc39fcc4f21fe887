#include "widgets/progress_dialog.h"

#include "document/language.h"
#include "document/settings.h"

#include "ui_progress_dlg.h"

#include <QSignalBlocker>
#include <QWindow>

ProgressDialog::ProgressDialog(Settings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_ui(std::make_unique<Ui::ProgressDlg>())
{
    m_ui->setupUi(this);
    setFont(languageFont(font()));
    setObjectName(QStringLiteral("ProgressDialog"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setModal(false);
    m_ui->chkVerify->setVisible(false);
    connect(m_ui->chkVerify, &QCheckBox::toggled, this,
            [this](bool on) { m_settings.setVerifyAfterWriting(on); });
    m_firstStatus = m_ui->lblStatus->text();
    connect(m_ui->btnStart, &QPushButton::clicked, this, &ProgressDialog::accept);
    connect(m_ui->btnCancel, &QPushButton::clicked, this, &ProgressDialog::reject);
}

ProgressDialog::~ProgressDialog() = default;

void ProgressDialog::setCommand(const QString& title, bool verifyOption)
{
    setWindowTitle(title);
    m_ui->chkVerify->setVisible(verifyOption);
}

void ProgressDialog::showReady(const QWidget* over)
{
    m_ui->lblStatus->setText(m_firstStatus);
    m_ui->progressBar->setRange(0, 128);
    m_ui->progressBar->setValue(0);
    {
        const QSignalBlocker quiet(m_ui->chkVerify);
        m_ui->chkVerify->setChecked(m_settings.verifyAfterWriting());
    }
    setRunning(false);
    m_ui->btnStart->setFocus();
    if (over) {
        const QPoint centre = over->mapToGlobal(over->rect().center());
        move(centre - rect().center());
    }
    show();
    raise();
    activateWindow();
}

void ProgressDialog::setRunning(bool running)
{
    m_ui->btnStart->setEnabled(!running);
    m_ui->chkVerify->setEnabled(!running);
}

bool ProgressDialog::isRunning() const
{
    return !m_ui->btnStart->isEnabled();
}

void ProgressDialog::dismiss()
{
    if (!isVisible())
        return;
    const bool wasActive = isActiveWindow();
    hide();
    // The keyboard goes back to the main window. Asked of the window itself: where the hidden
    // dialog still counts as the focus window, the main window takes itself for active already.
    if (wasActive && parentWidget()) {
        if (QWindow* main = parentWidget()->window()->windowHandle())
            main->requestActivate();
    }
}

void ProgressDialog::setStatusText(const QString& text)
{
    m_ui->lblStatus->setText(text);
}

QString ProgressDialog::statusText() const
{
    return m_ui->lblStatus->text();
}

void ProgressDialog::setPosition(int position)
{
    m_ui->progressBar->setValue(position);
}

int ProgressDialog::position() const
{
    return m_ui->progressBar->value();
}

bool ProgressDialog::verifyAfterWriting() const
{
    return m_ui->chkVerify->isVisibleTo(this) && m_ui->chkVerify->isChecked();
}

void ProgressDialog::accept()
{
    if (isRunning())
        return; // Enter while a transfer runs
    setRunning(true);
    emit startRequested();
}

void ProgressDialog::reject()
{
    emit cancelRequested();
}
