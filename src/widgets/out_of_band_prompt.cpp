#include "widgets/out_of_band_prompt.h"

#include "document/channel_model.h"
#include "document/document.h"
#include "widgets/message_box.h"

#include <QStringList>

bool confirmOutOfBandChannels(QWidget* parent, const Document& doc)
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
    return lines.isEmpty() || continueOrCancel(parent, lines.join(QLatin1Char('\n')));
}
