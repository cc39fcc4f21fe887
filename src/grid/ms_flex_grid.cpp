#include "grid/ms_flex_grid.h"

#include <QAbstractTableModel>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

// The cells: texts, column alignments and which rows and columns are fixed.
class FlexGridModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : m_rows;
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : m_cols;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        if (role == Qt::DisplayRole)
            return text(index.row(), index.column());
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(qtAlignment(index.row(), index.column()));
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
    }

    QString text(int row, int col) const
    {
        if (row < 0 || col < 0 || row >= m_rows || col >= m_cols)
            return {};
        return m_texts[static_cast<std::size_t>(row * m_cols + col)];
    }

    // Returns whether the text changed.
    bool setText(int row, int col, const QString& text)
    {
        if (row < 0 || col < 0 || row >= m_rows || col >= m_cols)
            return false;
        QString& cell = m_texts[static_cast<std::size_t>(row * m_cols + col)];
        if (cell == text)
            return false;
        cell = text;
        const QModelIndex i = index(row, col);
        emit dataChanged(i, i, {Qt::DisplayRole});
        return true;
    }

    void resize(int rows, int cols)
    {
        rows = std::max(rows, 0);
        cols = std::max(cols, 0);
        if (rows == m_rows && cols == m_cols)
            return;
        beginResetModel();
        std::vector<QString> texts(static_cast<std::size_t>(rows * cols));
        for (int r = 0; r < std::min(rows, m_rows); ++r) {
            for (int c = 0; c < std::min(cols, m_cols); ++c)
                texts[static_cast<std::size_t>(r * cols + c)] =
                    m_texts[static_cast<std::size_t>(r * m_cols + c)];
        }
        m_texts.swap(texts);
        m_aligns.resize(static_cast<std::size_t>(cols), CMSFlexGrid::flexAlignGeneral);
        m_rows = rows;
        m_cols = cols;
        m_fixedRows = std::min(m_fixedRows, m_rows);
        m_fixedCols = std::min(m_fixedCols, m_cols);
        endResetModel();
    }

    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    int fixedRows() const { return m_fixedRows; }
    int fixedCols() const { return m_fixedCols; }
    void setFixed(int rows, int cols)
    {
        m_fixedRows = std::clamp(rows, 0, m_rows);
        m_fixedCols = std::clamp(cols, 0, m_cols);
        if (m_rows > 0 && m_cols > 0)
            emit dataChanged(index(0, 0), index(m_rows - 1, m_cols - 1));
    }
    bool isFixed(int row, int col) const { return row < m_fixedRows || col < m_fixedCols; }

    short alignment(int col) const
    {
        return col >= 0 && col < m_cols ? m_aligns[static_cast<std::size_t>(col)]
                                        : short(CMSFlexGrid::flexAlignGeneral);
    }
    void setAlignment(int col, short value)
    {
        if (col < 0 || col >= m_cols)
            return;
        m_aligns[static_cast<std::size_t>(col)] = value;
        if (m_rows > 0)
            emit dataChanged(index(0, col), index(m_rows - 1, col), {Qt::TextAlignmentRole});
    }

    Qt::Alignment qtAlignment(int row, int col) const
    {
        const short a = alignment(col);
        if (a == CMSFlexGrid::flexAlignGeneral) {
            bool number = false;
            text(row, col).toDouble(&number);
            return Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft);
        }
        Qt::Alignment h = a / 3 == 0   ? Qt::AlignLeft
                          : a / 3 == 1 ? Qt::AlignHCenter
                                       : Qt::AlignRight;
        Qt::Alignment v = a % 3 == 0   ? Qt::AlignTop
                          : a % 3 == 1 ? Qt::AlignVCenter
                                       : Qt::AlignBottom;
        return h | v;
    }

private:
    int m_rows = 0;
    int m_cols = 0;
    int m_fixedRows = 0;
    int m_fixedCols = 0;
    std::vector<QString> m_texts;
    std::vector<short> m_aligns;
};

namespace {

// Paints fixed cells as raised headings, the others white, with the grid lines and the focus
// rectangle of the current cell.
class FlexGridDelegate : public QStyledItemDelegate
{
public:
    FlexGridDelegate(CMSFlexGrid* grid, FlexGridModel* model)
        : QStyledItemDelegate(grid), m_grid(grid), m_model(model)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const QRect r = option.rect;
        const QPalette& pal = m_grid->palette();
        const bool fixed = m_model->isFixed(index.row(), index.column());
        painter->save();
        if (fixed) {
            painter->fillRect(r, pal.button());
            painter->setPen(pal.light().color());
            painter->drawLine(r.topLeft(), r.topRight() - QPoint(1, 0));
            painter->drawLine(r.topLeft(), r.bottomLeft() - QPoint(0, 1));
            painter->setPen(pal.shadow().color());
        } else {
            painter->fillRect(r, pal.base());
            painter->setPen(QColor(0xC0, 0xC0, 0xC0));
        }
        painter->drawLine(r.topRight(), r.bottomRight());
        painter->drawLine(r.bottomLeft(), r.bottomRight());

