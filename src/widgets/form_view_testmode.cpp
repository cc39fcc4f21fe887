// Test Mode: the on-line adjustment dialog, opened with the chosen port and the band's lower edge.
#include "widgets/form_view.h"

#include "core/image/number_text.h"
#include "core/testmode/debug_frequency.h"
#include "widgets/debug_mode_dialog.h"

#include <QComboBox>

void FormView::OnTestMode()
{
    // The band's lower edge is the number its Field text starts with ("136 - 174MHz" gives
    // 136). The list always shows a band; should it show none, the first band stands in.
    const QComboBox* fieldBox = settingBox(orvo::SettingBox::Field);
    QString field = fieldBox->currentText();
    if (fieldBox->currentIndex() < 0 && fieldBox->count() > 0)
        field = fieldBox->itemText(0);
    const double bandBase = orvo::leadingNumber(field.toStdString());

    DebugModeDialog dialog(window());
    dialog.SetBandBase(bandBase);
    dialog.m_strPort = m_strPort;
    dialog.DoModal();
}
