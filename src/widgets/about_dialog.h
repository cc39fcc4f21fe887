#pragma once
// AboutDialog: the About box (version and rights notice), shown modally from the toolbar.

#include <QDialog>
#include <QIcon>

#include <memory>

namespace Ui {
class AboutDlg;
}

// The application's icon (the main window's and the About box's), in several sizes.
QIcon appIcon();

class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

private:
    std::unique_ptr<Ui::AboutDlg> m_ui;
};
