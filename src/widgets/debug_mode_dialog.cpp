#include "widgets/debug_mode_dialog.h"

#include "core/testmode/debug_frequency.h"
#include "document/message_text.h"
#include "document/language.h"
#include "widgets/tone_drop_list.h"

#include "ui_debug_mode_dlg.h"

#include <QKeyEvent>
#include <QStyleFactory>
#include <QStyledItemDelegate>

namespace {

// What a tree item stands for, under Qt::UserRole; a debug frequency's or an adjustment item's
// own number (the core's enums) under kEntryValueRole.
enum class TreeEntry { FrequencyGroup, Frequency, ItemGroup, Item, Exit };
constexpr int kEntryRole = Qt::UserRole;
constexpr int kEntryValueRole = Qt::UserRole + 1;

TreeEntry entryOf(const QTreeWidgetItem* item)
{
    return static_cast<TreeEntry>(item->data(0, kEntryRole).toInt());
}

// The items' values after Default, TX Frequency first.
constexpr std::array<int, 4> kDefaultValues{91, 38, 160, 47};

constexpr int kSliderMax = 255;

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

// The tone a list's current entry stands for, as the core codes it.
std::string currentTone(const QComboBox* list)
{
    const QVariant tone = list->currentData();
    return (tone.isValid() ? tone.toString() : list->currentText()).toStdString();
}

} // namespace

DebugModeDialog::DebugModeDialog(double bandBase, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::DebugModeDlg>()), m_tones(toneListEntries()),
      m_bandBase(bandBase)
{
    m_ui->setupUi(this);
    setFont(languageFont(font()));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    for (auto which :
         {orvo::DebugFrequency::High, orvo::DebugFrequency::Middle, orvo::DebugFrequency::Low}) {
        DebugPage& each = m_pages[pageIndex(which)];
        each.rxFrequency = each.txFrequency = bandBase + orvo::debugFrequencyOffset(which);
    }

    QTreeWidget* tree = m_ui->treeDebug;
    // The tree draws its buttons and lines, also at the root, as the classic tree control does.
    if (QStyle* lines = QStyleFactory::create(QStringLiteral("Windows"))) {
        lines->setParent(tree);
        tree->setStyle(lines);
    }
    tree->setItemDelegate(new DebugTreeDelegate(tree));
    tree->setMouseTracking(true);
    tree->viewport()->setAttribute(Qt::WA_Hover);

    connect(tree, &QTreeWidget::currentItemChanged, this, &DebugModeDialog::selectTreeItem);
    connect(m_ui->btnStart, &QPushButton::clicked, this, [this] {
        confirmTypedFrequencies();
        emit startRequested();
    });
    const auto onClick = [this](QRadioButton* button, auto handler) {
        connect(button, &QRadioButton::clicked, this, handler);
    };
    onClick(m_ui->radRxQt, [this] { chooseToneMethod(Side::Receive, false); });
    onClick(m_ui->radRxDqt, [this] { chooseToneMethod(Side::Receive, true); });
    onClick(m_ui->radTxQt, [this] { chooseToneMethod(Side::Transmit, false); });
    onClick(m_ui->radTxDqt, [this] { chooseToneMethod(Side::Transmit, true); });
    for (QRadioButton* button : {m_ui->radHigh, m_ui->radLow, m_ui->radMiddle})
        onClick(button, [this, button] { chooseDebugFrequency(button); });
    onClick(m_ui->radRxStep500, [this] { chooseStep(Side::Receive, false); });
    onClick(m_ui->radRxStep625, [this] { chooseStep(Side::Receive, true); });
    onClick(m_ui->radTxStep500, [this] { chooseStep(Side::Transmit, false); });
    onClick(m_ui->radTxStep625, [this] { chooseStep(Side::Transmit, true); });
    m_ui->cmbRxTone->setCloseUpHandler([this] { storeTone(Side::Receive); });
    m_ui->cmbTxTone->setCloseUpHandler([this] { storeTone(Side::Transmit); });
    // Every scroll notification: moves by key, wheel or page click, each step of a drag, and the
    // end of a drag. Positions set by the dialog itself are not notifications.
    connect(m_ui->sliderValue, &QSlider::actionTriggered, this, &DebugModeDialog::storeSliderValue);
    connect(m_ui->sliderValue, &QSlider::sliderReleased, this, &DebugModeDialog::storeSliderValue);
    connect(m_ui->btnDefault, &QPushButton::clicked, this, &DebugModeDialog::applyDefaults);

    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    buildContent();
}

