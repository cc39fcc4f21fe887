#pragma once
// COptionalFeaturesDlg: shows and changes the two features the form has no place for, directly
// in the document's image: Refuse Emergency Alert (0x3C0 bit 3: 1 = "Off", 0 = "On") and
// Squelch Tail Elimination (0x3F0 bit 7: 1 = on). OK writes both bits at once; Cancel writes
// nothing. No other bit of either byte is ever changed.

#include <QDialog>

#include <memory>

class CTernDoc;
class QCheckBox;
class QComboBox;

namespace Ui {
class OptionalFeaturesDlg;
}

class COptionalFeaturesDlg : public QDialog
{
    Q_OBJECT

public:
    explicit COptionalFeaturesDlg(QWidget* parent = nullptr);
    ~COptionalFeaturesDlg() override;

    QComboBox* m_cmbRefuseAlert = nullptr; // 1091: "Off", "On"
    QCheckBox* m_chkSquelchTail = nullptr; // 1092
    CTernDoc* m_pDoc = nullptr;            // the document whose image is edited; not owned

    // Fills the controls from the image, then runs the dialog modally; returns its result.
    int DoModal();

    // Fills the controls from the image of m_pDoc.
    bool OnInitDialog();
    // Writes the controls to the image and closes the dialog (the OK button).
    void OnOK();

    void accept() override;

private:
    std::unique_ptr<Ui::OptionalFeaturesDlg> m_ui;
};
