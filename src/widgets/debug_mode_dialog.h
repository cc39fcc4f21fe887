#pragma once
// DebugModeDialog: the "Debug Mode" dialog, with which a connected radio is adjusted on line. A
// tree picks one of three debug frequencies (High, Middle, Low: 20, 10 and 0 MHz above the
// band's lower edge), whose receive and transmit frequency, tone, tone method and step the
// frequency page shows, or one of four adjustment items, whose value 0..255 the item page sets
// on a slider. Start sends the frequency page's edits and lists with the current item and its
// value to the radio. Nothing of the dialog is stored anywhere; every opening starts afresh.

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

class CToneDropList;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTreeWidget;
class QTreeWidgetItem;

namespace orvo {
class SerialLine;
}

namespace Ui {
class DebugModeDlg;
}

class DebugModeDialog : public QDialog
{
    Q_OBJECT

public:
    // Item data of the tree's items (5570 is not used).
    enum TreeData {
        kDataDebugFrequency = 5567,
        kDataHighFrequency = 5568,
        kDataMiddleFrequency = 5569,
        kDataLowFrequency = 5571,
        kDataDebugItem = 5572,
        kDataTxFrequency = 5573,
        kDataLowPowerVoltage = 5574,
        kDataSquelchLevel = 5575,
        kDataTxPower = 5576,
        kDataExitDebug = 5577,
    };
    // The role under which each tree item keeps its data.
    static constexpr int kItemDataRole = Qt::UserRole;

    explicit DebugModeDialog(QWidget* parent = nullptr);
    ~DebugModeDialog() override;

    // What one debug frequency's page holds for its receive and transmit side.
    struct DebugPage
    {
        double rxFrequency = 0, txFrequency = 0; // MHz
        int rxTone = 0, txTone = 0;              // positions in the tone lists
        int rxStep = 0, txStep = 0;              // 0 = 5.00 kHz, 1 = 6.25 kHz
        int rxDqt = 0, txDqt = 0;                // tone method: 0 = QT, 1 = DQT
    };
    // The pages of High, Middle and Low, at m_nDebugFreq - 2. The frequencies come from
    // SetBandBase; the dialog changes them only through its Default button.
    std::array<DebugPage, 3> m_pages{};
    // Lower limit of typed frequencies; the upper limit lies 20 MHz above it.
    double m_dBandBase = 0;

    // Sets the band's lower edge (MHz) and each page's frequencies from it: Low at the edge,
    // Middle 10 and High 20 MHz above.
    void SetBandBase(double bandBase);
    // 1 until the first selection of a tree item that has a parent.
    int m_bFirstSelect = 1;
    // Scratch for every formatted text.
    QString m_strText;
    // The serial port the exchange opens ("COM1".."COM4" or a device path).
    QString m_strPort;
    // The port, open only while Start's exchange runs.
    std::unique_ptr<orvo::SerialLine> m_hComm;
    // Current debug frequency: 2 High, 3 Middle, 4 Low.
    int m_nDebugFreq = 2;
    // Current adjustment item: 2 TX Frequency, 3 Low Power Voltage, 4 Squelch Level, 5 TX Power.
    int m_nDebugItem = 2;
    // Values of the items, 0..255.
    int m_nTxFreqValue = 0;
    int m_nTxPowerValue = 0;
    int m_nSquelchValue = 0;
    int m_nLowPowerValue = 0;