DebugModeDialog::~DebugModeDialog() = default;

void DebugModeDialog::buildContent()
{
    const auto addItem = [](QTreeWidgetItem* item, const char* text, TreeEntry entry,
                            int value = 0) {
        item->setText(0, tr(text));
        item->setData(0, kEntryRole, static_cast<int>(entry));
        item->setData(0, kEntryValueRole, value);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        return item;
    };
    const auto frequency = [](orvo::DebugFrequency which) { return static_cast<int>(which); };
    const auto adjustment = [](orvo::TestItem which) { return static_cast<int>(which); };
    QTreeWidget* tree = m_ui->treeDebug;
    tree->clear();
    QTreeWidgetItem* frequencies = addItem(new QTreeWidgetItem(tree),
                                           QT_TR_NOOP("Debug Frequency"), TreeEntry::FrequencyGroup);
    addItem(new QTreeWidgetItem(frequencies), QT_TR_NOOP("High Frequency"), TreeEntry::Frequency,
            frequency(orvo::DebugFrequency::High));
    addItem(new QTreeWidgetItem(frequencies), QT_TR_NOOP("Middle Frequency"),
            TreeEntry::Frequency, frequency(orvo::DebugFrequency::Middle));
    addItem(new QTreeWidgetItem(frequencies), QT_TR_NOOP("Low Frequency"), TreeEntry::Frequency,
            frequency(orvo::DebugFrequency::Low));
    frequencies->setExpanded(true);
    QTreeWidgetItem* items =
        addItem(new QTreeWidgetItem(tree), QT_TR_NOOP("Debug Item"), TreeEntry::ItemGroup);
    addItem(new QTreeWidgetItem(items), QT_TR_NOOP("TX Frequency"), TreeEntry::Item,
            adjustment(orvo::TestItem::TxFrequency));
    addItem(new QTreeWidgetItem(items), QT_TR_NOOP("Low Power Voltage"), TreeEntry::Item,
            adjustment(orvo::TestItem::LowPowerVoltage));
    addItem(new QTreeWidgetItem(items), QT_TR_NOOP("Squelch Level"), TreeEntry::Item,
            adjustment(orvo::TestItem::SquelchLevel));
    addItem(new QTreeWidgetItem(items), QT_TR_NOOP("TX Power"), TreeEntry::Item,
            adjustment(orvo::TestItem::TxPower));
    addItem(new QTreeWidgetItem(tree), QT_TR_NOOP("Exit Debug"), TreeEntry::Exit);
    items->setExpanded(false);

    m_ui->grpPage->setTitle(tr("Please Choose Frequency first"));

    m_ui->radRxQt->setChecked(true);
    m_ui->radTxQt->setChecked(true);
    m_ui->radHigh->setChecked(true);
    m_ui->radRxStep500->setChecked(true);
    m_ui->radTxStep500->setChecked(true);

    fillToneList(m_ui->cmbRxTone, false);
    fillToneList(m_ui->cmbTxTone, false);
    m_ui->cmbRxTone->setCurrentIndex(0);
    m_ui->cmbTxTone->setCurrentIndex(0);

    for (DebugPage& each : m_pages)
        each.rxTone = each.txTone = each.rxStep = each.txStep = each.rxDqt = each.txDqt = 0;
    m_itemValues.fill(0);
    m_debugFrequency = orvo::DebugFrequency::High;
    m_debugItem = orvo::TestItem::TxFrequency;

    m_ui->sliderValue->setRange(0, kSliderMax);
    m_ui->sliderValue->setValue(0);

    // Only the tree and the big group box show until the first child item is selected.
    showFrequencyPage(false);
    showItemPage(false);
    m_ui->btnDefault->hide();
}

