#include "widgets/debug_mode_dialog.h"

#include "core/image/tone_codec.h"
#include "core/testmode/debug_frequency.h"
#include "core/testmode/testmode_session.h"
#include "serial/qt_serial_line.h"
#include "widgets/message_box.h"
#include "widgets/modal_dialog.h"
#include "widgets/tone_drop_list.h"

#include "ui_debug_mode_dlg.h"

#include <QKeyEvent>
#include <QStyleFactory>
#include <QStyledItemDelegate>

#include <array>

namespace {

constexpr int kDebugHigh = 2;
constexpr int kDebugMiddle = 3;
constexpr int kDebugLow = 4;

constexpr int kItemTxFrequency = 2;
constexpr int kItemLowPowerVoltage = 3;
constexpr int kItemSquelchLevel = 4;
constexpr int kItemTxPower = 5;

constexpr int kSliderMax = 255;

const char* const kCurrentPosition = "Current Position:";

// Draws the tree's items with the item under the mouse underlined in the link colour, and
// lets the user open a label for editing without ever keeping the edited text.
class DebugTreeDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        if (!(option.state & QStyle::State_MouseOver)) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem hot(option);
        hot.font.setUnderline(true);
        hot.palette.setColor(QPalette::Text, option.palette.color(QPalette::Link));
        QStyledItemDelegate::paint(painter, hot, index);
    }

    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}
};

// Shows the exchange's messages through the application's message box, owned by the dialog.
class DialogHost : public orvo::TestModeHost
{
public:
    explicit DialogHost(QWidget* owner) : m_owner(owner) {}

    Answer showMessage(const std::string& text, Buttons buttons) override
    {
        const QString message = QString::fromStdString(text);
        if (buttons == Buttons::Ok) {
            const auto icon =
                text == "Finish successfully!" ? QMessageBox::Information : QMessageBox::Warning;
            AppMessageBox(m_owner, message, QString(), icon, QMessageBox::Ok);
            return Answer::Ok;
        }
        const auto answer =
            AppMessageBox(m_owner, message, QString(), QMessageBox::Warning,
                          QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry);
        return answer == QMessageBox::Retry ? Answer::Retry : Answer::Cancel;
    }

private:
    QWidget* m_owner;
};

// The tone texts in table order, entry 0 "Off", as the core codes them.
QStringList toneTexts()
{
    QStringList texts;
    for (const std::string& tone : orvo::toneTable())
        texts.append(QString::fromStdString(tone));
    return texts;
}

} // namespace

