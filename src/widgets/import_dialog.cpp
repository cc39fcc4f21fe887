#include "widgets/import_dialog.h"

#include "core/formats/channel_csv.h"
#include "document/channel_model.h"
#include "document/message_text.h"

#include "ui_import_dialog.h"

#include <QPushButton>

namespace {

enum Column { kLine, kName, kReceive, kTransmit, kRxTone, kTxTone, kBecomes };

// The channel numbers as a list for a sentence: "1, 2, 5".
QString channelList(const std::vector<int>& channels)
{
    QStringList numbers;
    for (int ch : channels)
        numbers << QString::number(ch);
    return numbers.join(QStringLiteral(", "));
}

} // namespace

ImportDialog::ImportDialog(const QString& fileName, std::string text,
                           const orvo::RadioImage& image, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::ImportDialog>()), m_text(std::move(text)),
      m_image(image)
{
    m_ui->setupUi(this);
    m_ui->lblFile->setText(tr("The lines of \"%1\" and what becomes of each:").arg(fileName));
    QTreeWidget* list = m_ui->lstLines;
    const int columns[] = {orvo::kColReceive, orvo::kColTransmit, orvo::kColRxTone,
                           orvo::kColTxTone};
    for (int i = 0; i < 4; ++i)
        list->headerItem()->setText(kReceive + i, ChannelModel::columnName(columns[i]));
    QPushButton* import =
        m_ui->buttons->addButton(tr("&Import"), QDialogButtonBox::AcceptRole);
    import->setDefault(true);

    // Lines whose Locations are not this radio's channels go in order, from channel 1.
    m_plan = orvo::planImport(m_text, m_image, {});
    const bool byLocation = m_plan.locationsFit;
    (byLocation ? m_ui->optLocation : m_ui->optOrder)->setChecked(true);
    m_ui->spnStart->setEnabled(!byLocation);

    m_filling = true;
    bool named = false;
    for (const orvo::ImportLine& line : m_plan.lines) {
        auto* item = new QTreeWidgetItem(list);
        item->setText(kLine, QString::number(line.line));
        item->setTextAlignment(kLine, Qt::AlignRight);
        item->setText(kName, QString::fromStdString(line.name));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(kLine, Qt::Checked);
        named = named || !line.name.empty();
    }
    list->setColumnHidden(kName, !named);
    m_filling = false;
    list->setCurrentItem(list->topLevelItem(0));

    connect(m_ui->optLocation, &QRadioButton::toggled, this, [this](bool byLocation) {
        m_ui->spnStart->setEnabled(!byLocation);
        replan();
    });
    connect(m_ui->spnStart, &QSpinBox::valueChanged, this, [this] { replan(); });
    connect(list, &QTreeWidget::itemChanged, this, [this] {
        if (!m_filling)
            replan();
    });
    replan();
    for (int c = kLine; c < kBecomes; ++c)
        list->resizeColumnToContents(c);
}

ImportDialog::~ImportDialog() = default;

void ImportDialog::replan()
{
    QTreeWidget* list = m_ui->lstLines;
    orvo::ImportChoice choice;
    choice.placement = m_ui->optLocation->isChecked() ? orvo::Placement::ByLocation
                                                      : orvo::Placement::InOrder;
    choice.start = m_ui->spnStart->value();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->checkState(kLine) != Qt::Checked)
            choice.leftOut.push_back(list->topLevelItem(i)->text(kLine).toInt());
    }
    m_plan = orvo::planImport(m_text, m_image, choice);

    m_filling = true;
    const QBrush skippedText = palette().brush(QPalette::Disabled, QPalette::Text);
    for (int i = 0; i < list->topLevelItemCount() && i < static_cast<int>(m_plan.lines.size());
         ++i) {
        const orvo::ImportLine& line = m_plan.lines[static_cast<std::size_t>(i)];
        QTreeWidgetItem* item = list->topLevelItem(i);
        for (int c = kReceive; c <= kTxTone; ++c)
            item->setText(c, translatedWord(line.texts[static_cast<std::size_t>(c - kReceive)]));
        const auto reason = orvo::skipReason(line);
        item->setText(kBecomes, !line.ticked  ? tr("left out")
                                : reason      ? tr("skipped: %1").arg(translatedText(*reason))
                                              : tr("\u2192 channel %1").arg(line.channel));
        item->setToolTip(kBecomes, item->text(kBecomes));
        for (int c = kLine; c <= kBecomes; ++c)
            item->setForeground(c, line.channel > 0 ? palette().text() : skippedText);
    }
    m_filling = false;

    orvo::RadioImage after = m_image;
    orvo::applyImport(m_plan, after);
    const int changed = orvo::changedChannelCount(m_image, after);
    const std::vector<int> overwritten = orvo::overwrittenChannels(m_plan, m_image, after);
    QString summary = changed == 0   ? tr("No channel changes.")
                      : changed == 1 ? tr("1 channel changes.")
                                     : tr("%1 channels change.").arg(changed);
    if (overwritten.size() == 1)
        summary += QLatin1Char(' ') + tr("Channel %1 holds data now and is overwritten.")
                                          .arg(overwritten.front());
    else if (!overwritten.empty())
        summary += QLatin1Char(' ') + tr("Channels %1 hold data now and are overwritten.")
                                          .arg(channelList(overwritten));
    m_ui->lblSummary->setText(summary);
    for (QAbstractButton* b : m_ui->buttons->buttons()) {
        if (m_ui->buttons->buttonRole(b) == QDialogButtonBox::AcceptRole)
            b->setEnabled(changed > 0);
    }
}
