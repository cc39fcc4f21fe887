#include "widgets/about_dialog.h"

#include "app/application.h"

#include "ui_about_dlg.h"

#include <QIcon>

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::AboutDlg>())
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    m_ui->lblIcon->setPixmap(AppIcon().pixmap(32, 32));
}

AboutDialog::~AboutDialog() = default;