DebugModeDialog::DebugModeDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::DebugModeDlg>()), m_tones(toneTexts())
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    m_radTxStep625 = m_ui->radTxStep625;
    m_radRxStep625 = m_ui->radRxStep625;
    m_radTxStep500 = m_ui->radTxStep500;
    m_radRxStep500 = m_ui->radRxStep500;
    m_lblTxStep = m_ui->lblTxStep;
    m_lblRxStep = m_ui->lblRxStep;
    m_btnStart = m_ui->btnStart;
    m_sliderValue = m_ui->sliderValue;
    m_grpChooseFrequency = m_ui->grpChooseFrequency;
    m_radMiddle = m_ui->radMiddle;
    m_radLow = m_ui->radLow;
    m_radHigh = m_ui->radHigh;
    m_btnDefault = m_ui->btnDefault;
    m_editTxFreq = m_ui->editTxFreq;
    m_editRxFreq = m_ui->editRxFreq;
    m_cmbRxTone = m_ui->cmbRxTone;
    m_cmbTxTone = m_ui->cmbTxTone;
    m_radTxDqt = m_ui->radTxDqt;
    m_radRxDqt = m_ui->radRxDqt;
    m_radTxQt = m_ui->radTxQt;
    m_radRxQt = m_ui->radRxQt;
    m_grpReceive = m_ui->grpReceive;
    m_grpTransmit = m_ui->grpTransmit;
    m_lblTxToneMethod = m_ui->lblTxToneMethod;
    m_lblRxToneMethod = m_ui->lblRxToneMethod;
    m_lblTxTone = m_ui->lblTxTone;
    m_lblRxTone = m_ui->lblRxTone;
    m_lblTxFrequency = m_ui->lblTxFrequency;
    m_lblRxFrequency = m_ui->lblRxFrequency;
    m_grpParameterValue = m_ui->grpParameterValue;
    m_lblCurrentValue = m_ui->lblCurrentValue;
    m_lblMax = m_ui->lblMax;
    m_lblMin = m_ui->lblMin;
    m_grpPage = m_ui->grpPage;
    m_tree = m_ui->treeDebug;

    // The tree draws its buttons and lines, also at the root, as the classic tree control does.
    if (QStyle* lines = QStyleFactory::create(QStringLiteral("Windows"))) {
        lines->setParent(m_tree);
        m_tree->setStyle(lines);
    }
    m_tree->setItemDelegate(new DebugTreeDelegate(m_tree));
    m_tree->setMouseTracking(true);
    m_tree->viewport()->setAttribute(Qt::WA_Hover);

    connect(m_tree, &QTreeWidget::currentItemChanged, this, &DebugModeDialog::OnSelchangedTree);
    connect(m_btnStart, &QPushButton::clicked, this, &DebugModeDialog::OnStart);
    connect(m_radRxQt, &QRadioButton::clicked, this, &DebugModeDialog::OnRxQt);
    connect(m_radRxDqt, &QRadioButton::clicked, this, &DebugModeDialog::OnRxDqt);
    connect(m_radTxQt, &QRadioButton::clicked, this, &DebugModeDialog::OnTxQt);
    connect(m_radTxDqt, &QRadioButton::clicked, this, &DebugModeDialog::OnTxDqt);
    connect(m_radHigh, &QRadioButton::clicked, this, &DebugModeDialog::OnHigh);
    connect(m_radLow, &QRadioButton::clicked, this, &DebugModeDialog::OnLow);
    connect(m_radMiddle, &QRadioButton::clicked, this, &DebugModeDialog::OnMiddle);
    connect(m_radRxStep500, &QRadioButton::clicked, this, &DebugModeDialog::OnRxStep500);
    connect(m_radRxStep625, &QRadioButton::clicked, this, &DebugModeDialog::OnRxStep625);
    connect(m_radTxStep500, &QRadioButton::clicked, this, &DebugModeDialog::OnTxStep500);
    connect(m_radTxStep625, &QRadioButton::clicked, this, &DebugModeDialog::OnTxStep625);
    m_cmbRxTone->setCloseUpHandler([this] { OnCloseupRxTone(); });
    m_cmbTxTone->setCloseUpHandler([this] { OnCloseupTxTone(); });
    // Every scroll notification: moves by key, wheel or page click, each step of a drag, and the
    // end of a drag. Positions set by the dialog itself are not notifications.
    connect(m_sliderValue, &QSlider::actionTriggered, this, &DebugModeDialog::OnHScroll);
    connect(m_sliderValue, &QSlider::sliderReleased, this, &DebugModeDialog::OnHScroll);
    connect(m_btnDefault, &QPushButton::clicked, this, &DebugModeDialog::OnDefault);

    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

DebugModeDialog::~DebugModeDialog() = default;

int DebugModeDialog::DoModal()
{
    OnInitDialog();
    return AppExecDialog(*this);
}

bool DebugModeDialog::OnInitDialog()
{
    const auto addItem = [](QTreeWidgetItem* item, const char* text, int data) {
        item->setText(0, QString::fromLatin1(text));
        item->setData(0, kItemDataRole, data);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        return item;
    };
    m_tree->clear();
    QTreeWidgetItem* frequencies =
        addItem(new QTreeWidgetItem(m_tree), "Debug Frequency", kDataDebugFrequency);
    addItem(new QTreeWidgetItem(frequencies), "High Frequency", kDataHighFrequency);
    addItem(new QTreeWidgetItem(frequencies), "Middle Frequency", kDataMiddleFrequency);
    addItem(new QTreeWidgetItem(frequencies), "Low Frequency", kDataLowFrequency);
    frequencies->setExpanded(true);
    QTreeWidgetItem* items = addItem(new QTreeWidgetItem(m_tree), "Debug Item", kDataDebugItem);
    addItem(new QTreeWidgetItem(items), "TX Frequency", kDataTxFrequency);
    addItem(new QTreeWidgetItem(items), "Low Power Voltage", kDataLowPowerVoltage);
    addItem(new QTreeWidgetItem(items), "Squelch Level", kDataSquelchLevel);
    addItem(new QTreeWidgetItem(items), "TX Power", kDataTxPower);
    addItem(new QTreeWidgetItem(m_tree), "Exit Debug", kDataExitDebug);
    items->setExpanded(false);

    m_grpPage->setTitle(QStringLiteral("Please Choose Frequency first"));

    m_radRxQt->setChecked(true);
    m_radTxQt->setChecked(true);
    m_radHigh->setChecked(true);
    m_radRxStep500->setChecked(true);
    m_radTxStep500->setChecked(true);

    fillToneList(m_cmbRxTone, false);
    fillToneList(m_cmbTxTone, false);
    m_cmbRxTone->setCurrentIndex(0);
    m_cmbTxTone->setCurrentIndex(0);

    for (DebugPage& each : m_pages)
        each.rxTone = each.txTone = each.rxStep = each.txStep = each.rxDqt = each.txDqt = 0;
    m_nTxFreqValue = m_nTxPowerValue = m_nSquelchValue = m_nLowPowerValue = 0;
    m_nDebugFreq = kDebugHigh;
    m_nDebugItem = kItemTxFrequency;

    m_sliderValue->setRange(0, kSliderMax);
    m_sliderValue->setValue(0);

    // Only the tree and the big group box show until the first child item is selected.
    showFrequencyPage(false);
    showItemPage(false);
    m_btnDefault->hide();
    return true;
}

