#include "widgets/form_view.h"

#include "core/image/channel_codec.h"
#include "document/channel_model.h"
#include "document/document.h"
#include "widgets/grid/channel_table.h"
#include "widgets/optional_features_dialog.h"

#include "ui_tern_view.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QScopedValueRollback>

FormView::FormView(Document* doc, QWidget* parent)
    : QScrollArea(parent), m_pDocument(doc), m_ui(std::make_unique<Ui::TernViewForm>())
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
            box->addItem(QString::fromStdString(entry));
        if (info.box == SettingBox::Type)
            continue;
        connect(box, &QComboBox::currentIndexChanged, this, [this, which = info.box](int index) {
            if (!m_bUpdatingView)
                m_pDocument->setSelection(which, index);
        });
    }
    m_ui->lblUrgencyCall->hide();
    m_ui->cmbUrgencyCall->hide();

    watchControls();
    connect(m_ui->cmbType, &QComboBox::activated, this, &FormView::OnSelchangeType);
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
        if (PreTranslateMessage(focus, static_cast<QKeyEvent*>(event)))
            return true;
    } else if (event->type() == QEvent::Enter && watched->isWidgetType()) {
        OnSetCursor(static_cast<QWidget*>(watched));
    } else if (event->type() == QEvent::Leave && watched->isWidgetType()) {
        // Moving from a control back onto the one around it enters nothing new: the hint is
        // that of the control around it.
        QWidget* outer = static_cast<QWidget*>(watched)->parentWidget();
        if (outer && (outer == m_form || m_form->isAncestorOf(outer)))
            OnSetCursor(outer);
    }
    return QScrollArea::eventFilter(watched, event);
}

void FormView::OnInitialUpdate()
{
    m_grid->cancelEdit();
    showDocument();
    m_ui->cmbType->setFocus();
}

void FormView::showDocument()
{
    QScopedValueRollback<bool> updating(m_bUpdatingView, true);
    for (std::size_t i = 0; i < m_settingBoxes.size(); ++i) {
        QComboBox* box = m_settingBoxes[i];
        const int index = m_pDocument->selections()[i];
        box->setCurrentIndex(index < box->count() ? index : -1);
    }
    m_grid->viewport()->update();
}

void FormView::OnSelchangeType()
{
    m_pDocument->setSelection(orvo::SettingBox::Type, m_ui->cmbType->currentIndex());
}

void FormView::OnOptionalFeatures()
{
    OptionalFeaturesDialog dialog(window());
    dialog.setFeatures(m_pDocument->optionalFeatures());
    if (dialog.DoModal() == QDialog::Accepted)
        m_pDocument->setOptionalFeatures(dialog.features());
}
