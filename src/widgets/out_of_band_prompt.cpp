#include "widgets/out_of_band_prompt.h"

#include "document/channel_model.h"
#include "document/document.h"
#include "widgets/message_box.h"

#include <QCoreApplication>
#include <QStringList>

bool confirmOutOfBandChannels(QWidget* parent, const Document& doc, OutOfBandUse use)
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
    if (lines.isEmpty())
        return true;
    if (use == OutOfBandUse::Write) {
        lines.prepend(QCoreApplication::translate(
                          "OutOfBandPrompt",
                          "These frequencies lie outside the band %1 that Field selects: Continue "
                          "writes the channels to the radio as they are, and the radio may not be "
                          "able to tune them.")
                          .arg(doc.selectionText(orvo::SettingBox::Field)) +
                      QLatin1Char('\n'));
    }
    return continueOrCancel(parent, lines.join(QLatin1Char('\n')));
}