orvo::TestModeRequest DebugModeDialog::request() const
{
    orvo::TestModeRequest request;
    request.item = m_debugItem;
    request.value = itemValue(m_debugItem);
    request.rxFrequency = m_ui->editRxFreq->text().toStdString();
    request.txFrequency = m_ui->editTxFreq->text().toStdString();
    request.rxTone = currentTone(m_ui->cmbRxTone);
    request.txTone = currentTone(m_ui->cmbTxTone);
    return request;
}

void DebugModeDialog::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        m_focusBeforeBusy = focusWidget();
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        control->setEnabled(!busy);
    if (busy) {
        setCursor(Qt::BusyCursor);
    } else {
        unsetCursor();
        if (m_focusBeforeBusy && m_focusBeforeBusy->isVisible())
            m_focusBeforeBusy->setFocus();
    }
}

void DebugModeDialog::accept()
{
    if (!m_busy)
        QDialog::accept();
}

void DebugModeDialog::reject()
{
    if (!m_busy)
        QDialog::reject();
}

void DebugModeDialog::selectTreeItem()
{
    confirmTypedFrequencies();
    QTreeWidgetItem* item = m_ui->treeDebug->currentItem();
    if (!item)
        return;

    if (QTreeWidgetItem* parent = item->parent()) {
        if (!m_defaultShown) {
            m_defaultShown = true;
            m_ui->btnDefault->show();
        }
        const TreeEntry group = entryOf(parent);
        if (group == TreeEntry::FrequencyGroup) {
            showItemPage(false);
            showFrequencyPage(true);
        } else if (group == TreeEntry::ItemGroup) {
            showFrequencyPage(false);
            showItemPage(true);
        }
    }

    const int value = item->data(0, kEntryValueRole).toInt();
    switch (entryOf(item)) {
    case TreeEntry::Frequency: {
        m_debugFrequency = static_cast<orvo::DebugFrequency>(value);
        switch (m_debugFrequency) {
        case orvo::DebugFrequency::High:
            m_ui->grpPage->setTitle(tr("High Frequency"));
            break;
        case orvo::DebugFrequency::Middle:
            m_ui->grpPage->setTitle(tr("Middle Frequency"));
            break;
        case orvo::DebugFrequency::Low:
            m_ui->grpPage->setTitle(tr("Low frequency"));
            break;
        }
        m_ui->editRxFreq->setText(
            QString::fromStdString(orvo::formatDebugFrequency(page().rxFrequency)));
        m_ui->editTxFreq->setText(
            QString::fromStdString(orvo::formatDebugFrequency(page().txFrequency)));
        setStep(Side::Receive, page().rxStep == 1);
        setStep(Side::Transmit, page().txStep == 1);
        setToneMethod(Side::Receive, page().rxDqt == 1);
        setToneMethod(Side::Transmit, page().txDqt == 1);
        selectTonePosition(m_ui->cmbRxTone, page().rxTone);
        selectTonePosition(m_ui->cmbTxTone, page().txTone);
        break;
    }
    case TreeEntry::Item:
        m_debugItem = static_cast<orvo::TestItem>(value);
        m_ui->grpPage->setTitle(item->text(0));
        m_ui->sliderValue->setValue(itemValue(m_debugItem));
        showCurrentPosition(itemValue(m_debugItem));
        break;
    case TreeEntry::Exit:
        accept();
        break;
    case TreeEntry::FrequencyGroup:
    case TreeEntry::ItemGroup:
        break;
    }
}

void DebugModeDialog::chooseToneMethod(Side side, bool dqt)
{
    const bool receive = side == Side::Receive;
    QRadioButton* chosen = dqt ? (receive ? m_ui->radRxDqt : m_ui->radTxDqt)
                               : (receive ? m_ui->radRxQt : m_ui->radTxQt);
    QRadioButton* other = dqt ? (receive ? m_ui->radRxQt : m_ui->radTxQt)
                              : (receive ? m_ui->radRxDqt : m_ui->radTxDqt);
    chosen->setChecked(true);
    if (!other->isChecked())
        return;
    (receive ? page().rxDqt : page().txDqt) = dqt ? 1 : 0;
    setToneMethod(side, dqt);
    (receive ? m_ui->cmbRxTone : m_ui->cmbTxTone)->setCurrentIndex(0);
}

