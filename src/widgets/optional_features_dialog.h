#pragma once
// OptionalFeaturesDialog: shows and changes the two features the form has no place for: Refuse
// Emergency Alert ("Off", "On") and Squelch Tail Elimination. The caller loads it with the
// document's features, runs it (execDialog) and, on OK, hands back features()
// (Document::setOptionalFeatures).

#include "document/document.h"

#include <QDialog>

#include <memory>

namespace Ui {
class OptionalFeaturesDlg;
}

class OptionalFeaturesDialog : public QDialog
{
    Q_OBJECT

public:
    explicit OptionalFeaturesDialog(QWidget* parent = nullptr);
    ~OptionalFeaturesDialog() override;

    // Shows `features` in the controls; the Refuse Emergency Alert list takes the focus.
    void setFeatures(const OptionalFeatures& features);
    // What the controls show.
    OptionalFeatures features() const;

private:
    // cmbRefuseAlert ("Off", "On"), chkSquelchTail.
    std::unique_ptr<Ui::OptionalFeaturesDlg> m_ui;
};
