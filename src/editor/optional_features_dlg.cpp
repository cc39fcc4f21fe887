#include "editor/optional_features_dlg.h"

#include "app/modal_dialog.h"
#include "app/tern_doc.h"

#include "ui_optional_features_dlg.h"

namespace {

constexpr std::size_t kFunctionByte = 0x3C0;
constexpr std::uint8_t kRefuseAlertOff = 0x08; // bit 3 set: "Off"
constexpr std::size_t kSquelchTailByte = 0x3F0;
constexpr std::uint8_t kSquelchTailOn = 0x80; // bit 7

} // namespace

COptionalFeaturesDlg::COptionalFeaturesDlg(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::OptionalFeaturesDlg>())
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    m_cmbRefuseAlert = m_ui->cmbRefuseAlert;
    m_chkSquelchTail = m_ui->chkSquelchTail;
    connect(m_ui->btnOK, &QPushButton::clicked, this, &COptionalFeaturesDlg::accept);
    connect(m_ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

COptionalFeaturesDlg::~COptionalFeaturesDlg() = default;

int COptionalFeaturesDlg::DoModal()
{
    OnInitDialog();
    return AppExecDialog(*this);
}

bool COptionalFeaturesDlg::OnInitDialog()
{
    if (!m_pDoc)
        return true;
    const orvo::RadioImage& image = m_pDoc->m_image;
    m_chkSquelchTail->setChecked(image[kSquelchTailByte] & kSquelchTailOn);
    m_cmbRefuseAlert->setCurrentIndex((image[kFunctionByte] & kRefuseAlertOff) ? 0 : 1);
    m_cmbRefuseAlert->setFocus();
    return true;
}

void COptionalFeaturesDlg::OnOK()
{
    if (m_pDoc) {
        orvo::RadioImage& image = m_pDoc->m_image;
        if (m_chkSquelchTail->isChecked())
            image[kSquelchTailByte] |= kSquelchTailOn;
        else
            image[kSquelchTailByte] &= static_cast<std::uint8_t>(~kSquelchTailOn);
        if (m_cmbRefuseAlert->currentIndex() == 0)
            image[kFunctionByte] |= kRefuseAlertOff;
        else
            image[kFunctionByte] &= static_cast<std::uint8_t>(~kRefuseAlertOff);
    }
    QDialog::accept();
}

void COptionalFeaturesDlg::accept()
{
    OnOK();
}
