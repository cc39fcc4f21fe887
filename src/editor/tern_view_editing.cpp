// In-place editing of the channel grid: how an edit starts (mouse, typed character, Enter), the
// editor laid over the cell, the Enter key's way through a row, the commit of the editor into
// the row when the cell is left or Enter is pressed, and the status-bar hints. The editors are
// created (hidden) by OnInitialUpdate; the rules of a row's commit are the core's
// (editor/frequency_check.h). Nothing here touches the clipboard.
#include "editor/tern_view.h"

#include "app/main_frame.h"
#include "app/message_box.h"
#include "editor/frequency_check.h"
#include "grid/ms_flex_grid.h"
#include "image/channel_codec.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QValidator>

#include <algorithm>
#include <optional>

namespace {

// BeginCellEdit's key when the mouse starts the edit, and when Enter moves it on.
constexpr short kKeyMouse = 0;
constexpr short kKeyEnter = 13;
// Character codes below this are control characters, not typed text.
constexpr short kFirstPrintable = 32;

constexpr long long kTwipsPerInch = 1440;
// An editor lies this many pixels left of and above the cell's box measured from the grid
// window's outer edge, so that it covers the cell and the grid line before it.
constexpr int kEditorOffset = 3;
// Height in pixels a drop-down editor takes beyond the cell when its list is open.
constexpr int kDropDownListHeight = 100;
// A drop-down editor's selection field is this fraction of the height of its list items.
constexpr double kSelectionFieldFactor = 0.95;
// Pixels a line edit keeps free on either side of its text.
constexpr int kLineEditTextMargin = 2;

const QString kNotANumberText = QStringLiteral("Please input Number");
const QString kHintComboBox = QStringLiteral("Please click the CommBox to choose value");
const QString kHintGrid = QStringLiteral("Please Click the cell to edit or input data");
// The comma is the full-width U+FF0C.
const QString kHintElsewhere = QStringLiteral("For help\uFF0Cplease press F1");

// The frequency box takes no more text than fits its width, as a text box without automatic
// horizontal scrolling does: a key that would push the text past the right edge is refused.
class FitWidthValidator final : public QValidator
{
public:
    explicit FitWidthValidator(QLineEdit* edit) : QValidator(edit), m_edit(edit) {}

    State validate(QString& input, int&) const override
    {
        const QMargins margins = m_edit->textMargins();
        const int room = m_edit->contentsRect().width() - margins.left() - margins.right() -
                         2 * kLineEditTextMargin;
        return m_edit->fontMetrics().horizontalAdvance(input) <= room ? Acceptable : Invalid;
    }

private:
    QLineEdit* m_edit;
};

// Keys an editor leaves unused (Escape, Up and Down in the text box, ...) would travel on to
// the grid around it and start or move an edit there. They stop at the grid's client area,
// which never has the focus itself, so every key that reaches it comes from an editor.
class EditorKeyStop final : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject*, QEvent* event) override
    {
        return event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    }
};

// Twips to pixels at `dpi` pixels per inch, multiplying first and truncating.
int twipsToPixels(int twips, int dpi)
{
    return static_cast<int>(static_cast<long long>(twips) * dpi / kTwipsPerInch);
}

orvo::ChannelTexts rowTexts(const CMSFlexGrid& grid, int row)
{
    orvo::ChannelTexts texts;
    for (int col = orvo::kColReceive; col <= orvo::kColPower; ++col)
        texts[static_cast<std::size_t>(col - 1)] = grid.GetTextMatrix(row, col).toStdString();
    return texts;
}

void writeRow(CMSFlexGrid& grid, int row, const orvo::ChannelTexts& texts)
{
    for (int col = orvo::kColReceive; col <= orvo::kColPower; ++col)
        grid.SetTextMatrix(row, col,
                           QString::fromStdString(texts[static_cast<std::size_t>(col - 1)]));
}

QString editorText(const QWidget* editor)
{
    if (const auto* list = qobject_cast<const QComboBox*>(editor))
        return list->currentText();
    if (const auto* edit = qobject_cast<const QLineEdit*>(editor))
        return edit->text();
    return {};
}

