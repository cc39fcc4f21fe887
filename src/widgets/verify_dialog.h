#pragma once
// VerifyDialog: what Verify With Radio found. First a plain statement whether the radio's
// channels and settings equal the document's, then the fields that differ in a list (what, the
// document's text, the radio's text, the block), then the bytes that no field shows summarised
// in a line per kind, their full list behind Details. It changes nothing.

#include "core/image/radio_image.h"

#include <QDialog>

#include <memory>

namespace Ui {
class VerifyDialog;
}

class VerifyDialog : public QDialog
{
    Q_OBJECT

public:
    // Shows how `radio` differs from `document`.
    VerifyDialog(const orvo::RadioImage& document, const orvo::RadioImage& radio, QWidget* parent);
    ~VerifyDialog() override;

private:
    std::unique_ptr<Ui::VerifyDialog> m_ui;
};
