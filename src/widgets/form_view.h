#pragma once
// FormView: the form, the main window's client. On the left the radio-wide setting lists, on the
// right the channel grid (grid/channel_table.h). It shows the document (document/document.h) and
// sends every edit made on it there: a list's pick to the document, a cell's text through the
// channel model. Enter on a setting list moves on as Tab does; the control under the mouse gives
// the status bar its hint. The commands of the menus live in src/app.

#include "core/image/settings_codec.h"
#include "widgets/pending_edit.h"

#include <QScrollArea>
#include <QString>

#include <array>
#include <memory>

class ChannelTable;
class Document;
class QComboBox;
class QKeyEvent;
class QWidget;

namespace Ui {
class FormView;
}

class FormView : public QScrollArea, public PendingEdit
{
    Q_OBJECT

public:
    explicit FormView(Document* doc, QWidget* parent = nullptr);
    ~FormView() override;

    Document* document() const { return m_document; }
    // The channel grid (objectName "grid").
    ChannelTable* grid() const { return m_grid; }
    // The list of a setting (see orvo::SettingBox).
    QComboBox* settingBox(orvo::SettingBox box) const;

    // Run when the view is first shown and after every File New and File Open: closes any
    // editor without committing it, forgets the grid's selection and current cell, and gives the
    // focus to the Type list. The form follows the document by itself.
    void resetForm();

    // Commits the edit in progress as leaving its cell does, with its checks, and closes its
    // editor; nothing when no editor is open. Every command that saves, prints, replaces,
    // transfers, copies or closes the document calls it first.
    void commitPendingEdit() override;

signals:
    // The status bar's hint for the control under the mouse.
    void statusHint(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchControls();
    void showDocument();
    // The key `event` reached `focus`, a control of the form: Enter on a setting list moves on
    // as Tab does; the grid handles its own keys. True consumes the key.
    bool handleKey(QWidget* focus, QKeyEvent* event);
    // The mouse entered `under`, a control of the form or the form itself: its status-bar hint.
    void showHint(QWidget* under);

    Document* m_document;
    std::unique_ptr<Ui::FormView> m_ui;
    QWidget* m_form = nullptr;
    ChannelTable* m_grid = nullptr;
    std::array<QComboBox*, orvo::kSettingBoxCount> m_settingBoxes{};
    // Set while the view itself shows the document's selections, which are not user edits.
    bool m_updatingView = false;
};
