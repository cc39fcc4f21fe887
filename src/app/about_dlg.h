#pragma once
// CAboutDlg: the About box (version and rights notice), shown modally from the toolbar.

#include <QDialog>

#include <memory>

namespace Ui {
class AboutDlg;
}

class CAboutDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

private:
    std::unique_ptr<Ui::AboutDlg> m_ui;
};
