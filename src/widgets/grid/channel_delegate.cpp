#include "widgets/grid/channel_delegate.h"

#include "core/image/channel_codec.h"
#include "core/image/tone_codec.h"
#include "document/message_text.h"
#include "widgets/grid/channel_table.h"
#include "widgets/tone_drop_list.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QValidator>

namespace {

// Pixels a line edit keeps free on either side of its text.
constexpr int kLineEditTextMargin = 2;
// Entries a tone list shows at once; the rest scroll.
constexpr int kToneListRows = 20;

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

QComboBox* makeList(QWidget* parent, const char* name, const QStringList& entries, bool editable)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(editable);
    if (editable) {
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setCompleter(nullptr);
    }
    box->addItems(entries);
    return box;
}

// A flag column's list: each entry shows its word in the window's language and holds the word.
QComboBox* makeFlagList(QWidget* parent, const char* name, const char* first, const char* second)
{
    QComboBox* box = makeList(parent, name, {}, false);
    for (const char* word : {first, second})
        box->addItem(translatedWord(word), QString::fromLatin1(word));
    return box;
}

// The word an entry stands for: each entry shows it in the window's language and holds it.
QString entryWord(const QComboBox* list, int entry)
{
    const QVariant word = list->itemData(entry);
    return word.isValid() ? word.toString() : list->itemText(entry);
}

// The tone list's entries in table order: "Off" in the window's language, then the tones.
void addToneEntries(QComboBox* list)
{
    for (const std::string& tone : orvo::toneTable())
        list->addItem(translatedWord(tone), QString::fromStdString(tone));
}

} // namespace

ChannelDelegate::ChannelDelegate(ChannelTable* table) : QStyledItemDelegate(table), m_table(table)
{
}

QWidget* ChannelDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                       const QModelIndex& index) const
{
    QWidget* editor = nullptr;
    switch (index.column()) {
    case orvo::kColRxTone:
    case orvo::kColTxTone: {
        QComboBox* box = makeList(parent, "cmbTone", {}, true);
        addToneEntries(box);
        box->setMaxVisibleItems(kToneListRows);
        editor = box;
        break;
    }
    case orvo::kColBusy:
        editor = makeFlagList(parent, "cmbBusy", "Yes", "No");
        break;
    case orvo::kColWidth:
        editor = makeFlagList(parent, "cmbWidth", "Wide", "Narrow");
        break;
    case orvo::kColScan:
        editor = makeFlagList(parent, "cmbScanAdd", "Add", "Delete");
        break;
    case orvo::kColPower:
        editor = makeFlagList(parent, "cmbPower", "High", "Low");
        break;
    default: {
        auto* edit = new QLineEdit(parent);
        edit->setObjectName(QStringLiteral("editFreq"));
        edit->setFrame(false);
        edit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        edit->setValidator(new FitWidthValidator(edit));
        editor = edit;
        break;
    }
    }
    // The editors take the colours of the cells they cover.
    editor->setPalette(m_table->palette());
    editor->setFont(m_table->font());
    for (QWidget* child : editor->findChildren<QWidget*>()) {
        if (!child->isWindow())
            child->installEventFilter(const_cast<ChannelDelegate*>(this));
    }
    return editor;
}

void ChannelDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        int entry = 0;
        for (int i = 0; i < list->count(); ++i) {
            if (entryWord(list, i).startsWith(text, Qt::CaseInsensitive)) {
                entry = i;
                break;
            }
        }
        list->setCurrentIndex(entry);
        if (list->isEditable())
            list->setEditText(list->itemText(entry));
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
    }
}

void ChannelDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                   const QModelIndex& index) const
{
    commit(editor, model, index, Qt::EditRole);
}

bool ChannelDelegate::commit(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index,
                             int role) const
{
    return model->setData(index, editorText(editor), role);
}

void ChannelDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                           const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}

void ChannelDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    // Cells are white, the channel numbers drawn as headings; the area beyond stays grey.
    const QPalette& pal = m_table->palette();
    painter->fillRect(option.rect, index.column() == 0 ? pal.button() : pal.base());
    QStyleOptionViewItem opt = option;
    if (index.column() == 0 && !(option.state & QStyle::State_Selected))
        opt.palette.setColor(QPalette::Text, pal.buttonText().color());
    QStyledItemDelegate::paint(painter, opt, index);
}

QString ChannelDelegate::editorText(const QWidget* editor)
{
    if (const auto* list = qobject_cast<const QComboBox*>(editor)) {
        if (!list->isEditable())
            return entryWord(list, list->currentIndex());
        // A typed text that names an entry stands for its word ("关" for "Off").
        const int entry = list->findText(list->currentText(), Qt::MatchFixedString);
        return entry >= 0 ? entryWord(list, entry) : list->currentText();
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(editor))
        return edit->text();
    return {};
}

bool ChannelDelegate::eventFilter(QObject* watched, QEvent* event)
{
    // Not the item view's own handling (a commit on focus loss, its keys): the table decides.
    QWidget* widget = qobject_cast<QWidget*>(watched);
    while (widget && !widget->isWindow() && widget->parentWidget() != m_table->viewport())
        widget = widget->parentWidget();
    if (!widget || widget->isWindow() || widget != m_table->openEditor())
        return false; // a list's pop-up handles its own keys
    QWidget* editor = widget;

    if (event->type() == QEvent::ShortcutOverride) {
        // The keys of the row commands (Delete, Ctrl+X/C/V, Alt+Up/Down) belong to the editor
        // while it is open: a cell's editor never deletes, cuts or moves whole rows.
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        const int k = key->key();
        if ((k == Qt::Key_Delete && mods == Qt::NoModifier) ||
            (mods == Qt::ControlModifier && (k == Qt::Key_X || k == Qt::Key_C || k == Qt::Key_V)) ||
            (mods == Qt::AltModifier && (k == Qt::Key_Up || k == Qt::Key_Down))) {
            event->accept();
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    EditKey key;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key = EditKey::Enter;
        break;
    case Qt::Key_Escape:
        key = EditKey::Escape;
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (qobject_cast<QComboBox*>(editor))
            return false;
        key = static_cast<QKeyEvent*>(event)->key() == Qt::Key_Up ? EditKey::Up : EditKey::Down;
        break;
    case Qt::Key_Tab:
        key = EditKey::Tab;
        break;
    case Qt::Key_Backtab:
        key = EditKey::Backtab;
        break;
    default:
        return false;
    }
    emit editKeyPressed(editor, key);
    return true;
}
