#pragma once
// FormView: the form view, the main window's client. On the left the radio-wide setting lists,
// on the right the channel grid (grid/channel_table.h).
// It shows the document (editor/document.h) and sends every edit to it; it carries the commands of
// the Edit and Port menus and Optional Features (the transfers and Test Mode are the controllers'
// of src/app).
//
// The handlers of later features live in files of their own, one per feature:
//   form_view_editing.cpp   Enter on the form, status-bar hints, copy and paste of rows
//   form_view_port.cpp      the Port menu (COM1..COM4)
//   form_view_print.cpp     Print, Print Preview, Print Setup

#include "core/image/settings_codec.h"

#include <QList>
#include <QScrollArea>
#include <QString>

#include <array>
#include <memory>

class ChannelTable;
class Document;
class QAction;
class QComboBox;
class QKeyEvent;
class QPrinter;
class QWidget;

namespace orvo {
struct ReportData;
}

namespace Ui {
class TernViewForm;
}

class FormView : public QScrollArea
{
    Q_OBJECT

public:
    explicit FormView(Document* doc, QWidget* parent = nullptr);
    ~FormView() override;

    Document* GetDocument() const { return m_pDocument; }
    // The channel grid (objectName "grid").
    ChannelTable* grid() const { return m_grid; }

    // Run when the view is first shown and after every File New and File Open: closes any
    // editor and gives the focus to the Type list. The form follows the document by itself.
    void OnInitialUpdate();

    // The list of a setting (see orvo::SettingBox).
    QComboBox* settingBox(orvo::SettingBox box) const;

    // Type list: the user picked an entry; the one already selected changes nothing.
    void OnSelchangeType();
    // Program > Optional Features.
    void OnOptionalFeatures();

    // Edit menu: the selected channel rows (the current one when none is selected) to the
    // clipboard as tab-separated text and as channel CSV; Cut empties them as well; Paste puts
    // the rows of the clipboard onto the selected rows with the checks of typing; Delete empties
    // them; Move shifts them one place up or down. Each change is one undoable step.
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    void OnEditDelete();
    void OnEditMoveUp();
    void OnEditMoveDown();

    // Port menu (form_view_port.cpp).
    void OnCom1();
    void OnCom2();
    void OnCom3();
    void OnCom4();
    void OnUpdateCom1(QAction* action) const;
    void OnUpdateCom2(QAction* action) const;
    void OnUpdateCom3(QAction* action) const;
    void OnUpdateCom4(QAction* action) const;
    // When the Port menu opens (`open`), each port item's text also names the device the port
    // stands for now ("COM1(&P)  —  /dev/ttyUSB0  FTDI FT232R", "(no device)"); an item with
    // no device is disabled.
    void ShowPortDevices(const QList<QAction*>& items, bool open);

    // File > Print, Print Preview, Print Setup (form_view_print.cpp).
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    // The report's texts as the form shows them now (the document's): the selected entries of
    // the six printed setting lists (empty when none is selected), the grid's headers and the
    // cells of channels 1..16 (form_view_print.cpp).
    orvo::ReportData GetReportData() const;

    // Sees every key press of the form's controls before the control does; `focus` is the
    // widget with the keyboard focus. Enter on a setting list moves on as Tab does; the grid
    // handles its own keys. True consumes the key (form_view_editing.cpp).
    bool PreTranslateMessage(QWidget* focus, QKeyEvent* event);
    // The mouse entered `under`, a control of the form or the form itself: the status-bar hint
    // (form_view_editing.cpp).
    void OnSetCursor(QWidget* under);

    // Commits the edit in progress as leaving the cell does and closes its editor; does
    // nothing when no editor is open. Read From Radio and Write To Radio call it first.
    void OnLeaveCellGrid();
    // Commits the edit in progress as leaving its cell does, with its checks: the one call of
    // every command that saves, prints, replaces, transfers or closes the document
    // (form_view_data_safety.cpp).
    void CommitPendingEdit();
    // Before `doc` is saved or written to the radio: when channels lie outside the band it
    // selects, lists them with Continue / Cancel. True to go on (form_view_data_safety.cpp).
    static bool ConfirmOutOfBandChannels(QWidget* parent, const Document& doc);

    // The port the next transfer or test-mode exchange opens: "COM1".."COM4" as the Port menu
    // chooses, or a device path.
    QString port() const { return m_strPort; }
    void setPort(const QString& port) { m_strPort = port; }

signals:
    // The status bar's hint for the control under the mouse.
    void statusHint(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchControls();
    void showDocument();

    Document* m_pDocument;
    std::unique_ptr<Ui::TernViewForm> m_ui;
    QWidget* m_form = nullptr;
    ChannelTable* m_grid = nullptr;
    std::array<QComboBox*, orvo::kSettingBoxCount> m_settingBoxes{};
    // Set while the view itself shows the document's selections, which are not user edits.
    bool m_bUpdatingView = false;
    // The chosen serial port: "COM1" at every start.
    QString m_strPort = QStringLiteral("COM1");

    // The one printer of the session, made at the first print command, so what Print Setup
    // chooses holds for Print and Print Preview (form_view_print.cpp).
    QPrinter& GetPrinter();
    struct PrinterDeleter
    {
        void operator()(QPrinter* printer) const;
    };
    std::unique_ptr<QPrinter, PrinterDeleter> m_pPrinter;
};
