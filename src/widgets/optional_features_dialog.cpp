#include "widgets/optional_features_dialog.h"

#include "widgets/modal_dialog.h"

#include "ui_optional_features_dlg.h"

OptionalFeaturesDialog::OptionalFeaturesDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::OptionalFeaturesDlg>())
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    m_cmbRefuseAlert = m_ui->cmbRefuseAlert;
    m_chkSquelchTail = m_ui->chkSquelchTail;
    connect(m_ui->btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

OptionalFeaturesDialog::~OptionalFeaturesDialog() = default;

int OptionalFeaturesDialog::DoModal()
{
    return AppExecDialog(*this);
}

void OptionalFeaturesDialog::setFeatures(const OptionalFeatures& features)
{
    m_chkSquelchTail->setChecked(features.squelchTail);
    m_cmbRefuseAlert->setCurrentIndex(features.refuseAlertOff ? 0 : 1);
    m_cmbRefuseAlert->setFocus();
}

OptionalFeatures OptionalFeaturesDialog::features() const
{
    return {m_cmbRefuseAlert->currentIndex() == 0, m_chkSquelchTail->isChecked()};
}
