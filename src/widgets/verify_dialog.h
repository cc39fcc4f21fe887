#pragma once
// VerifyDialog: what Verify With Radio found, the differences of the radio from the document in a
// list (what, the document's text, the radio's text, the block). It changes nothing.

#include "core/image/image_diff.h"

#include <QDialog>

#include <memory>
#include <vector>

namespace Ui {
class VerifyDialog;
}

class VerifyDialog : public QDialog
{
    Q_OBJECT

public:
    // `differences` are document -> radio, as compareImages gives them.
    VerifyDialog(const std::vector<orvo::ImageDifference>& differences, QWidget* parent);
    ~VerifyDialog() override;

private:
    std::unique_ptr<Ui::VerifyDialog> m_ui;
};
