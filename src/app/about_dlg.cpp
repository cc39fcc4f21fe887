#include "app/about_dlg.h"

#include "app/tern_app.h"

#include "ui_about_dlg.h"

#include <QIcon>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::AboutDlg>())
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    m_ui->lblIcon->setPixmap(AppIcon().pixmap(32, 32));
}

CAboutDlg::~CAboutDlg() = default;
