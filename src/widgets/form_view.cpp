#include "widgets/form_view.h"

#include "document/document.h"
#include "widgets/grid/channel_table.h"

#include "document/language.h"
#include "document/message_text.h"
#include "ui_form_view.h"

#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QScopedValueRollback>

namespace {

const char* const kHintComboBox =
    QT_TRANSLATE_NOOP("FormView", "Please click the CommBox to choose value");
const char* const kHintGrid =
    QT_TRANSLATE_NOOP("FormView", "Please Click the cell to edit or input data");
// The comma is the full-width U+FF0C.
const char* const kHintElsewhere = QT_TRANSLATE_NOOP("FormView", "For help，please press F1");

void sendKey(QWidget* target, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
}

} // namespace

FormView::FormView(Document* doc, QWidget* parent)
    : QScrollArea(parent), m_document(doc), m_ui(std::make_unique<Ui::FormView>())
{
    setObjectName(QStringLiteral("FormView"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setBackgroundRole(QPalette::Window);
    // The focus goes round the form's controls; the view itself takes none, so Tab from the
    // grid (and Enter in row 16's Power) comes back to the Type list.
    setFocusPolicy(Qt::NoFocus);

    m_form = new QWidget;
    m_ui->setupUi(m_form);
    m_form->setFont(languageFont(m_form->font()));
    setWidget(m_form);

    m_grid = m_ui->grid;
    m_grid->setChannelModel(doc->channelModel());

    using orvo::SettingBox;
    auto slot = [this](SettingBox box) -> QComboBox*& {
        return m_settingBoxes[static_cast<std::size_t>(box)];
    };
    slot(SettingBox::Type) = m_ui->cmbType;
    slot(SettingBox::Field) = m_ui->cmbField;
    slot(SettingBox::Scan) = m_ui->cmbScan;
    slot(SettingBox::Beep) = m_ui->cmbBeep;
    slot(SettingBox::BatterySave) = m_ui->cmbBatterySave;
    slot(SettingBox::SquelchLevel) = m_ui->cmbSquelchLevel;
    slot(SettingBox::TxTotalTime) = m_ui->cmbTxTotalTime;
    slot(SettingBox::VoiceAnnunciation) = m_ui->cmbVoiceAnnunciation;
    slot(SettingBox::Moni) = m_ui->cmbMoni;
    slot(SettingBox::UrgencyCall) = m_ui->cmbUrgencyCall;

    // The lists hold their fixed entries; a pick goes to the document at once. The Type list
    // reports even the pick of the entry it shows, which changes nothing.
    for (const orvo::SettingBoxInfo& info : orvo::settingBoxes()) {
        QComboBox* box = settingBox(info.box);
        for (const std::string& entry : info.entries)
            box->addItem(translatedWord(entry));
        if (info.box == SettingBox::Type)
            continue;
        connect(box, &QComboBox::currentIndexChanged, this, [this, which = info.box](int index) {
            if (!m_updatingView)
                m_document->setSelection(which, index);
        });
    }
    m_ui->lblUrgencyCall->hide();
    m_ui->cmbUrgencyCall->hide();

    watchControls();
    connect(m_ui->cmbType, &QComboBox::activated, this, [this] {
        m_document->setSelection(orvo::SettingBox::Type, m_ui->cmbType->currentIndex());
    });
    connect(m_grid, &ChannelTable::editorOpened, this, [this](QWidget* editor) {
        editor->installEventFilter(this);
        for (QWidget* child : editor->findChildren<QWidget*>()) {
            if (child->window() == editor->window()) // not a list's pop-up
                child->installEventFilter(this);
        }
    });
    connect(doc, &Document::changed, this, &FormView::showDocument);
    showDocument();
}

FormView::~FormView() = default;

QComboBox* FormView::settingBox(orvo::SettingBox box) const
{
    return m_settingBoxes[static_cast<std::size_t>(box)];
}

void FormView::watchControls()
{
    m_form->installEventFilter(this);
    for (QWidget* control : m_form->findChildren<QWidget*>()) {
        control->removeEventFilter(this); // installed once, however often this runs
        control->installEventFilter(this);
    }
}

bool FormView::eventFilter(QObject* watched, QEvent* event)
{
    // A key press reaches the focus widget first; a parent it propagates to is not asked again.
    QWidget* focus = QApplication::focusWidget();
    if (event->type() == QEvent::KeyPress && watched == focus) {
        if (handleKey(focus, static_cast<QKeyEvent*>(event)))
            return true;
    } else if (event->type() == QEvent::Enter && watched->isWidgetType()) {
        showHint(static_cast<QWidget*>(watched));
    } else if (event->type() == QEvent::Leave && watched->isWidgetType()) {
        // Moving from a control back onto the one around it enters nothing new: the hint is
        // that of the control around it.
        QWidget* outer = static_cast<QWidget*>(watched)->parentWidget();
        if (outer && (outer == m_form || m_form->isAncestorOf(outer)))
            showHint(outer);
    }
    return QScrollArea::eventFilter(watched, event);
}

bool FormView::handleKey(QWidget* focus, QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    if (focus == m_grid || m_grid->isAncestorOf(focus))
        return false; // the grid and its editors handle Enter themselves
    sendKey(focus, Qt::Key_Tab);
    return true;
}

void FormView::showHint(QWidget* under)
{
    if (!under)
        return;
    QString hint = tr(kHintElsewhere);
    for (QWidget* w = under; w && w != this; w = w->parentWidget()) {
        if (qobject_cast<QComboBox*>(w)) {
            hint = tr(kHintComboBox);
            break;
        }
        if (w->objectName() == QLatin1String("editFreq"))
            break;
        if (w == m_grid) {
            hint = tr(kHintGrid);
            break;
        }
    }
    emit statusHint(hint);
}

void FormView::resetForm()
{
    m_grid->cancelEdit();
    // Rows chosen in the document before belong to it: a copy or a delete must not find them.
    if (QItemSelectionModel* selection = m_grid->selectionModel())
        selection->clear();
    showDocument();
    m_ui->cmbType->setFocus();
}

void FormView::commitPendingEdit()
{
    m_grid->commitEdit();
}

void FormView::showDocument()
{
    QScopedValueRollback<bool> updating(m_updatingView, true);
    for (std::size_t i = 0; i < m_settingBoxes.size(); ++i) {
        QComboBox* box = m_settingBoxes[i];
        const int index = m_document->selections()[i];
        box->setCurrentIndex(index < box->count() ? index : -1);
    }
    m_grid->viewport()->update();
}
