#include "widgets/verify_dialog.h"

#include "core/image/image_diff.h"
#include "document/message_text.h"

#include "ui_verify_dialog.h"

#include <QPushButton>

namespace {

QTreeWidgetItem* differenceRow(QTreeWidget* list, const orvo::ImageDifference& d)
{
    auto* item = new QTreeWidgetItem(list, {translatedText(d.name), translatedWord(d.before),
                                            translatedWord(d.after),
                                            QString::number(orvo::differenceBlock(d))});
    item->setTextAlignment(3, Qt::AlignRight);
    return item;
}

} // namespace

VerifyDialog::VerifyDialog(const orvo::RadioImage& document, const orvo::RadioImage& radio,
                           QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::VerifyDialog>())
{
    m_ui->setupUi(this);
    const std::vector<orvo::ImageDifference> differences = orvo::compareImages(document, radio);
    int fields = 0;
    for (const orvo::ImageDifference& d : differences) {
        differenceRow(d.raw ? m_ui->lstBytes : m_ui->lstDifferences, d);
        fields += d.raw ? 0 : 1;
    }

    QString summary;
    if (differences.empty())
        summary = tr("The radio holds what the document holds.");
    else if (fields == 0)
        summary = tr("The radio's channels and settings equal the document's.");
    else if (fields == 1)
        summary = tr("The radio's channels and settings differ from the document's in 1 field:");
    else
        summary = tr("The radio's channels and settings differ from the document's in %1 fields:")
                      .arg(fields);
    m_ui->lblSummary->setText(summary);

    // Bytes no field shows mean little one by one: a line per kind says what they are.
    const orvo::UnshownDifferences unshown =
        orvo::countUnshownDifferences(differences, document, radio);
    QStringList kinds;
    if (unshown.emptyChannels == 1)
        kinds << tr("1 empty channel differs only in unused bytes: a Write makes it equal.");
    else if (unshown.emptyChannels > 1)
        kinds << tr("%1 empty channels differ only in unused bytes: a Write makes them equal.")
                     .arg(unshown.emptyChannels);
    if (unshown.channels > 0)
        kinds
            << tr("%1 channel(s) differ also in bytes that no column shows.").arg(unshown.channels);
    if (unshown.otherBytes > 0)
        kinds << tr("%1 byte(s) outside the channels differ where no setting shows them.")
                     .arg(unshown.otherBytes);
    m_ui->lblBytes->setText(kinds.join(QLatin1Char('\n')));
    m_ui->lblBytes->setVisible(!kinds.isEmpty());

    m_ui->lstDifferences->setVisible(fields > 0);
    m_ui->lstBytes->setVisible(false);
    if (!kinds.isEmpty()) {
        QPushButton* details =
            m_ui->buttons->addButton(tr("&Details"), QDialogButtonBox::ActionRole);
        details->setObjectName(QStringLiteral("btnDetails"));
        details->setCheckable(true);
        connect(details, &QPushButton::toggled, this, [this](bool on) {
            m_ui->lstBytes->setVisible(on);
            adjustSize();
        });
    }
    for (QTreeWidget* list : {m_ui->lstDifferences, m_ui->lstBytes}) {
        for (int c = 0; c < 4; ++c)
            list->resizeColumnToContents(c);
    }
    // Without a list the statements alone make the dialog.
    if (fields == 0)
        adjustSize();
}

VerifyDialog::~VerifyDialog() = default;