        painter->setClipRect(r.adjusted(0, 0, -1, -1));
        painter->setFont(option.font);
        painter->setPen(fixed ? pal.buttonText().color() : pal.text().color());
        painter->drawText(r.adjusted(2, 0, -3, -1),
                          int(m_model->qtAlignment(index.row(), index.column())),
                          index.data(Qt::DisplayRole).toString());

        if (!fixed && m_grid->hasFocus() && index.row() == m_grid->GetRow() &&
            index.column() == m_grid->GetCol()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(m_grid);
            focus.rect = r.adjusted(1, 1, -2, -2);
            focus.backgroundColor = pal.base().color();
            m_grid->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, m_grid);
        }
        painter->restore();
    }

private:
    CMSFlexGrid* m_grid;
    FlexGridModel* m_model;
};

short buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

short shiftCode(Qt::KeyboardModifiers modifiers)
{
    short code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= 1;
    if (modifiers & Qt::ControlModifier)
        code |= 2;
    if (modifiers & Qt::AltModifier)
        code |= 4;
    return code;
}

} // namespace

CMSFlexGrid::CMSFlexGrid(QWidget* parent) : QTableView(parent), m_model(new FlexGridModel(this))
{
    m_model->resize(2, 2);
    m_model->setFixed(1, 1);
    m_colWidths.assign(2, kDefaultColWidth);
    setModel(m_model);
    setItemDelegate(new FlexGridDelegate(this, m_model));

    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setMinimumSectionSize(0);
    setShowGrid(false);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setDragEnabled(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setFocusPolicy(Qt::StrongFocus);

    // The area beyond the last row and column shows dark grey, as such grids do.
    QPalette bkg = viewport()->palette();
    bkg.setColor(QPalette::Base, QColor(0x80, 0x80, 0x80));
    viewport()->setPalette(bkg);
    viewport()->setBackgroundRole(QPalette::Base);
    QPalette cells = palette();
    cells.setColor(QPalette::Base, Qt::white);
    cells.setColor(QPalette::Text, Qt::black);
    setPalette(cells);

    applyGeometry();
    syncViewCurrent();
}

CMSFlexGrid::~CMSFlexGrid() = default;

int CMSFlexGrid::GetRows() const
{
    return m_model->rows();
}
int CMSFlexGrid::GetCols() const
{
    return m_model->cols();
}
int CMSFlexGrid::GetFixedRows() const
{
    return m_model->fixedRows();
}
int CMSFlexGrid::GetFixedCols() const
{
    return m_model->fixedCols();
}

void CMSFlexGrid::SetRows(int rows)
{
    m_model->resize(rows, m_model->cols());
    m_row = std::clamp(m_row, 0, std::max(GetRows() - 1, 0));
    applyGeometry();
    syncViewCurrent();
}

void CMSFlexGrid::SetCols(int cols)
{
    m_model->resize(m_model->rows(), cols);
    m_colWidths.resize(static_cast<std::size_t>(GetCols()), kDefaultColWidth);
    m_col = std::clamp(m_col, 0, std::max(GetCols() - 1, 0));
    applyGeometry();
    syncViewCurrent();
}

void CMSFlexGrid::SetFixedRows(int rows)
{
    m_model->setFixed(rows, m_model->fixedCols());
    if (m_row < GetFixedRows() && GetFixedRows() < GetRows())
        m_row = GetFixedRows();
    syncViewCurrent();
}

void CMSFlexGrid::SetFixedCols(int cols)
{
    m_model->setFixed(m_model->fixedRows(), cols);
    if (m_col < GetFixedCols() && GetFixedCols() < GetCols())
        m_col = GetFixedCols();
    syncViewCurrent();
}

int CMSFlexGrid::GetRow() const
{
    return m_row;
}
int CMSFlexGrid::GetCol() const
{
    return m_col;
}

void CMSFlexGrid::SetRow(int row)
{
    if (row >= 0 && row < GetRows())
        moveCurrent(row, m_col);
}

void CMSFlexGrid::SetCol(int col)
{
    if (col >= 0 && col < GetCols())
        moveCurrent(m_row, col);
}

QString CMSFlexGrid::GetText() const
{
    return m_model->text(m_row, m_col);
}
void CMSFlexGrid::SetText(const QString& text)
{
    SetTextMatrix(m_row, m_col, text);
}

QString CMSFlexGrid::GetTextMatrix(int row, int col) const
{
    return m_model->text(row, col);
}

void CMSFlexGrid::SetTextMatrix(int row, int col, const QString& text)
{
    if (m_model->setText(row, col, text))
        emit cellTextChanged(row, col);
}

int CMSFlexGrid::GetCellLeft() const
{
    return pixelsToTwipsX(cellPixelLeft(m_col));
}
int CMSFlexGrid::GetCellTop() const
{
    return pixelsToTwipsY(cellPixelTop(m_row));
}
int CMSFlexGrid::GetCellWidth() const
{
    return pixelsToTwipsX(columnWidth(m_col));
}
int CMSFlexGrid::GetCellHeight() const
{
    return pixelsToTwipsY(rowHeight(m_row));
}

int CMSFlexGrid::GetColWidth(int col) const
{
    if (col < 0 || col >= GetCols())
        return 0;
    return m_colWidths[static_cast<std::size_t>(col)];
}

void CMSFlexGrid::SetColWidth(int col, int twips)
{
    if (col < 0 || col >= GetCols())
        return;
    m_colWidths[static_cast<std::size_t>(col)] = std::max(twips, 0);
    setColumnWidth(col, twipsToPixelsX(m_colWidths[static_cast<std::size_t>(col)]));
}

short CMSFlexGrid::GetColAlignment(int col) const
{
    return m_model->alignment(col);
}
void CMSFlexGrid::SetColAlignment(int col, short alignment)
{
    m_model->setAlignment(col, alignment);
}

QWidget* CMSFlexGrid::clientArea() const
{
    return viewport();
}

int CMSFlexGrid::twipsToPixelsX(int twips) const
{
    return static_cast<int>((static_cast<long long>(twips) * logicalDpiX() + 720) / 1440);
}
int CMSFlexGrid::twipsToPixelsY(int twips) const
{
    return static_cast<int>((static_cast<long long>(twips) * logicalDpiY() + 720) / 1440);
}
int CMSFlexGrid::pixelsToTwipsX(int pixels) const
{
    return static_cast<int>(static_cast<long long>(pixels) * 1440 / logicalDpiX());
}
int CMSFlexGrid::pixelsToTwipsY(int pixels) const
{
    return static_cast<int>(static_cast<long long>(pixels) * 1440 / logicalDpiY());
}

int CMSFlexGrid::cellPixelLeft(int col) const
{
    return columnViewportPosition(col);
}
int CMSFlexGrid::cellPixelTop(int row) const
{
    return rowViewportPosition(row);
}

void CMSFlexGrid::moveCurrent(int row, int col)
{
    if (row == m_row && col == m_col)
        return;
    emit LeaveCell();
    m_row = row;
    m_col = col;
    syncViewCurrent();
    emit EnterCell();
}

void CMSFlexGrid::syncViewCurrent()
{
    const QModelIndex current = m_model->index(m_row, m_col);
    if (current.isValid() && selectionModel()) {
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
        if (!m_model->isFixed(m_row, m_col))
            scrollTo(current);
    }
    viewport()->update();
}

void CMSFlexGrid::applyGeometry()
{
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2);
    for (int c = 0; c < GetCols(); ++c)
        setColumnWidth(c, twipsToPixelsX(m_colWidths[static_cast<std::size_t>(c)]));
}

