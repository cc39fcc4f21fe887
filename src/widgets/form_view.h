#pragma once
// FormView: the form, the main window's client. On the left the radio-wide setting lists, on the
// right the channel grid (grid/channel_table.h). It shows the document (document/document.h) and
// sends every edit made on it there: a list's pick to the document, a cell's text through the
// channel model. Enter on a setting list moves on as Tab does; the control under the mouse gives
// the status bar its hint. The commands of the menus live in src/app.

#include "core/image/settings_codec.h"
#include "core/link/serial_line.h"

#include <QScrollArea>
#include <QString>

#include <array>
#include <memory>

class ChannelTable;
class ProgressDialog;
class Document;
class QAction;
class QComboBox;
class QKeyEvent;
class QWidget;

namespace Ui {
class TernViewForm;
}

class FormView : public QScrollArea
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
    // editor without committing it and gives the focus to the Type list. The form follows the
    // document by itself.
    void resetForm();

    // Commits the edit in progress as leaving its cell does, with its checks, and closes its
    // editor; nothing when no editor is open. Every command that saves, prints, replaces,
    // transfers, copies or closes the document calls it first.
    void commitPendingEdit();

    // Program > Read From Radio / Write To Radio (form_view_transfer.cpp): commit the cell being
    // edited, set the direction and open the progress dialog (or retitle the one open and not
    // started). Nothing happens while a transfer runs.
    void OnReadFromRadio();
    void OnWriteToRadio();
    // Program > Verify With Radio: a read in the same dialog whose image is compared with the
    // document and shown in a VerifyDialog; the document is not changed.
    void OnVerifyWithRadio();
    // Program > Write To Several Radios (link/batch_write_dialog.cpp).
    void OnWriteToSeveralRadios();
    // The transfer, asked for by the dialog's Start: commits the edit in progress, confirms
    // channels outside the band before a write, asks about unsaved changes before a read (either
    // answered Cancel closes the dialog), opens m_strPort, runs the clone session with the dialog
    // showing its progress, closes the port and the dialog. Only a complete read changes the
    // document, as one undoable step that leaves it modified and without a file name; a verify
    // and a write's read-back only compare. While it runs, waiting cycles handle pending events
    // and look at Cancel.
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

    // Program > Test Mode (form_view_testmode.cpp).
    void OnTestMode();

    // The progress dialog, made by the first Read or Write and deleted with the view.
    ProgressDialog* progressDialog() const { return m_pProgressDlg; }
    // The port the next transfer or test-mode exchange opens, as the Port menu chose it.
    QString port() const { return m_strPort; }
    void setPort(const QString& port) { m_strPort = port; }

    // Old names the transfer, test-mode and bench code still call until it moves into its
    // controllers.
    Document* GetDocument() const { return document(); }
    void OnInitialUpdate() { resetForm(); }
    void CommitPendingEdit() { commitPendingEdit(); }
    static bool ConfirmOutOfBandChannels(QWidget* parent, const Document& doc);

signals:
    // The status bar's hint for the control under the mouse.
    void statusHint(const QString& text);
    // The commands' enabled states may have changed (a transfer started or ended).
    void commandStateChanged();

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
    void prepareTransfer(bool write);
    void transferStateChanged();

    Document* m_document;
    std::unique_ptr<Ui::TernViewForm> m_ui;
    QWidget* m_form = nullptr;
    ChannelTable* m_grid = nullptr;
    std::array<QComboBox*, orvo::kSettingBoxCount> m_settingBoxes{};
    // Set while the view itself shows the document's selections, which are not user edits.
    bool m_updatingView = false;
    // The port the Port menu chose, for the transfer and test-mode code: "COM1" at every start.
    QString m_strPort = QStringLiteral("COM1");
    // The port of the running transfer; null when none runs.
    std::unique_ptr<orvo::SerialLine> m_hComm;
    // The progress dialog, made by the first Read or Write and deleted with the view.
    ProgressDialog* m_pProgressDlg = nullptr;
    // Direction of the next (or running) transfer: false read from the radio, true write to it.
    bool m_bWrite = false;
    // The user asked to close the main window while a transfer ran; it closes when that ends.
    bool m_bCloseAfterTransfer = false;
};
