#include "widgets/grid/channel_table.h"

#include "document/channel_model.h"
#include "document/message_text.h"
#include "widgets/grid/channel_delegate.h"
#include "widgets/message_box.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <algorithm>
#include <array>
#include <set>

namespace {

// Column widths of columns 0..8 in 1/1440 inch, as the form was laid out: factors of the
// standard width of 1020.
constexpr std::array<double, 9> kColumnWidthFactors{0.43, 1.2, 1.2, 0.9, 0.9, 0.8, 0.9, 0.8, 0.8};
constexpr int kStandardWidth = 1020;
constexpr int kUnitsPerInch = 1440;

// Shows the messages of a rejected frequency, in the order of the checks.
void showFaults(QWidget* owner, const orvo::CommitOutcome& outcome)
{
    if (!outcome.check)
        return;
    for (orvo::FrequencyFault fault : outcome.check->faults()) {
        const QString text = translatedText(orvo::frequencyFaultMessage(fault));
        if (orvo::isPromptFault(fault))
            messageBox(owner, text, translatedText(orvo::MessageKind::BandFaultCaption),
                       QMessageBox::Information, QMessageBox::Ok);
        else
            messageBox(owner, text);
    }
}

} // namespace

ChannelTable::ChannelTable(QWidget* parent) : QTableView(parent)
{
    auto* delegate = new ChannelDelegate(this);
    setItemDelegate(delegate);
    connect(delegate, &ChannelDelegate::editKeyPressed, this, &ChannelTable::endEdit);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setDragEnabled(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setFocusPolicy(Qt::StrongFocus);

    // The area beyond the last row and column shows dark grey, the cells white.
    QPalette bkg = viewport()->palette();
    bkg.setColor(QPalette::Base, QColor(0x80, 0x80, 0x80));
    viewport()->setPalette(bkg);
    QPalette cells = palette();
    cells.setColor(QPalette::Base, Qt::white);
    cells.setColor(QPalette::Text, Qt::black);
    setPalette(cells);
}

ChannelTable::~ChannelTable()
{
    // An open editor is deleted with the viewport, after this object has stopped being a table;
    // its delegate must not pass the editor's last events on to it.
    delete itemDelegate();
}

void ChannelTable::setChannelModel(ChannelModel* channels)
{
    m_model = channels;
    setModel(channels);
    applyGeometry();
    setCurrentIndex(model()->index(0, orvo::kColReceive));
}

void ChannelTable::cancelEdit()
{
    closeEdit();
}

void ChannelTable::applyGeometry()
{
    const int rowHeight = fontMetrics().height() + 2;
    verticalHeader()->setDefaultSectionSize(rowHeight);
    horizontalHeader()->setFixedHeight(rowHeight);
    if (!model())
        return;
    for (std::size_t col = 0; col < kColumnWidthFactors.size(); ++col) {
        const long long units = static_cast<long long>(kColumnWidthFactors[col] * kStandardWidth);
        setColumnWidth(
            static_cast<int>(col),
            static_cast<int>((units * logicalDpiX() + kUnitsPerInch / 2) / kUnitsPerInch));
    }
}

void ChannelTable::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        applyGeometry();
}

void ChannelTable::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                               const QList<int>& roles)
{
    if (!openEditor())
        return QTableView::dataChanged(topLeft, bottomRight, roles);
    viewport()->update();
}

QWidget* ChannelTable::openEditor() const
{
    return m_editIndex.isValid() ? indexWidget(m_editIndex) : nullptr;
}

std::vector<int> ChannelTable::selectedChannels() const
{
    std::set<int> rows;
    if (selectionModel()) {
        for (const QModelIndex& index : selectionModel()->selectedIndexes())
            rows.insert(index.row() + 1);
    }
    if (rows.empty() && currentIndex().isValid())
        rows.insert(currentIndex().row() + 1);
    return {rows.begin(), rows.end()};
}

void ChannelTable::selectChannels(int first, int count)
{
    if (!model() || count < 1)
        return;
    const QItemSelection rows(model()->index(first - 1, 0),
                              model()->index(first + count - 2, model()->columnCount() - 1));
    selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
}