void CMSFlexGrid::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (index.isValid() && !m_model->isFixed(index.row(), index.column()))
        moveCurrent(index.row(), index.column());
    emit MouseDown(buttonCode(event->button()), shiftCode(event->modifiers()), pos.x(), pos.y());
    event->accept();
}

void CMSFlexGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click: no MouseDown, but the cell under it becomes current
    // (it normally is already, from the first press).
    event->accept();
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && !m_model->isFixed(index.row(), index.column()))
        moveCurrent(index.row(), index.column());
    emit DblClick();
}

void CMSFlexGrid::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
}
void CMSFlexGrid::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

void CMSFlexGrid::keyPressEvent(QKeyEvent* event)
{
    const int firstRow = std::min(GetFixedRows(), GetRows() - 1);
    const int firstCol = std::min(GetFixedCols(), GetCols() - 1);
    const int lastRow = GetRows() - 1;
    const int lastCol = GetCols() - 1;
    const int page = std::max(1, viewport()->height() / std::max(1, rowHeight(m_row)) - 1);
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    int row = m_row;
    int col = m_col;
    switch (event->key()) {
    case Qt::Key_Left:
        col = std::max(firstCol, col - 1);
        break;
    case Qt::Key_Right:
        col = std::min(lastCol, col + 1);
        break;
    case Qt::Key_Up:
        row = std::max(firstRow, row - 1);
        break;
    case Qt::Key_Down:
        row = std::min(lastRow, row + 1);
        break;
    case Qt::Key_PageUp:
        row = std::max(firstRow, row - page);
        break;
    case Qt::Key_PageDown:
        row = std::min(lastRow, row + page);
        break;
    case Qt::Key_Home:
        col = firstCol;
        if (ctrl)
            row = firstRow;
        break;
    case Qt::Key_End:
        col = lastCol;
        if (ctrl)
            row = lastRow;
        break;
    default: {
        const QString text = event->text();
        if (!text.isEmpty() && text.at(0).unicode() != 0 && text.at(0).unicode() < 0x8000 &&
            !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            short code = static_cast<short>(text.at(0).unicode());
            emit KeyPress(&code);
            event->accept();
        } else {
            event->ignore();
        }
        return;
    }
    }
    if (lastRow >= 0 && lastCol >= 0)
        moveCurrent(row, col);
    event->accept();
}

void CMSFlexGrid::focusInEvent(QFocusEvent* event)
{
    // The item view would make some index current on focus; the grid keeps its own.
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void CMSFlexGrid::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void CMSFlexGrid::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        applyGeometry();
}
