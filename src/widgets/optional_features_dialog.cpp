#include "widgets/optional_features_dialog.h"

#include "document/language.h"

#include "ui_optional_features_dlg.h"

OptionalFeaturesDialog::OptionalFeaturesDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::OptionalFeaturesDlg>())
{
    m_ui->setupUi(this);
    setFont(languageFont(font()));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    connect(m_ui->btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

OptionalFeaturesDialog::~OptionalFeaturesDialog() = default;

void OptionalFeaturesDialog::setFeatures(const OptionalFeatures& features)
{
    m_ui->chkSquelchTail->setChecked(features.squelchTail);
    m_ui->cmbRefuseAlert->setCurrentIndex(features.refuseAlertOff ? 0 : 1);
    m_ui->cmbRefuseAlert->setFocus();
}

OptionalFeatures OptionalFeaturesDialog::features() const
{
    return {m_ui->cmbRefuseAlert->currentIndex() == 0, m_ui->chkSquelchTail->isChecked()};
}
