#pragma once
// CTernView: the form view, the main window's client. On the left the radio-wide setting lists,
// on the right the channel grid with its six in-place editors (created hidden, once per process).
// It decodes the document's image into the grid and the lists (UpdateViewFromImage) and encodes
// them back (UpdateImageFromView), and carries the commands of the Program and Port menus.
//
// The handlers of later features live in files of their own, one per feature:
//   tern_view_editing.cpp   grid events, Enter key, status-bar hints (in-place editing)
//   tern_view_transfer.cpp  Read From Radio, Write To Radio
//   tern_view_port.cpp      the Port menu (COM1..COM4)
//   tern_view_testmode.cpp  Test Mode
//   tern_view_print.cpp     Print, Print Preview, Print Setup

#include "image/settings_codec.h"
#include "link/serial_line.h"

#include <QList>
#include <QScrollArea>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>

class CMSFlexGrid;
class CProgressDlg;
class CTernDoc;
class QAction;
class QComboBox;
class QKeyEvent;
class QLineEdit;
class QPrinter;
class QWidget;

namespace orvo {
struct ReportData;
}

namespace Ui {
class TernViewForm;
}

class CTernView : public QScrollArea
{
    Q_OBJECT

public:
    // Lowest and highest frequency of a band, both included, in units of 10 Hz.
    struct BandLimits
    {
        std::uint32_t lowest;
        std::uint32_t highest;
    };

    // Control ids of the in-place editors.
    static constexpr int kIdEditFreq = 61446;
    static constexpr int kIdCmbTone = 1000;
    static constexpr int kIdCmbBusy = 61448;
    static constexpr int kIdCmbWidth = 61449;
    static constexpr int kIdCmbScanAdd = 61450;
    static constexpr int kIdCmbPower = 1073;

    explicit CTernView(CTernDoc* doc, QWidget* parent = nullptr);
    ~CTernView() override;

    CTernDoc* GetDocument() const { return m_pDocument; }

    // Run when the view is first shown and after every File New and File Open: creates the
    // editors once per process (lists, column alignment and widths, first selections), hides
    // and empties them, decodes the image, writes the headers and channel numbers, and gives
    // the focus to the Type list.
    void OnInitialUpdate();

    // Image -> grid (rows 1..16, columns 1..8) and setting lists. Changes nothing in the image
    // and does not mark the document modified.
    void UpdateViewFromImage();
    // Grid and setting lists -> image (records 1..16, 0x3C0..0x3C3, and 0x3D2 / 0x3D6 when the
    // Type list shows ZT-4). Every other byte stays as it is.
    void UpdateImageFromView();

    // The in-place editor of a grid column: 1, 2 m_editFreq; 3, 4 m_cmbTone; 5 m_cmbBusy;
    // 6 m_cmbWidth; 7 m_cmbScanAdd; 8 m_cmbPower; any other column m_editFreq. Null before
    // the first OnInitialUpdate.
    QWidget* EditorForColumn(int col) const;

    // The list of a setting (see orvo::SettingBox).
    QComboBox* settingBox(orvo::SettingBox box) const;

    // The grid, control 1007.
    CMSFlexGrid* m_grid = nullptr;

    // The ten setting lists, by control id: 1078, 1077, 1075, 1076, 1012, 1017, 1013, 1016,
    // 1014, 1011. The Urgency Call list (1077) is never shown, yet decoded and encoded.
    QComboBox* m_cmbBatterySave = nullptr;
    QComboBox* m_cmbUrgencyCall = nullptr;
    QComboBox* m_cmbScan = nullptr;
    QComboBox* m_cmbVoiceAnnunciation = nullptr;
    QComboBox* m_cmbMoni = nullptr;
    QComboBox* m_cmbType = nullptr;
    QComboBox* m_cmbTxTotalTime = nullptr;
    QComboBox* m_cmbSquelchLevel = nullptr;
    QComboBox* m_cmbBeep = nullptr;
    QComboBox* m_cmbField = nullptr;

    // Limits of the four bands, indexed by the Field list's selection.
    std::array<BandLimits, 4> m_bandLimits{};

    // The six in-place editors: children of the grid's client area, hidden until an edit.
    QLineEdit* m_editFreq = nullptr;
    // Set while the frequency box holds nothing because Enter rejected what was typed there;
    // committing that emptiness keeps the cell's text instead of deleting the frequency.
    bool m_bFreqRejected = false;
    QComboBox* m_cmbTone = nullptr;
    QComboBox* m_cmbBusy = nullptr;
    QComboBox* m_cmbWidth = nullptr;
    QComboBox* m_cmbScanAdd = nullptr;
    QComboBox* m_cmbPower = nullptr;

    // The chosen serial port: "COM1" (at every start), "COM2", "COM3" or "COM4".
    QString m_strPort = QStringLiteral("COM1");

    // Type list: the user picked an entry (even the one already shown).
    void OnSelchangeType();
    // Program > Optional Features.
    void OnOptionalFeatures();