void ChannelTable::closeEdit()
{
    QWidget* editor = openEditor();
    m_editIndex = QModelIndex();
    m_freqRejected = false;
    if (!editor)
        return;
    // The focus the editor held goes back to the grid.
    QWidget* focus = QApplication::focusWidget();
    if (focus && (focus == editor || editor->isAncestorOf(focus)))
        setFocus(Qt::OtherFocusReason);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

orvo::CommitOutcome ChannelTable::commitEditor(QWidget* editor, bool enter)
{
    const QModelIndex index = m_editIndex;
    const int role = enter ? ChannelModel::EnterRole : int(Qt::EditRole);
    const orvo::CommitOutcome outcome =
        m_model->check(index, ChannelDelegate::editorText(editor), role);
    const bool wasCommitting = m_committing;
    m_committing = true;
    static_cast<ChannelDelegate*>(itemDelegate())->commit(editor, m_model, index, role);
    m_committing = wasCommitting;
    return outcome;
}

bool ChannelTable::commitEdit()
{
    QWidget* editor = openEditor();
    if (!editor || m_committing)
        return true;
    orvo::CommitOutcome outcome;
    // An emptiness left by a refusal is not the user's: the cell keeps its text.
    if (!(m_freqRejected && ChannelDelegate::editorText(editor).isEmpty()))
        outcome = commitEditor(editor, false);
    closeEdit();
    showFaults(this, outcome);
    return !(outcome.check && !outcome.check->accepted());
}

void ChannelTable::beginEdit(QChar typed)
{
    const QModelIndex index = currentIndex();
    if (!m_model || !index.isValid() || index.column() == 0)
        return;
    if (openEditor() && m_editIndex != index)
        commitEdit();
    if (!openEditor()) {
        m_editIndex = index;
        m_freqRejected = false;
        edit(index, QAbstractItemView::AllEditTriggers, nullptr);
        QWidget* opened = indexWidget(index);
        if (!opened) {
            m_editIndex = QModelIndex();
            return;
        }
        // Whatever the user types after a refusal is theirs to commit, an emptied box included.
        if (auto* box = qobject_cast<QLineEdit*>(opened))
            connect(box, &QLineEdit::textEdited, this, [this] { m_freqRejected = false; });
    }
    QWidget* editor = openEditor();
    const QString cell = index.data(Qt::EditRole).toString();
    const bool isTyped = !typed.isNull();
    const bool digit = isTyped && typed >= QLatin1Char('0') && typed <= QLatin1Char('9');
    if (isTyped && !digit && ChannelModel::isFrequencyColumn(index.column()))
        messageBox(this, tr("Please input Number"));

    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        // The typed character replaces the tone editor's text, the caret after it. A list
        // without a text field keeps the entry the cell selected.
        if (isTyped && list->isEditable())
            list->setEditText(QString(typed));
        else if (list->isEditable())
            list->lineEdit()->selectAll();
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        if (!cell.isEmpty()) {
            edit->setText(isTyped ? QString(typed) : cell);
            if (!isTyped)
                edit->selectAll();
        } else {
            edit->setText(digit ? QString(typed) : QString());
            if (isTyped)
                edit->end(false);
            else
                edit->selectAll();
        }
    }
    editor->show();
    editor->setFocus(Qt::OtherFocusReason);
    emit editorOpened(editor);
}

void ChannelTable::leaveGrid(bool backwards)
{
    setFocus(Qt::OtherFocusReason);
    focusNextPrevChild(!backwards);
}

void ChannelTable::enterInEditor(QWidget* editor)
{
    const QModelIndex index = m_editIndex;
    const int row = index.row();
    const int col = index.column();
    if (!(m_freqRejected && ChannelDelegate::editorText(editor).isEmpty())) {
        const orvo::CommitOutcome outcome = commitEditor(editor, true);
        if (outcome.keepEditorOpen) {
            if (auto* box = qobject_cast<QLineEdit*>(openEditor())) {
                box->clear();
                m_freqRejected = true;
            }
            showFaults(this, outcome);
            return;
        }
    }
    closeEdit();
    if (col == orvo::kColPower) {
        if (row + 1 < model()->rowCount()) {
            setCurrentIndex(model()->index(row + 1, orvo::kColReceive));
            beginEdit();
        } else {
            leaveGrid(false);
        }
        return;
    }
    setCurrentIndex(model()->index(row, col + 1));
    beginEdit();
}

