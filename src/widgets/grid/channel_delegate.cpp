#include "widgets/grid/channel_delegate.h"

#include "core/image/channel_codec.h"
#include "core/image/tone_codec.h"
#include "document/message_text.h"
#include "widgets/grid/channel_table.h"

#include <QComboBox>
#include <QEvent>
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

QComboBox* makeList(QWidget* parent, const char* name, int controlId, const QStringList& entries,
                    bool editable)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setProperty("controlId", controlId);
    box->setEditable(editable);
    if (editable) {
        box->setInsertPolicy(QComboBox::NoInsert);
        box->setCompleter(nullptr);
    }
    box->addItems(entries);
    return box;
}

// A flag column's list: each entry shows its word in the window's language and holds the word.
QComboBox* makeFlagList(QWidget* parent, const char* name, int controlId, const char* first,
                        const char* second)
{
    QComboBox* box = makeList(parent, name, controlId, {}, false);
    for (const char* word : {first, second})
        box->addItem(translatedWord(word), QString::fromLatin1(word));
    return box;
}

// The word an entry stands for: a flag list's entry holds it, a tone list's entry is it.
QString entryWord(const QComboBox* list, int entry)
{
    const QVariant word = list->itemData(entry);
    return word.isValid() ? word.toString() : list->itemText(entry);
}

QStringList toneEntries()
{
    QStringList tones;
    for (const std::string& tone : orvo::toneTable())
        tones.append(QString::fromStdString(tone));
    return tones;
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
        static const QStringList tones = toneEntries();
        QComboBox* box = makeList(parent, "cmbTone", 1000, tones, true);
        box->setMaxVisibleItems(kToneListRows);
        editor = box;
        break;
    }
    case orvo::kColBusy:
        editor = makeFlagList(parent, "cmbBusy", 61448, "Yes", "No");
        break;
    case orvo::kColWidth:
        editor = makeFlagList(parent, "cmbWidth", 61449, "Wide", "Narrow");
        break;
    case orvo::kColScan:
        editor = makeFlagList(parent, "cmbScanAdd", 61450, "Add", "Delete");
        break;
    case orvo::kColPower:
        editor = makeFlagList(parent, "cmbPower", 1073, "High", "Low");
        break;
    default: {
        auto* edit = new QLineEdit(parent);
        edit->setObjectName(QStringLiteral("editFreq"));
        edit->setProperty("controlId", 61446);
        edit->setFrame(false);
        edit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        edit->setValidator(new FitWidthValidator(edit));
        // Whatever the user types after a refusal is theirs to commit, an emptied box included.
        connect(edit, &QLineEdit::textEdited, m_table,
                [table = m_table] { table->m_freqRejected = false; });
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

void ChannelDelegate::setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const
{
    // The table commits (with the checks and their messages); the view's own commits are none.
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
    if (const auto* list = qobject_cast<const QComboBox*>(editor))
        return list->isEditable() ? list->currentText() : entryWord(list, list->currentIndex());
    if (const auto* edit = qobject_cast<const QLineEdit*>(editor))
        return edit->text();
    return {};
}

bool ChannelDelegate::eventFilter(QObject* watched, QEvent* event)
{
    // Not the item view's own commit on focus loss or its key handling: the table decides.
    QWidget* widget = qobject_cast<QWidget*>(watched);
    while (widget && !widget->isWindow() && widget->parentWidget() != m_table->viewport())
        widget = widget->parentWidget();
    if (widget && widget->isWindow())
        return false; // a list's pop-up handles its own keys
    if (!widget)
        return false;
    return m_table->editorEvent(widget, event);
}