    // Port menu (tern_view_port.cpp).
    void OnCom1();
    void OnCom2();
    void OnCom3();
    void OnCom4();
    void OnUpdateCom1(QAction* action) const;
    void OnUpdateCom2(QAction* action) const;
    void OnUpdateCom3(QAction* action) const;
    void OnUpdateCom4(QAction* action) const;
    // While the Port menu is open (`open`), each of its port items' prompt also names the device
    // the port stands for now, where the system does not name its ports COM1..COM4; closed, the
    // items get their fixed prompts back.
    void ShowPortDevices(const QList<QAction*>& items, bool open);

    // Program > Read From Radio / Write To Radio (tern_view_transfer.cpp): commit the cell being
    // edited, set the direction and open the progress dialog (or retitle the one open and not
    // started). Nothing happens while a transfer runs.
    void OnReadFromRadio();
    void OnWriteToRadio();
    // The transfer, asked for by the dialog's Start: encodes the view and confirms channels
    // outside the band before a write, asks about unsaved changes before a read (either answered
    // Cancel closes the dialog), opens m_strPort, runs the clone session with the dialog showing
    // its progress, closes the port and the dialog. Only a complete read changes the document:
    // its image, the view, no file name, and the modified flag. While it runs, waiting cycles
    // handle pending events and look at Cancel.
    void OnStartTransfer();
    // A transfer is running (from Start until the port is closed).
    bool IsTransferRunning() const { return m_hComm != nullptr; }
    // Asked before the main window closes: true when no transfer runs. Otherwise asks whether
    // to cancel it; on Yes the transfer is cancelled and the window closes once it has ended.
    // False either way while it runs.
    bool QueryCloseDuringTransfer();
    // Command-update handler of the commands a running transfer disables (Read, Write, Test
    // Mode, Optional Features, New, Open, Save, Save As, Print, Print Preview).
    void OnUpdateTransferCommand(QAction* action) const;

    // The port of the running transfer; null when none runs.
    std::unique_ptr<orvo::SerialLine> m_hComm;
    // The progress dialog, made by the first Read or Write and deleted with the view.
    CProgressDlg* m_pProgressDlg = nullptr;
    // Direction of the next (or running) transfer: false read from the radio, true write to it.
    bool m_bWrite = false;

    // Program > Test Mode (tern_view_testmode.cpp).
    void OnTestMode();

    // File > Print, Print Preview, Print Setup (tern_view_print.cpp).
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    // The report's texts as the form shows them now: the selected entries of the six printed
    // setting lists (empty when none is selected) and the grid's header row and cells of rows
    // 1..16, columns 1..8 (tern_view_print.cpp).
    orvo::ReportData GetReportData() const;

    // Sees every key press of the form's controls (the editors included) before the control
    // does; `focus` is the widget with the keyboard focus. True consumes the key
    // (tern_view_editing.cpp).
    bool PreTranslateMessage(QWidget* focus, QKeyEvent* event);
    // The mouse entered `under`, a control of the form or the form itself: the status-bar hint
    // (tern_view_editing.cpp).
    void OnSetCursor(QWidget* under);

    // Grid events (tern_view_editing.cpp).
    void OnDblClickGrid();
    void OnEnterCellGrid();
    // Commits the edit in progress into the grid and closes its editor, as leaving the cell
    // does; does nothing when no editor is open.
    void OnLeaveCellGrid();
    // Commits the edit in progress as leaving its cell does, with its checks: the one call of
    // every command that replaces, transfers or closes the document (tern_view_data_safety.cpp).
    void CommitPendingEdit();
    // Before the image is saved or written to the radio: when channels lie outside the band it
    // selects, lists them with Continue / Cancel. True to go on (tern_view_data_safety.cpp).
    bool ConfirmOutOfBandChannels();
    void OnKeyPressGrid(short* KeyAscii);
    void OnMouseDownGrid(short Button, short Shift, int x, int y);
    // Opens the editor of the current column over the current cell, loaded, focused and shown.
    // `key` is the character typed on the grid, 0 when the mouse starts the edit, 13 when Enter
    // moves the edit on (tern_view_editing.cpp).
    void BeginCellEdit(short key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchControls();
    void CreateEditors();
    // What editing needs of the editors once they exist: the cells' colours, the frequency box
    // that takes no more text than it shows, and keys the editors leave unused kept from the
    // grid (tern_view_editing.cpp).
    void PrepareEditors();
    orvo::SettingSelections currentSelections() const;
    void applySelections(const orvo::SettingSelections& selections);
    void fillBandList();
    void markModified();
    void connectGridEvents();
    void prepareTransfer(bool write);
    void transferStateChanged();

    CTernDoc* m_pDocument;
    std::unique_ptr<Ui::TernViewForm> m_ui;
    QWidget* m_form = nullptr;
    std::array<QComboBox*, orvo::kSettingBoxCount> m_settingBoxes{};
    // Set while the view itself writes cells and selections, which are not user edits.
    bool m_bUpdatingView = false;
    // The user asked to close the main window while a transfer ran; it closes when that ends.
    bool m_bCloseAfterTransfer = false;

    // The one printer of the session, made at the first print command, so what Print Setup
    // chooses holds for Print and Print Preview (tern_view_print.cpp).
    QPrinter& GetPrinter();
    struct PrinterDeleter
    {
        void operator()(QPrinter* printer) const;
    };
    std::unique_ptr<QPrinter, PrinterDeleter> m_pPrinter;
};