void DebugModeDialog::chooseStep(Side side, bool step625)
{
    setStep(side, step625);
    (side == Side::Receive ? page().rxStep : page().txStep) = step625 ? 1 : 0;
}

void DebugModeDialog::chooseDebugFrequency(QRadioButton* chosen)
{
    for (QRadioButton* button : {m_ui->radHigh, m_ui->radMiddle, m_ui->radLow})
        button->setChecked(button == chosen);
}

void DebugModeDialog::storeTone(Side side)
{
    if (side == Side::Receive)
        page().rxTone = m_ui->cmbRxTone->currentIndex();
    else
        page().txTone = m_ui->cmbTxTone->currentIndex();
}

void DebugModeDialog::storeSliderValue()
{
    const int position = m_ui->sliderValue->sliderPosition();
    showCurrentPosition(position);
    itemValue(m_debugItem) = position;
}

void DebugModeDialog::applyDefaults()
{
    if (!m_ui->sliderValue->isHidden()) {
        const int value = kDefaultValues[itemIndex(m_debugItem)];
        itemValue(m_debugItem) = value;
        showCurrentPosition(value);
        m_ui->sliderValue->setValue(value);
        return;
    }
    if (m_ui->editRxFreq->isHidden())
        return;

    const double frequency = m_bandBase + orvo::debugFrequencyOffset(m_debugFrequency);
    page() = DebugPage{frequency, frequency}; // 5.00 kHz steps, QT, tone "Off" on both sides
    const QString text = QString::fromStdString(orvo::formatDebugFrequency(frequency));
    m_ui->editRxFreq->setText(text);
    m_ui->editTxFreq->setText(text);
    for (Side side : {Side::Receive, Side::Transmit}) {
        setStep(side, false);
        setToneMethod(side, false);
    }
    m_ui->cmbRxTone->setCurrentIndex(0);
    m_ui->cmbTxTone->setCurrentIndex(0);
}

void DebugModeDialog::handleEnter(QWidget* focus)
{
    if (focus == m_ui->btnDefault) {
        applyDefaults();
    } else if (focus == m_ui->editRxFreq) {
        checkFrequency(Side::Receive);
        focusNextChild();
    } else if (focus == m_ui->editTxFreq) {
        checkFrequency(Side::Transmit);
        focusNextChild();
    } else if (focus != m_ui->btnStart) {
        focusNextChild();
    }
}

bool DebugModeDialog::eventFilter(QObject* watched, QEvent* event)
{
    // A key the focus widget ignores travels on to its parents; it is looked at only once, at
    // the widget that had the focus when it arrived. The key goes on to the control afterwards:
    // Enter on a push button presses it.
    // A frequency leaves its edit checked, however the focus leaves it; only a focus that goes
    // to another window or a popup comes back to the text as it was left.
    if (event->type() == QEvent::FocusOut &&
        (watched == m_ui->editRxFreq || watched == m_ui->editTxFreq)) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            confirmTypedFrequencies();
        return false;
    }
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() && watched == focusWidget()) {
        auto* focus = static_cast<QWidget*>(watched);
        m_enterFocus = focus;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            handleEnter(focus);
        return false;
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
    auto* button = qobject_cast<QPushButton*>(m_enterFocus.data());
    m_enterFocus = nullptr;
    event->accept();
    if (button && button == focusWidget() && button->isVisible() && button->isEnabled())
        button->click();
}

void DebugModeDialog::fillToneList(ToneDropList* list, bool dqt)
{
    const orvo::ToneRange range = orvo::debugToneList(dqt);
    list->clear();
    // Each entry shows its tone in the window's language ("Off" too) and holds it as coded.
    for (const QString& tone : m_tones.mid(range.first, range.count))
        list->addItem(translatedWord(tone.toStdString()), tone);
}

void DebugModeDialog::selectTonePosition(ToneDropList* list, int position)
{
    // A position stored for the other list may lie beyond this one: the list then shows "Off"
    // (or its first entry), so Start always has a tone to send.
    list->setCurrentIndex(position >= 0 && position < list->count() ? position : 0);
}