// Loads an editor with a cell's text: a list selects its first item that begins with the text,
// case ignored (item 0 when none does, so an empty cell selects item 0); the text box takes the
// text as it is.
void loadEditor(QWidget* editor, const QString& text)
{
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        int index = 0;
        for (int i = 0; i < list->count(); ++i) {
            if (list->itemText(i).startsWith(text, Qt::CaseInsensitive)) {
                index = i;
                break;
            }
        }
        list->setCurrentIndex(index);
        // A text typed into the tone editor's field earlier would otherwise outlive the choice.
        if (list->isEditable())
            list->setEditText(list->itemText(index));
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
    }
}

// Lays a drop-down editor over the cell box `box`: its selection field 0.95 times the height of
// its list items, its opened list reaching 100 pixels below the cell.
void placeDropDown(QComboBox* list, const QRect& box)
{
    const int rowHint = list->view()->sizeHintForRow(0);
    const int itemHeight = rowHint > 0 ? rowHint : list->fontMetrics().height();
    const int fieldContent = static_cast<int>(kSelectionFieldFactor * itemHeight);
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.editable = list->isEditable();
    option.frame = list->hasFrame();
    const int fieldHeight =
        list->style()
            ->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(box.width(), fieldContent), list)
            .height();
    list->setGeometry(box.x(), box.y(), box.width(), fieldHeight);
    const int listHeight = box.height() + kDropDownListHeight - fieldHeight;
    list->setMaxVisibleItems(std::max(1, listHeight / std::max(1, itemHeight)));
}

// Hides an editor. The focus it held goes back to the grid.
void hideEditor(CMSFlexGrid* grid, QWidget* editor)
{
    QWidget* focus = QApplication::focusWidget();
    if (focus && (focus == editor || editor->isAncestorOf(focus)))
        grid->setFocus(Qt::OtherFocusReason);
    editor->hide();
}

void sendKey(QWidget* target, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
}

// The Tab key pressed on the grid: the focus moves to the next control of the form.
void tabFromGrid(CMSFlexGrid* grid)
{
    grid->setFocus(Qt::OtherFocusReason);
    sendKey(grid, Qt::Key_Tab);
}

std::optional<orvo::BandLimits> selectedBand(const CTernView& view)
{
    const int field = view.m_cmbField->currentIndex();
    if (field < 0 || field >= static_cast<int>(view.m_bandLimits.size()))
        return std::nullopt;
    const CTernView::BandLimits& limits = view.m_bandLimits[static_cast<std::size_t>(field)];
    return orvo::BandLimits{limits.lowest, limits.highest};
}

// Shows the messages of a rejected frequency, in the order of the checks.
void showFaults(QWidget* owner, const orvo::CommitOutcome& outcome)
{
    if (!outcome.check)
        return;
    for (orvo::FrequencyFault fault : outcome.check->faults()) {
        const QString text = QString::fromUtf8(orvo::frequencyFaultText(fault));
        if (orvo::isPromptFault(fault))
            AppMessageBox(owner, text, QString::fromUtf8(orvo::kBandFaultCaption),
                          QMessageBox::Information, QMessageBox::Ok);
        else
            AppMessageBox(owner, text);
    }
}

// Commits the editor text `text` of column `col` into row `row`, showing what the check
// rejects. A rejected frequency changes no cell: the cell keeps the text it had, and the row
// its tones and flags; an empty text still empties the frequency and what belongs to it.
orvo::CommitOutcome commitCell(CTernView& view, int row, int col, const QString& text,
                               orvo::CommitVariant variant)
{
    orvo::ChannelTexts texts = rowTexts(*view.m_grid, row);
    const orvo::CommitOutcome outcome =
        orvo::commitEditorText(texts, col, text.toStdString(), selectedBand(view), variant);
    showFaults(&view, outcome);
    if (!(outcome.check && !outcome.check->accepted()))
        writeRow(*view.m_grid, row, texts);
    return outcome;
}

} // namespace