void DebugModeDialog::OnSelchangedTree()
{
    QTreeWidgetItem* item = m_tree->currentItem();
    if (!item)
        return;

    if (QTreeWidgetItem* parent = item->parent()) {
        if (m_bFirstSelect == 1) {
            m_bFirstSelect = 0;
            m_btnDefault->show();
        }
        const int parentData = parent->data(0, kItemDataRole).toInt();
        if (parentData == kDataDebugFrequency) {
            showItemPage(false);
            showFrequencyPage(true);
        } else if (parentData == kDataDebugItem) {
            showFrequencyPage(false);
            showItemPage(true);
        }
    }

    const int data = item->data(0, kItemDataRole).toInt();
    switch (data) {
    case kDataHighFrequency:
    case kDataMiddleFrequency:
    case kDataLowFrequency: {
        if (data == kDataHighFrequency) {
            m_grpPage->setTitle(QStringLiteral("High Frequency"));
            m_nDebugFreq = kDebugHigh;
        } else if (data == kDataMiddleFrequency) {
            m_grpPage->setTitle(QStringLiteral("Middle Frequency"));
            m_nDebugFreq = kDebugMiddle;
        } else {
            m_grpPage->setTitle(QStringLiteral("Low frequency"));
            m_nDebugFreq = kDebugLow;
        }
        m_strText = QString::fromStdString(orvo::formatDebugFrequency(page().rxFrequency));
        m_editRxFreq->setText(m_strText);
        m_strText = QString::fromStdString(orvo::formatDebugFrequency(page().txFrequency));
        m_editTxFreq->setText(m_strText);
        setStep(Side::Receive, page().rxStep == 1);
        setStep(Side::Transmit, page().txStep == 1);
        setToneMethod(Side::Receive, page().rxDqt == 1);
        setToneMethod(Side::Transmit, page().txDqt == 1);
        selectTonePosition(m_cmbRxTone, page().rxTone);
        selectTonePosition(m_cmbTxTone, page().txTone);
        break;
    }
    case kDataTxFrequency:
    case kDataLowPowerVoltage:
    case kDataSquelchLevel:
    case kDataTxPower: {
        const int code = kItemTxFrequency + (data - kDataTxFrequency);
        m_sliderValue->setValue(*itemValue(code));
        m_nDebugItem = code;
        showCurrentPosition(*itemValue(code));
        break;
    }
    case kDataExitDebug:
        accept();
        break;
    default:
        break;
    }
}

void DebugModeDialog::OnStart()
{
    orvo::TestModeRequest request;
    request.port = m_strPort.toStdString();
    request.item = static_cast<orvo::TestItem>(m_nDebugItem);
    const int* value = itemValue(m_nDebugItem);
    request.value = value ? *value : 0;
    request.rxFrequency = m_editRxFreq->text().toStdString();
    request.txFrequency = m_editTxFreq->text().toStdString();
    request.rxTone = m_cmbRxTone->currentText().toStdString();
    request.txTone = m_cmbTxTone->currentText().toStdString();

    // The exchange blocks here until its last message is answered; the port is open only
    // meanwhile.
    DialogHost host(this);
    m_hComm = orvo::makeSerialLine();
    orvo::runTestMode(*m_hComm, host, request);
    m_hComm.reset();
}

void DebugModeDialog::OnRxQt()
{
    m_radRxQt->setChecked(true);
    if (m_radRxDqt->isChecked()) {
        page().rxDqt = 0;
        setToneMethod(Side::Receive, false);
        m_cmbRxTone->setCurrentIndex(0);
    }
}

void DebugModeDialog::OnRxDqt()
{
    m_radRxDqt->setChecked(true);
    if (m_radRxQt->isChecked()) {
        page().rxDqt = 1;
        setToneMethod(Side::Receive, true);
        m_cmbRxTone->setCurrentIndex(0);
    }
}

