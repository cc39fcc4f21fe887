#pragma once
// DebugModeDialog: the "Debug Mode" dialog, with which a connected radio is adjusted on line. A
// tree picks one of three debug frequencies (High, Middle, Low: 20, 10 and 0 MHz above the
// band's lower edge), whose receive and transmit frequency, tone, tone method and step the
// frequency page shows, or one of four adjustment items, whose value 0..255 the item page sets
// on a slider. Start asks for the frequency page's edits and lists, with the current item and its
// value, to be sent to the radio; a typed frequency is held to the band and the step before it
// can be sent. Nothing of the dialog is stored anywhere; every opening starts afresh.

#include "core/testmode/debug_frequency.h"
#include "core/testmode/testmode_frames.h"

#include <QDialog>
#include <QPointer>
#include <QStringList>

#include <array>
#include <memory>

class ToneDropList;
class QKeyEvent;
class QRadioButton;

namespace Ui {
class DebugModeDlg;
}

class DebugModeDialog : public QDialog
{
    Q_OBJECT

public:
    // `bandBase` is the band's lower edge in MHz: the debug frequencies lie 20, 10 and 0 MHz
    // above it, and typed frequencies are held between it and 20 MHz above it.
    explicit DebugModeDialog(double bandBase, QWidget* parent = nullptr);
    ~DebugModeDialog() override;

    // What Start sends, as the dialog stands: the frequency page's edits and the current entries
    // of its tone lists, the current item and its value. The port is not the dialog's.
    orvo::TestModeRequest request() const;

    // While the exchange runs the dialog shows that it is busy, its controls do not change and it
    // does not close.
    void setBusy(bool busy);

    void accept() override;
    void reject() override;

signals:
    // The Start button.
    void startRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Enter presses the push button it was pressed on and does nothing else here; it never
    // ends the dialog: only "Exit Debug", the close box and Esc do.
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class Side { Receive, Transmit };

    // What one debug frequency's page holds.
    struct DebugPage
    {
        double rxFrequency = 0, txFrequency = 0; // MHz
        int rxTone = 0, txTone = 0;              // positions in the tone lists
        int rxStep = 0, txStep = 0;              // 0 = 5.00 kHz, 1 = 6.25 kHz
        int rxDqt = 0, txDqt = 0;                // tone method: 0 = QT, 1 = DQT
    };

    // The tree, the caption "Please Choose Frequency first", the first checks, both lists with
    // the QT list on "Off", every stored choice at 0, High and TX Frequency current, the slider
    // at 0 of 0..255. Only the tree and the big group box show.
    void buildContent();
    // Shows the page of the selected item and loads it, or ends the dialog ("Exit Debug").
    void selectTreeItem();
    // A tone method's button: the side's list changes to that method's, on its first entry.
    void chooseToneMethod(Side side, bool dqt);
    // A step button: the other one of the side is cleared, the page keeps the step.
    void chooseStep(Side side, bool step625);
    // High, Middle or Low on the item page: only that one stays checked.
    void chooseDebugFrequency(QRadioButton* chosen);
    // The tone list's drop-down closed: its current position is kept for the current page.
    void storeTone(Side side);
    // The slider moved: its position becomes the current item's value.
    void storeSliderValue();
    // The defaults of the page shown: the item's default value, or the debug frequency's
    // frequencies, steps, tone methods and tones.
    void applyDefaults();
    // Enter on a control: the Default handling on the Default button, the frequency check on a
    // frequency edit (held to the band, rounded to the side's step), and the focus moves on from
    // any control but Start. Never consumes the key.
    void handleEnter(QWidget* focus);

    void fillToneList(ToneDropList* list, bool dqt);
    void selectTonePosition(ToneDropList* list, int position);
    void setToneMethod(Side side, bool dqt);
    void setStep(Side side, bool step625);
    void showFrequencyPage(bool show);
    void showItemPage(bool show);
    void showCurrentPosition(int value);
    void checkFrequency(Side side);
    // Gives a frequency typed into an edit and not yet checked the check Enter gives, so that
    // Start sends what the edits show: on leaving the edit, on a page change and on Start.
    void confirmTypedFrequencies();
    // Where an item's value (TX Frequency .. TX Power) is kept in m_itemValues, and a debug
    // frequency's page (High .. Low) in m_pages.
    static std::size_t itemIndex(orvo::TestItem item);
    static std::size_t pageIndex(orvo::DebugFrequency which);
    int& itemValue(orvo::TestItem item);
    int itemValue(orvo::TestItem item) const;
    // The page of the current debug frequency.
    DebugPage& page();

    std::unique_ptr<Ui::DebugModeDlg> m_ui;
    QStringList m_tones;
    double m_bandBase = 0;
    // High, Middle and Low, in that order.
    std::array<DebugPage, 3> m_pages{};
    // Values of the items TX Frequency, Low Power Voltage, Squelch Level, TX Power.
    std::array<int, 4> m_itemValues{};
    orvo::DebugFrequency m_debugFrequency = orvo::DebugFrequency::High;
    orvo::TestItem m_debugItem = orvo::TestItem::TxFrequency;
    // The Default button shows from the first selection of a tree item that has a parent on.
    bool m_defaultShown = false;
    bool m_busy = false;
    // The control that had the focus when the last Enter arrived (the focus may move on).
    QPointer<QWidget> m_enterFocus;
    // The control that had the focus when the dialog became busy.
    QPointer<QWidget> m_focusBeforeBusy;
};