void ChannelTable::endEdit(QWidget* editor, ChannelDelegate::EditKey key)
{
    if (editor != openEditor())
        return;
    switch (key) {
    case ChannelDelegate::EditKey::Enter:
        enterInEditor(editor);
        break;
    case ChannelDelegate::EditKey::Escape:
        closeEdit();
        break;
    case ChannelDelegate::EditKey::Up:
    case ChannelDelegate::EditKey::Down: {
        // A refused value keeps its cell current, as Enter's refusal does.
        const QModelIndex index = m_editIndex;
        if (!commitEdit())
            break;
        const int row = std::clamp(index.row() + (key == ChannelDelegate::EditKey::Up ? -1 : 1),
                                   0, model()->rowCount() - 1);
        setCurrentIndex(model()->index(row, index.column()));
        break;
    }
    case ChannelDelegate::EditKey::Tab:
    case ChannelDelegate::EditKey::Backtab:
        // A refused value keeps its cell current and the keyboard in the grid, as Down's does.
        if (commitEdit())
            leaveGrid(key == ChannelDelegate::EditKey::Backtab);
        break;
    }
}

void ChannelTable::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    // Leaving a cell commits its editor.
    if (openEditor() && m_editIndex != current)
        commitEdit();
    QTableView::currentChanged(current, previous);
}

QItemSelectionModel::SelectionFlags ChannelTable::selectionCommand(const QModelIndex& index,
                                                                   const QEvent* event) const
{
    // Moving the current cell selects nothing (the cell shows its focus frame, as it always
    // has); Shift with the arrows selects the rows passed over.
    if (event && event->type() == QEvent::KeyPress &&
        (static_cast<const QKeyEvent*>(event)->modifiers() & Qt::ShiftModifier))
        return QItemSelectionModel::SelectCurrent | QItemSelectionModel::Rows;
    Q_UNUSED(index);
    return QItemSelectionModel::Clear;
}

QModelIndex ChannelTable::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    // The channel numbers are no cells: Left, Home and Ctrl+Home stop at the Receive column.
    const QModelIndex to = QTableView::moveCursor(action, modifiers);
    return to.isValid() && to.column() == 0 ? model()->index(to.row(), orvo::kColReceive) : to;
}

void ChannelTable::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex index = currentIndex();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter on the grid moves on a cell; from W/N it leaves the grid.
        if (index.column() == orvo::kColWidth)
            leaveGrid(false);
        else if (index.isValid() && index.column() + 1 < model()->columnCount())
            setCurrentIndex(model()->index(index.row(), index.column() + 1));
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        leaveGrid(event->key() == Qt::Key_Backtab);
        return;
    default:
        break;
    }
    const QString text = event->text();
    const bool plain =
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && !text.isEmpty() && text.at(0).isPrint()) {
        // A typed character starts an edit, except in the W/N column.
        if (index.isValid() && index.column() != 0 && index.column() != orvo::kColWidth)
            beginEdit(text.at(0));
        return;
    }
    QTableView::keyPressEvent(event);
}

void ChannelTable::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.column() == 0) {
        // The channel number selects the row; Shift extends, Ctrl adds.
        commitEdit();
        const QModelIndex anchor = currentIndex();
        const QItemSelection row(index, model()->index(index.row(), model()->columnCount() - 1));
        if (event->modifiers() & Qt::ShiftModifier && anchor.isValid()) {
            selectChannels(std::min(anchor.row(), index.row()) + 1,
                           std::abs(anchor.row() - index.row()) + 1);
        } else {
            selectionModel()->select(row, (event->modifiers() & Qt::ControlModifier)
                                              ? QItemSelectionModel::Toggle
                                              : QItemSelectionModel::ClearAndSelect);
            selectionModel()->setCurrentIndex(model()->index(index.row(), 0),
                                              QItemSelectionModel::NoUpdate);
        }
        return;
    }
    if (!index.isValid())
        return;
    if (index != currentIndex())
        setCurrentIndex(index);
    selectionModel()->clearSelection();
    if (event->button() != Qt::RightButton)
        beginEdit();
}

void ChannelTable::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A double click without a press first (the press went elsewhere) still moves to its cell,
    // committing the editor open there.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid() || index.column() == 0)
        return;
    if (index != currentIndex())
        setCurrentIndex(index);
    if (!openEditor())
        beginEdit();
}