void CTernView::PrepareEditors()
{
    // The editors take the colours of the cells they cover, not those of the grey area beyond
    // the last row and column.
    for (int col = orvo::kColReceive; col <= orvo::kColPower; ++col)
        EditorForColumn(col)->setPalette(m_grid->palette());
    m_editFreq->setFrame(false);
    // Whatever the user types after a refusal is theirs to commit, an emptied box included.
    connect(m_editFreq, &QLineEdit::textEdited, this, [this] { m_bFreqRejected = false; });
    m_editFreq->setValidator(new FitWidthValidator(m_editFreq));
    m_grid->clientArea()->installEventFilter(new EditorKeyStop(m_grid->clientArea()));
}

bool CTernView::PreTranslateMessage(QWidget* focus, QKeyEvent* event)
{
    if ((event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) || !m_editFreq)
        return false;
    const int row = m_grid->GetRow();
    const int col = m_grid->GetCol();
    auto editNextColumn = [this, col] {
        m_grid->SetCol(col + 1);
        BeginCellEdit(kKeyEnter);
    };

    if (focus == m_editFreq) {
        if (m_bFreqRejected && m_editFreq->text().isEmpty()) {
            // The box is empty only because the last Enter refused its text: the user has not
            // asked to delete the frequency, so the cell keeps it.
            m_bFreqRejected = false;
            hideEditor(m_grid, m_editFreq);
            editNextColumn();
            return true;
        }
        const orvo::CommitOutcome outcome =
            commitCell(*this, row, col, m_editFreq->text(), orvo::CommitVariant::Enter);
        if (outcome.keepEditorOpen) {
            m_editFreq->clear();
            m_bFreqRejected = true;
            return true;
        }
        hideEditor(m_grid, m_editFreq);
        editNextColumn();
        return true;
    }
    if (focus == m_cmbBusy || focus == m_cmbWidth || focus == m_cmbScanAdd) {
        auto* list = static_cast<QComboBox*>(focus);
        commitCell(*this, row, col, list->currentText(), orvo::CommitVariant::Enter);
        hideEditor(m_grid, list);
        editNextColumn();
        return true;
    }
    if (focus == m_cmbPower) {
        commitCell(*this, row, col, m_cmbPower->currentText(), orvo::CommitVariant::Enter);
        hideEditor(m_grid, m_cmbPower);
        if (row < orvo::kChannelCount) {
            m_grid->SetCol(orvo::kColReceive);
            m_grid->SetRow(row + 1);
            BeginCellEdit(kKeyEnter);
        } else {
            tabFromGrid(m_grid);
        }
        return true;
    }
    if (focus == m_grid) {
        if (col == orvo::kColWidth)
            tabFromGrid(m_grid);
        else
            sendKey(m_grid, Qt::Key_Right);
        return true;
    }
    if (!m_cmbTone->isHidden()) {
        commitCell(*this, row, col, m_cmbTone->currentText(), orvo::CommitVariant::Enter);
        hideEditor(m_grid, m_cmbTone);
        editNextColumn();
        return true;
    }
    sendKey(focus, Qt::Key_Tab);
    return true;
}

void CTernView::OnSetCursor(QWidget* under)
{
    auto* frame = qobject_cast<CMainFrame*>(window());
    if (!frame || !under)
        return;
    QString hint = kHintElsewhere;
    for (QWidget* w = under; w && w != this; w = w->parentWidget()) {
        if (qobject_cast<QComboBox*>(w)) {
            hint = kHintComboBox;
            break;
        }
        if (w == m_editFreq)
            break;
        if (w == m_grid) {
            hint = kHintGrid;
            break;
        }
    }
    frame->SetMessageText(hint);
}

