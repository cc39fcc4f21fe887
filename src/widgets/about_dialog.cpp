#include "widgets/about_dialog.h"

#include "document/language.h"

#include "ui_about_dlg.h"

#include <QIcon>

QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/orvo-%1.png").arg(size), QSize(size, size));
    return icon;
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::AboutDlg>())
{
    m_ui->setupUi(this);
    setFont(languageFont(font()));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    m_ui->lblIcon->setPixmap(appIcon().pixmap(32, 32));
}

AboutDialog::~AboutDialog() = default;