void DebugModeDialog::OnTxQt()
{
    m_radTxQt->setChecked(true);
    if (m_radTxDqt->isChecked()) {
        page().txDqt = 0;
        setToneMethod(Side::Transmit, false);
        m_cmbTxTone->setCurrentIndex(0);
    }
}

void DebugModeDialog::OnTxDqt()
{
    m_radTxDqt->setChecked(true);
    if (m_radTxQt->isChecked()) {
        page().txDqt = 1;
        setToneMethod(Side::Transmit, true);
        m_cmbTxTone->setCurrentIndex(0);
    }
}

void DebugModeDialog::OnHigh()
{
    m_radHigh->setChecked(true);
    m_radMiddle->setChecked(false);
    m_radLow->setChecked(false);
}

void DebugModeDialog::OnLow()
{
    m_radLow->setChecked(true);
    m_radHigh->setChecked(false);
    m_radMiddle->setChecked(false);
}

void DebugModeDialog::OnMiddle()
{
    m_radMiddle->setChecked(true);
    m_radHigh->setChecked(false);
    m_radLow->setChecked(false);
}

void DebugModeDialog::OnRxStep500()
{
    setStep(Side::Receive, false);
    page().rxStep = 0;
}

void DebugModeDialog::OnRxStep625()
{
    setStep(Side::Receive, true);
    page().rxStep = 1;
}

void DebugModeDialog::OnTxStep500()
{
    setStep(Side::Transmit, false);
    page().txStep = 0;
}

void DebugModeDialog::OnTxStep625()
{
    setStep(Side::Transmit, true);
    page().txStep = 1;
}

void DebugModeDialog::OnCloseupRxTone()
{
    page().rxTone = m_cmbRxTone->currentIndex();
}

void DebugModeDialog::OnCloseupTxTone()
{
    page().txTone = m_cmbTxTone->currentIndex();
}

void DebugModeDialog::OnHScroll()
{
    const int position = m_sliderValue->sliderPosition();
    showCurrentPosition(position);
    if (int* value = itemValue(m_nDebugItem))
        *value = position;
}

void DebugModeDialog::OnDefault()
{
    if (!m_sliderValue->isHidden()) {
        int* value = itemValue(m_nDebugItem);
        if (!value)
            return;
        switch (m_nDebugItem) {
        case kItemTxFrequency:
            *value = 91;
            break;
        case kItemLowPowerVoltage:
            *value = 38;
            break;
        case kItemSquelchLevel:
            *value = 160;
            break;
        case kItemTxPower:
            *value = 47;
            break;
        }
        showCurrentPosition(*value);
        m_sliderValue->setValue(*value);
        return;
    }
    if (m_editRxFreq->isHidden())
        return;

    const auto which = static_cast<orvo::DebugFrequency>(m_nDebugFreq);
    const double frequency = m_dBandBase + orvo::debugFrequencyOffset(which);
    page() = DebugPage{frequency, frequency}; // 5.00 kHz steps, QT, tone "Off" on both sides
    m_strText = QString::fromStdString(orvo::formatDebugFrequency(frequency));
    m_editRxFreq->setText(m_strText);
    m_editTxFreq->setText(m_strText);
    for (Side side : {Side::Receive, Side::Transmit}) {
        setStep(side, false);
        setToneMethod(side, false);
    }
    m_cmbRxTone->setCurrentIndex(0);
    m_cmbTxTone->setCurrentIndex(0);
}

bool DebugModeDialog::PreTranslateMessage(QWidget* focus, QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    if (focus == m_btnDefault) {
        OnDefault();
    } else if (focus == m_editRxFreq) {
        checkFrequency(Side::Receive);
        moveFocusOn();
    } else if (focus == m_editTxFreq) {
        checkFrequency(Side::Transmit);
        moveFocusOn();
    } else if (focus != m_btnStart) {
        moveFocusOn();
    }
    // The key goes on to the control: Enter on a push button presses it.
    return false;
}

bool DebugModeDialog::eventFilter(QObject* watched, QEvent* event)
{
    // A key the focus widget ignores travels on to its parents; it is looked at only once, at
    // the widget that had the focus when it arrived.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() && watched == focusWidget()) {
        auto* focus = static_cast<QWidget*>(watched);
        m_pEnterFocus = focus;
        return PreTranslateMessage(focus, static_cast<QKeyEvent*>(event));
    }
    return QDialog::eventFilter(watched, event);
}

void DebugModeDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    // The push buttons are not default buttons, so no Enter presses one the focus merely
    // moved to; Enter pressed on one presses it, as a dialog's keyboard handling does.
    auto* button = qobject_cast<QPushButton*>(m_pEnterFocus.data());
    m_pEnterFocus = nullptr;
    event->accept();
    if (button && button == focusWidget() && button->isVisible() && button->isEnabled())
        button->click();
}

