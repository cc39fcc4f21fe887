// What keeps the user's data from being lost unnoticed: the edit in progress committed before the
// document is saved, printed, replaced or closed, and channels that contradict the band named
// before they leave.
#include "widgets/form_view.h"

#include "document/channel_model.h"
#include "document/document.h"
#include "widgets/message_box.h"

#include <QStringList>

void FormView::CommitPendingEdit()
{
    OnLeaveCellGrid();
}

bool FormView::ConfirmOutOfBandChannels(QWidget* parent, const Document& doc)
{
    // The same lines as the tooltips of the cells shown in the out-of-band colour.
    const ChannelModel& model = *doc.channelModel();
    QStringList lines;
    for (int row = 0; row < model.rowCount(); ++row) {
        for (int column = 1; column < model.columnCount(); ++column) {
            const QString tip = model.index(row, column).data(Qt::ToolTipRole).toString();
            if (!tip.isEmpty())
                lines.append(tip);
        }
    }
    return lines.isEmpty() || AppContinueOrCancel(parent, lines.join(QLatin1Char('\n')));
}