void DebugModeDialog::setToneMethod(Side side, bool dqt)
{
    const bool receive = side == Side::Receive;
    (receive ? m_ui->radRxDqt : m_ui->radTxDqt)->setChecked(dqt);
    (receive ? m_ui->radRxQt : m_ui->radTxQt)->setChecked(!dqt);
    fillToneList(receive ? m_ui->cmbRxTone : m_ui->cmbTxTone, dqt);
}

void DebugModeDialog::setStep(Side side, bool step625)
{
    const bool receive = side == Side::Receive;
    (receive ? m_ui->radRxStep625 : m_ui->radTxStep625)->setChecked(step625);
    (receive ? m_ui->radRxStep500 : m_ui->radTxStep500)->setChecked(!step625);
}

void DebugModeDialog::showFrequencyPage(bool show)
{
    const std::array<QWidget*, 22> controls{
        m_ui->grpReceive,      m_ui->lblRxFrequency,  m_ui->editRxFreq,   m_ui->lblRxTone,
        m_ui->cmbRxTone,       m_ui->lblRxToneMethod, m_ui->radRxQt,      m_ui->radRxDqt,
        m_ui->lblRxStep,       m_ui->radRxStep500,    m_ui->radRxStep625, m_ui->grpTransmit,
        m_ui->lblTxFrequency,  m_ui->editTxFreq,      m_ui->lblTxTone,    m_ui->cmbTxTone,
        m_ui->lblTxToneMethod, m_ui->radTxQt,         m_ui->radTxDqt,     m_ui->lblTxStep,
        m_ui->radTxStep500,    m_ui->radTxStep625};
    for (QWidget* control : controls)
        control->setVisible(show);
}

void DebugModeDialog::showItemPage(bool show)
{
    const std::array<QWidget*, 10> controls{
        m_ui->grpChooseFrequency, m_ui->radHigh, m_ui->radMiddle,   m_ui->radLow,
        m_ui->grpParameterValue,  m_ui->lblMin,  m_ui->sliderValue, m_ui->lblMax,
        m_ui->lblCurrentValue,    m_ui->btnStart};
    for (QWidget* control : controls)
        control->setVisible(show);
}

void DebugModeDialog::showCurrentPosition(int value)
{
    m_ui->lblCurrentValue->setText(tr("Current Position:") + QString::number(value));
}

void DebugModeDialog::checkFrequency(Side side)
{
    const bool receive = side == Side::Receive;
    QLineEdit* edit = receive ? m_ui->editRxFreq : m_ui->editTxFreq;
    const orvo::DebugStep step = (receive ? m_ui->radRxStep500 : m_ui->radTxStep500)->isChecked()
                                     ? orvo::DebugStep::Khz5
                                     : orvo::DebugStep::Khz6_25;
    edit->setText(QString::fromStdString(
        orvo::confirmDebugFrequency(edit->text().toStdString(), m_bandBase, step)));
}

void DebugModeDialog::confirmTypedFrequencies()
{
    // An edit is modified from the user's first key until the dialog sets its text again.
    if (m_ui->editRxFreq->isModified())
        checkFrequency(Side::Receive);
    if (m_ui->editTxFreq->isModified())
        checkFrequency(Side::Transmit);
}

std::size_t DebugModeDialog::itemIndex(orvo::TestItem item)
{
    return static_cast<std::size_t>(item) - static_cast<std::size_t>(orvo::TestItem::TxFrequency);
}

std::size_t DebugModeDialog::pageIndex(orvo::DebugFrequency which)
{
    return static_cast<std::size_t>(which) - static_cast<std::size_t>(orvo::DebugFrequency::High);
}

int& DebugModeDialog::itemValue(orvo::TestItem item)
{
    return m_itemValues[itemIndex(item)];
}

int DebugModeDialog::itemValue(orvo::TestItem item) const
{
    return m_itemValues[itemIndex(item)];
}

DebugModeDialog::DebugPage& DebugModeDialog::page()
{
    return m_pages[pageIndex(m_debugFrequency)];
}