    // Controls, by control id.
    QRadioButton* m_radTxStep625 = nullptr;    // 1067
    QRadioButton* m_radRxStep625 = nullptr;    // 1064
    QRadioButton* m_radTxStep500 = nullptr;    // 1066
    QRadioButton* m_radRxStep500 = nullptr;    // 1063
    QLabel* m_lblTxStep = nullptr;             // 1065
    QLabel* m_lblRxStep = nullptr;             // 1062
    QPushButton* m_btnStart = nullptr;         // 1038
    QSlider* m_sliderValue = nullptr;          // 1039
    QGroupBox* m_grpChooseFrequency = nullptr; // 1043
    QRadioButton* m_radMiddle = nullptr;       // 1041
    QRadioButton* m_radLow = nullptr;          // 1042
    QRadioButton* m_radHigh = nullptr;         // 1040
    QPushButton* m_btnDefault = nullptr;       // 1028
    QLineEdit* m_editTxFreq = nullptr;         // 1031
    QLineEdit* m_editRxFreq = nullptr;         // 1030
    CToneDropList* m_cmbRxTone = nullptr;      // 1012
    CToneDropList* m_cmbTxTone = nullptr;      // 1013
    QRadioButton* m_radTxDqt = nullptr;        // 1037
    QRadioButton* m_radRxDqt = nullptr;        // 1035
    QRadioButton* m_radTxQt = nullptr;         // 1036
    QRadioButton* m_radRxQt = nullptr;         // 1034
    QGroupBox* m_grpReceive = nullptr;         // 1060
    QGroupBox* m_grpTransmit = nullptr;        // 1061
    QLabel* m_lblTxToneMethod = nullptr;       // 1059
    QLabel* m_lblRxToneMethod = nullptr;       // 1058
    QLabel* m_lblTxTone = nullptr;             // 1057
    QLabel* m_lblRxTone = nullptr;             // 1056
    QLabel* m_lblTxFrequency = nullptr;        // 1055
    QLabel* m_lblRxFrequency = nullptr;        // 1054
    QGroupBox* m_grpParameterValue = nullptr;  // 1044
    QLabel* m_lblCurrentValue = nullptr;       // 1052
    QLabel* m_lblMax = nullptr;                // 1051
    QLabel* m_lblMin = nullptr;                // 1049
    QGroupBox* m_grpPage = nullptr;            // 1029
    QTreeWidget* m_tree = nullptr;             // 1026

    // Builds the content (tree, captions, lists, slider), then runs the dialog modally.
    int DoModal();

    // The tree, the caption "Please Choose Frequency first", the first checks, both lists with
    // the QT list on "Off", every stored choice at 0, High and TX Frequency current, the slider
    // at 0 of 0..255. Only the tree and the big group box are shown.
    bool OnInitDialog();

    // Shows the page of the selected item and loads it, or ends the dialog ("Exit Debug").
    void OnSelchangedTree();
    // Sends the frequency page's edits and lists with the current item's value to the radio;
    // blocks until its last message is answered.
    void OnStart();
    void OnRxQt();
    void OnRxDqt();
    void OnTxQt();
    void OnTxDqt();
    void OnHigh();
    void OnLow();
    void OnMiddle();
    void OnRxStep500();
    void OnRxStep625();
    void OnTxStep500();
    void OnTxStep625();
    // The tone list's drop-down closed: its current position is stored for the current debug
    // frequency.
    void OnCloseupRxTone();
    void OnCloseupTxTone();
    // The slider moved: its position becomes the current item's value.
    void OnHScroll();
    // The defaults of the page shown: the item's default value, or the debug frequency's
    // frequencies, steps, tone methods and tones.
    void OnDefault();

    // Sees every key press of the dialog's controls first. Enter runs the Default handling on
    // the Default button, confirms a frequency edit (held to the band, rounded to the side's
    // step) and moves the focus on from any control but Start. Never consumes the key.
    bool PreTranslateMessage(QWidget* focus, QKeyEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Enter presses the push button it was pressed on and does nothing else here; it never
    // ends the dialog: only "Exit Debug", the close box and Esc do.
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class Side { Receive, Transmit };

    void fillToneList(CToneDropList* list, bool dqt);
    void selectTonePosition(CToneDropList* list, int position);
    void setToneMethod(Side side, bool dqt);
    void setStep(Side side, bool step625);
    void showFrequencyPage(bool show);
    void showItemPage(bool show);
    void showCurrentPosition(int value);
    void checkFrequency(Side side);
    void moveFocusOn();
    int* itemValue(int item);

    // The page of the current debug frequency.
    DebugPage& page();

    std::unique_ptr<Ui::DebugModeDlg> m_ui;
    QStringList m_tones;
    // The control that had the focus when the last Enter arrived (the focus may move on).
    QPointer<QWidget> m_pEnterFocus;
};
