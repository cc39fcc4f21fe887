#include "widgets/verify_dialog.h"

#include "ui_verify_dialog.h"

VerifyDialog::VerifyDialog(const std::vector<orvo::ImageDifference>& differences,
                           QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::VerifyDialog>())
{
    m_ui->setupUi(this);
    m_ui->lblSummary->setText(
        differences.empty()
            ? tr("The radio holds what the document holds.")
            : tr("The radio differs from the document in %1 place(s):").arg(differences.size()));
    for (const orvo::ImageDifference& d : differences) {
        auto* item = new QTreeWidgetItem(
            m_ui->lstDifferences,
            {QString::fromStdString(d.name), QString::fromStdString(d.before),
             QString::fromStdString(d.after), QString::number(orvo::differenceBlock(d))});
        item->setTextAlignment(3, Qt::AlignRight);
    }
    m_ui->lstDifferences->setVisible(!differences.empty());
    for (int c = 0; c < 4; ++c)
        m_ui->lstDifferences->resizeColumnToContents(c);
}

VerifyDialog::~VerifyDialog() = default;
