#pragma once
// ImportDialog: what importing a channel list would do, before anything changes. It lists the
// file's lines (the line, the memory's name, frequencies and tones) and what becomes of each:
// the channel it goes to or why it is skipped. The user places the lines by the file's Location
// or in its order from a chosen channel and ticks lines out; the summary says how many channels
// change and which of those now in use are overwritten. It changes nothing itself: plan() is
// what Import applies.

#include "core/formats/channel_import.h"
#include "core/image/radio_image.h"

#include <QDialog>

#include <memory>
#include <string>

namespace Ui {
class ImportDialog;
}

class ImportDialog : public QDialog
{
    Q_OBJECT

public:
    // `text` is the file's content, `image` the document's; `fileName` names the file.
    ImportDialog(const QString& fileName, std::string text, const orvo::RadioImage& image,
                 QWidget* parent);
    ~ImportDialog() override;

    const orvo::ImportPlan& plan() const { return m_plan; }

private:
    void replan();

    std::unique_ptr<Ui::ImportDialog> m_ui;
    std::string m_text;
    orvo::RadioImage m_image;
    orvo::ImportPlan m_plan;
    bool m_filling = false;
};
