#include "editor/tern_view.h"

#include "app/modal_dialog.h"
#include "app/tern_app.h"
#include "app/tern_doc.h"
#include "editor/optional_features_dlg.h"
#include "grid/ms_flex_grid.h"
#include "image/channel_codec.h"

#include "ui_tern_view.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace {

// Column widths as factors of the grid's default column width, columns 0..8.
constexpr std::array<double, 9> kColumnWidthFactors{0.43, 1.2, 1.2, 0.9, 0.9, 0.8, 0.9, 0.8, 0.8};

} // namespace

CTernView::CTernView(CTernDoc* doc, QWidget* parent)
    : QScrollArea(parent), m_pDocument(doc), m_ui(std::make_unique<Ui::TernViewForm>())
{
    setObjectName(QStringLiteral("CTernView"));
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
    m_cmbBatterySave = m_ui->cmbBatterySave;
    m_cmbUrgencyCall = m_ui->cmbUrgencyCall;
    m_cmbScan = m_ui->cmbScan;
    m_cmbVoiceAnnunciation = m_ui->cmbVoiceAnnunciation;
    m_cmbMoni = m_ui->cmbMoni;
    m_cmbType = m_ui->cmbType;
    m_cmbTxTotalTime = m_ui->cmbTxTotalTime;
    m_cmbSquelchLevel = m_ui->cmbSquelchLevel;
    m_cmbBeep = m_ui->cmbBeep;
    m_cmbField = m_ui->cmbField;

    using orvo::SettingBox;
    auto slot = [this](SettingBox box) -> QComboBox*& {
        return m_settingBoxes[static_cast<std::size_t>(box)];
    };
    slot(SettingBox::Type) = m_cmbType;
    slot(SettingBox::Field) = m_cmbField;
    slot(SettingBox::Scan) = m_cmbScan;
    slot(SettingBox::Beep) = m_cmbBeep;
    slot(SettingBox::BatterySave) = m_cmbBatterySave;
    slot(SettingBox::SquelchLevel) = m_cmbSquelchLevel;
    slot(SettingBox::TxTotalTime) = m_cmbTxTotalTime;
    slot(SettingBox::VoiceAnnunciation) = m_cmbVoiceAnnunciation;
    slot(SettingBox::Moni) = m_cmbMoni;
    slot(SettingBox::UrgencyCall) = m_cmbUrgencyCall;

    // The lists hold their fixed entries from the start, none selected.
    for (const orvo::SettingBoxInfo& info : orvo::settingBoxes()) {
        QComboBox* box = settingBox(info.box);
        for (const std::string& entry : info.entries)
            box->addItem(QString::fromStdString(entry));
        box->setCurrentIndex(-1);
        connect(box, &QComboBox::currentIndexChanged, this, &CTernView::markModified);
    }
    m_ui->lblUrgencyCall->hide();
    m_cmbUrgencyCall->hide();

    const auto& bands = orvo::bands();
    for (std::size_t i = 0; i < bands.size(); ++i)
        m_bandLimits[i] = {bands[i].low, bands[i].high};

    watchControls();
    connect(m_cmbType, &QComboBox::activated, this, &CTernView::OnSelchangeType);
    connect(m_grid, &CMSFlexGrid::cellTextChanged, this, &CTernView::markModified);
    connectGridEvents();
}

CTernView::~CTernView() = default;

QComboBox* CTernView::settingBox(orvo::SettingBox box) const
{
    return m_settingBoxes[static_cast<std::size_t>(box)];
}

void CTernView::connectGridEvents()
{
    connect(m_grid, &CMSFlexGrid::DblClick, this, &CTernView::OnDblClickGrid);
    connect(m_grid, &CMSFlexGrid::EnterCell, this, &CTernView::OnEnterCellGrid);
    connect(m_grid, &CMSFlexGrid::LeaveCell, this, &CTernView::OnLeaveCellGrid);
    connect(m_grid, &CMSFlexGrid::KeyPress, this, &CTernView::OnKeyPressGrid);
    connect(m_grid, &CMSFlexGrid::MouseDown, this, &CTernView::OnMouseDownGrid);
}

void CTernView::watchControls()
{
    m_form->installEventFilter(this);
    for (QWidget* control : m_form->findChildren<QWidget*>()) {
        control->removeEventFilter(this); // installed once, however often this runs
        control->installEventFilter(this);
    }
}

bool CTernView::eventFilter(QObject* watched, QEvent* event)
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

void CTernView::markModified()
{
    if (!m_bUpdatingView && m_pDocument)
        m_pDocument->SetModifiedFlag(true);
}

void CTernView::OnInitialUpdate()
{
    QScopedValueRollback<bool> updating(m_bUpdatingView, true);

    CTernApp* app = AfxGetTernApp();
    if (!m_editFreq || (app && !app->m_bEditorsCreated)) {
        CreateEditors();
        for (int col = 0; col < m_grid->GetCols(); ++col)
            m_grid->SetColAlignment(col, CMSFlexGrid::flexAlignCenterCenter);
        if (app)
            app->m_bEditorsCreated = 1;
        const int w = m_grid->GetColWidth(2);
        for (std::size_t col = 0; col < kColumnWidthFactors.size(); ++col)
            m_grid->SetColWidth(static_cast<int>(col),
                                static_cast<int>(kColumnWidthFactors[col] * w));
        applySelections(orvo::initialSelections());
    }

    m_editFreq->clear();
    for (int col = 1; col <= 8; ++col)
        EditorForColumn(col)->hide();

    UpdateViewFromImage();

    const auto& headers = orvo::channelColumnHeaders();
    for (std::size_t col = 0; col < headers.size(); ++col)
        m_grid->SetTextMatrix(0, static_cast<int>(col), QString::fromLatin1(headers[col]));
    for (int row = 1; row <= orvo::kChannelCount; ++row)
        m_grid->SetTextMatrix(row, 0, QString::number(row));

    m_cmbType->setFocus();
}

