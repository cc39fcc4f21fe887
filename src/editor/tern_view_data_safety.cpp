// What keeps the user's data from being lost unnoticed: the edit in progress committed before the
// document is replaced or closed, and channels that contradict the band named before they leave.
#include "editor/tern_view.h"

#include "app/message_box.h"
#include "app/tern_doc.h"
#include "editor/band_check.h"

#include <QStringList>

void CTernView::CommitPendingEdit()
{
    OnLeaveCellGrid();
}

bool CTernView::ConfirmOutOfBandChannels()
{
    QStringList lines;
    for (const std::string& line : orvo::outOfBandChannels(GetDocument()->m_image))
        lines.append(QString::fromStdString(line));
    return lines.isEmpty() || AppContinueOrCancel(window(), lines.join(QLatin1Char('\n')));
}