void CTernView::BeginCellEdit(short key)
{
    if (!m_editFreq)
        return;
    const int col = m_grid->GetCol();
    QWidget* editor = EditorForColumn(col);
    // An edit starts from what the cell shows now, even when the table was decoded anew (File
    // New, Open, a read) since the cell became current and loaded the editor.
    if (editor->isHidden()) {
        loadEditor(editor, m_grid->GetText());
        m_bFreqRejected = false;
    }

    const bool typed = key >= kFirstPrintable;
    const QChar character(static_cast<char16_t>(key));
    QString s;
    if (typed) {
        s = editorText(editor);
        if (character >= QLatin1Char('0') && character <= QLatin1Char('9'))
            s += character;
        else if (col == orvo::kColReceive || col == orvo::kColTransmit)
            AppMessageBox(this, kNotANumberText);
    }

    // The cell's box: twips to pixels at the screen's resolution, multiplying first. The grid
    // gives the cell's place within its client area, inside its border; the offset counts
    // from outside the border.
    const int px = m_grid->logicalDpiX();
    const int py = m_grid->logicalDpiY();
    const QPoint border = m_grid->clientArea()->pos();
    const QRect box(twipsToPixels(m_grid->GetCellLeft(), px) + border.x() - kEditorOffset,
                    twipsToPixels(m_grid->GetCellTop(), py) + border.y() - kEditorOffset,
                    twipsToPixels(m_grid->GetCellWidth(), px),
                    twipsToPixels(m_grid->GetCellHeight(), py));

    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        // The typed character replaces the tone editor's text, the caret after it. A list
        // without a text field keeps the entry the cell selected.
        if (typed && list->isEditable())
            list->setEditText(QString(character));
        else if (list->isEditable())
            list->lineEdit()->selectAll();
        placeDropDown(list, box);
    } else {
        m_editFreq->setGeometry(box);
        const QString cell = m_grid->GetText();
        if (!cell.isEmpty()) {
            m_editFreq->setText(cell);
            m_editFreq->selectAll();
            if (typed)
                m_editFreq->setText(QString(character));
        } else {
            m_editFreq->setText(s);
            if (typed)
                m_editFreq->end(false);
            else
                m_editFreq->selectAll();
        }
    }

    editor->show();
    editor->raise();
    editor->setFocus(Qt::OtherFocusReason);
    m_grid->clientArea()->update();
}

void CTernView::OnDblClickGrid()
{
    if (m_grid->GetRow() != 0 && m_grid->GetCol() != 0)
        BeginCellEdit(kKeyMouse);
}

void CTernView::OnEnterCellGrid()
{
    if (m_editFreq && m_grid->GetRow() != 0)
        loadEditor(EditorForColumn(m_grid->GetCol()), m_grid->GetText());
}

void CTernView::OnLeaveCellGrid()
{
    const int row = m_grid->GetRow();
    const int col = m_grid->GetCol();
    if (row == 0 || !m_editFreq)
        return;
    QWidget* editor = EditorForColumn(col);
    if (editor->isHidden())
        return; // no edit in progress
    if (editor == m_editFreq && m_bFreqRejected && m_editFreq->text().isEmpty()) {
        m_bFreqRejected = false; // emptied by a refusal, not by the user: the cell keeps its text
        hideEditor(m_grid, editor);
        return;
    }
    commitCell(*this, row, col, editorText(editor), orvo::CommitVariant::LeaveCell);
    hideEditor(m_grid, editor);
}

void CTernView::OnKeyPressGrid(short* KeyAscii)
{
    // Control characters (Backspace, Escape, ...) start no edit.
    if (!m_editFreq || !KeyAscii || *KeyAscii < kFirstPrintable)
        return;
    const int row = m_grid->GetRow();
    const int col = m_grid->GetCol();
    if (row != 0 && col != 0 && col != orvo::kColWidth)
        BeginCellEdit(*KeyAscii);
}

void CTernView::OnMouseDownGrid(short Button, short Shift, int x, int y)
{
    Q_UNUSED(Shift);
    Q_UNUSED(x);
    Q_UNUSED(y);
    constexpr short kRightButton = 2;
    if (Button != kRightButton && m_grid->GetRow() != 0 && m_grid->GetCol() != 0)
        BeginCellEdit(kKeyMouse);
}
