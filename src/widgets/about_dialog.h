#pragma once
// AboutDialog: the About box (version and rights notice), shown modally from the toolbar.

#include <QDialog>

#include <memory>

namespace Ui {
class AboutDlg;
}

class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

private:
    std::unique_ptr<Ui::AboutDlg> m_ui;
};