void DebugModeDialog::fillToneList(CToneDropList* list, bool dqt)
{
    const orvo::ToneRange range = orvo::debugToneList(dqt);
    list->clear();
    list->addItems(m_tones.mid(range.first, range.count));
}

void DebugModeDialog::selectTonePosition(CToneDropList* list, int position)
{
    // A position stored for the other list may lie beyond this one: the list then shows "Off"
    // (or its first entry), so Start always has a tone to send.
    list->setCurrentIndex(position >= 0 && position < list->count() ? position : 0);
}

void DebugModeDialog::setToneMethod(Side side, bool dqt)
{
    QRadioButton* qt = side == Side::Receive ? m_radRxQt : m_radTxQt;
    QRadioButton* dqtButton = side == Side::Receive ? m_radRxDqt : m_radTxDqt;
    dqtButton->setChecked(dqt);
    qt->setChecked(!dqt);
    fillToneList(side == Side::Receive ? m_cmbRxTone : m_cmbTxTone, dqt);
}

void DebugModeDialog::setStep(Side side, bool step625)
{
    QRadioButton* step500 = side == Side::Receive ? m_radRxStep500 : m_radTxStep500;
    QRadioButton* step625Button = side == Side::Receive ? m_radRxStep625 : m_radTxStep625;
    step625Button->setChecked(step625);
    step500->setChecked(!step625);
}

void DebugModeDialog::showFrequencyPage(bool show)
{
    const std::array<QWidget*, 22> page{
        m_grpReceive,      m_lblRxFrequency,  m_editRxFreq,     m_lblRxTone,  m_cmbRxTone,
        m_lblRxToneMethod, m_radRxQt,         m_radRxDqt,       m_lblRxStep,  m_radRxStep500,
        m_radRxStep625,    m_grpTransmit,     m_lblTxFrequency, m_editTxFreq, m_lblTxTone,
        m_cmbTxTone,       m_lblTxToneMethod, m_radTxQt,        m_radTxDqt,   m_lblTxStep,
        m_radTxStep500,    m_radTxStep625};
    for (QWidget* control : page)
        control->setVisible(show);
}

void DebugModeDialog::showItemPage(bool show)
{
    const std::array<QWidget*, 10> page{m_grpChooseFrequency, m_radHigh, m_radMiddle,   m_radLow,
                                        m_grpParameterValue,  m_lblMin,  m_sliderValue, m_lblMax,
                                        m_lblCurrentValue,    m_btnStart};
    for (QWidget* control : page)
        control->setVisible(show);
}

void DebugModeDialog::showCurrentPosition(int value)
{
    m_strText = QString::fromLatin1(kCurrentPosition) + QString::number(value);
    m_lblCurrentValue->setText(m_strText);
}

void DebugModeDialog::checkFrequency(Side side)
{
    QLineEdit* edit = side == Side::Receive ? m_editRxFreq : m_editTxFreq;
    const QRadioButton* step500 = side == Side::Receive ? m_radRxStep500 : m_radTxStep500;
    const orvo::DebugStep step =
        step500->isChecked() ? orvo::DebugStep::Khz5 : orvo::DebugStep::Khz6_25;
    m_strText = QString::fromStdString(
        orvo::confirmDebugFrequency(edit->text().toStdString(), m_dBandBase, step));
    edit->setText(m_strText);
}

void DebugModeDialog::moveFocusOn()
{
    focusNextChild();
}

int* DebugModeDialog::itemValue(int item)
{
    switch (item) {
    case kItemTxFrequency:
        return &m_nTxFreqValue;
    case kItemLowPowerVoltage:
        return &m_nLowPowerValue;
    case kItemSquelchLevel:
        return &m_nSquelchValue;
    case kItemTxPower:
        return &m_nTxPowerValue;
    default:
        return nullptr;
    }
}

DebugModeDialog::DebugPage& DebugModeDialog::page()
{
    const int index = m_nDebugFreq - kDebugHigh;
    return m_pages[static_cast<std::size_t>(index >= 0 && index < 3 ? index : 0)];
}

void DebugModeDialog::SetBandBase(double bandBase)
{
    m_dBandBase = bandBase;
    for (int which : {kDebugHigh, kDebugMiddle, kDebugLow}) {
        DebugPage& page = m_pages[static_cast<std::size_t>(which - kDebugHigh)];
        page.rxFrequency = page.txFrequency =
            bandBase + orvo::debugFrequencyOffset(static_cast<orvo::DebugFrequency>(which));
    }
}