void CTernView::CreateEditors()
{
    QWidget* host = m_grid->clientArea();
    const QFont font = m_form->font();
    auto place = [&font](QWidget* editor, const char* name, int id) {
        editor->setObjectName(QString::fromLatin1(name));
        editor->setProperty("controlId", id);
        editor->setFont(font);
        editor->setGeometry(QRect());
        editor->hide();
    };

    m_editFreq = new QLineEdit(host);
    m_editFreq->setFrame(false);
    place(m_editFreq, "editFreq", kIdEditFreq);

    auto list = [&](const char* name, int id, bool editable) {
        auto* box = new QComboBox(host);
        box->setEditable(editable);
        if (editable) {
            box->setInsertPolicy(QComboBox::NoInsert);
            box->setCompleter(nullptr);
        }
        place(box, name, id);
        return box;
    };
    m_cmbTone = list("cmbTone", kIdCmbTone, true);
    m_cmbBusy = list("cmbBusy", kIdCmbBusy, false);
    m_cmbWidth = list("cmbWidth", kIdCmbWidth, false);
    m_cmbScanAdd = list("cmbScanAdd", kIdCmbScanAdd, false);
    m_cmbPower = list("cmbPower", kIdCmbPower, false);

    if (CTernApp* app = AfxGetTernApp())
        m_cmbTone->addItems(app->m_arTones);
    m_cmbBusy->addItems({QStringLiteral("Yes"), QStringLiteral("No")});
    m_cmbWidth->addItems({QStringLiteral("Wide"), QStringLiteral("Narrow")});
    m_cmbPower->addItems({QStringLiteral("High"), QStringLiteral("Low")});
    m_cmbScanAdd->addItems({QStringLiteral("Add"), QStringLiteral("Delete")});
    PrepareEditors();
    watchControls();
}

QWidget* CTernView::EditorForColumn(int col) const
{
    switch (col) {
    case orvo::kColRxTone:
    case orvo::kColTxTone:
        return m_cmbTone;
    case orvo::kColBusy:
        return m_cmbBusy;
    case orvo::kColWidth:
        return m_cmbWidth;
    case orvo::kColScan:
        return m_cmbScanAdd;
    case orvo::kColPower:
        return m_cmbPower;
    default:
        return m_editFreq;
    }
}

orvo::SettingSelections CTernView::currentSelections() const
{
    orvo::SettingSelections selections{};
    for (std::size_t i = 0; i < selections.size(); ++i)
        selections[i] = m_settingBoxes[i]->currentIndex();
    return selections;
}

void CTernView::applySelections(const orvo::SettingSelections& selections)
{
    for (std::size_t i = 0; i < selections.size(); ++i) {
        QComboBox* box = m_settingBoxes[i];
        const int index = selections[i] < box->count() ? selections[i] : -1;
        if (box->currentIndex() != index)
            box->setCurrentIndex(index);
    }
}

void CTernView::fillBandList()
{
    m_cmbField->clear();
    for (const orvo::Band& band : orvo::bands())
        m_cmbField->addItem(QString::fromLatin1(band.text));
}

void CTernView::UpdateViewFromImage()
{
    QScopedValueRollback<bool> updating(m_bUpdatingView, true);
    const orvo::RadioImage& image = m_pDocument->m_image;
    for (int channel = 1; channel <= orvo::kChannelCount; ++channel) {
        const orvo::ChannelTexts texts = orvo::decodeChannel(image, channel);
        for (int col = 1; col <= static_cast<int>(texts.size()); ++col)
            m_grid->SetTextMatrix(channel, col,
                                  QString::fromStdString(texts[static_cast<std::size_t>(col - 1)]));
    }

    orvo::SettingSelections selections = currentSelections();
    orvo::decodeSettings(image, selections);
    if (orvo::isZt4Image(image))
        fillBandList();
    applySelections(selections);
}

void CTernView::UpdateImageFromView()
{
    orvo::RadioImage& image = m_pDocument->m_image;
    for (int channel = 1; channel <= orvo::kChannelCount; ++channel) {
        orvo::ChannelTexts texts;
        for (int col = 1; col <= static_cast<int>(texts.size()); ++col)
            texts[static_cast<std::size_t>(col - 1)] =
                m_grid->GetTextMatrix(channel, col).toStdString();
        orvo::encodeChannel(texts, image, channel);
    }
    orvo::encodeSettings(currentSelections(), image);
}

void CTernView::OnSelchangeType()
{
    for (QWidget* editor : {static_cast<QWidget*>(m_editFreq), static_cast<QWidget*>(m_cmbTone),
                            static_cast<QWidget*>(m_cmbBusy)}) {
        if (editor)
            editor->hide();
    }
    if (m_cmbType->currentIndex() != 0)
        return;

    const orvo::RadioImage before = m_pDocument->m_image;
    const int fieldBefore = m_cmbField->currentIndex();
    {
        QScopedValueRollback<bool> updating(m_bUpdatingView, true);
        fillBandList();
        m_cmbField->setCurrentIndex(0);
    }
    orvo::applyTypeSelection(m_pDocument->m_image);
    if (fieldBefore != 0 || !(m_pDocument->m_image == before))
        markModified();
}

void CTernView::OnOptionalFeatures()
{
    COptionalFeaturesDlg dialog(window());
    dialog.m_pDoc = GetDocument();
    const orvo::RadioImage before = m_pDocument->m_image;
    dialog.DoModal();
    if (!(m_pDocument->m_image == before))
        markModified();
}
