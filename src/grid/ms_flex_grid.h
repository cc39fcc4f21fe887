#pragma once
// CMSFlexGrid: the channel table's grid control. A text-only grid with fixed rows and columns
// (drawn as headings) that offers the operations and events of the flexible grid the form was
// designed around: current cell (Row, Col, Text), any cell (TextMatrix), the current cell's box
// in twips, column widths in twips, column alignment, and the events DblClick, EnterCell,
// LeaveCell, KeyPress and MouseDown. Rows and columns count from 0.

#include <QString>
#include <QTableView>

#include <vector>

class FlexGridModel;

class CMSFlexGrid : public QTableView
{
    Q_OBJECT
    Q_PROPERTY(int rows READ GetRows WRITE SetRows)
    Q_PROPERTY(int cols READ GetCols WRITE SetCols)
    Q_PROPERTY(int fixedRows READ GetFixedRows WRITE SetFixedRows)
    Q_PROPERTY(int fixedCols READ GetFixedCols WRITE SetFixedCols)

public:
    // Alignment values of SetColAlignment.
    enum Alignment : short {
        flexAlignLeftTop = 0,
        flexAlignLeftCenter = 1,
        flexAlignLeftBottom = 2,
        flexAlignCenterTop = 3,
        flexAlignCenterCenter = 4,
        flexAlignCenterBottom = 5,
        flexAlignRightTop = 6,
        flexAlignRightCenter = 7,
        flexAlignRightBottom = 8,
        flexAlignGeneral = 9, // text left, numbers right; the default
    };

    // Width in twips that every column has until SetColWidth changes it.
    static constexpr int kDefaultColWidth = 1020;

    explicit CMSFlexGrid(QWidget* parent = nullptr);
    ~CMSFlexGrid() override;

    // Shape. Changing it keeps the texts of the cells that remain. Defaults: 2 x 2, 1 fixed
    // row, 1 fixed column.
    int GetRows() const;
    void SetRows(int rows);
    int GetCols() const;
    void SetCols(int cols);
    int GetFixedRows() const;
    void SetFixedRows(int rows);
    int GetFixedCols() const;
    void SetFixedCols(int cols);

    // The current cell. Setting Row or Col to another value raises LeaveCell (Row and Col still
    // naming the old cell), makes the new cell current, then raises EnterCell. Out-of-range
    // values are ignored. A new grid's current cell is the first non-fixed one.
    int GetRow() const;
    void SetRow(int row);
    int GetCol() const;
    void SetCol(int col);

    // Text of the current cell.
    QString GetText() const;
    void SetText(const QString& text);

    // Text of any cell, fixed ones too; a cell never written, or out of range, reads as "".
    QString GetTextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString& text);

    // The current cell's box in twips (1440 per inch at the grid's logical resolution),
    // relative to the client area (clientArea()).
    int GetCellLeft() const;
    int GetCellTop() const;
    int GetCellWidth() const;
    int GetCellHeight() const;

    // Column width in twips.
    int GetColWidth(int col) const;
    void SetColWidth(int col, int twips);

    // Alignment of the texts of a column (all its cells, fixed ones too); see Alignment.
    short GetColAlignment(int col) const;
    void SetColAlignment(int col, short alignment);

    // The client area: the window whose coordinates CellLeft/CellTop are given in, and the
    // parent to give in-place editors that lie over cells.
    QWidget* clientArea() const;

    // Twips <-> pixels at this grid's logical resolution.
    int twipsToPixelsX(int twips) const;
    int twipsToPixelsY(int twips) const;
    int pixelsToTwipsX(int pixels) const;
    int pixelsToTwipsY(int pixels) const;

signals:
    // A double click on the grid.
    void DblClick();
    // A cell has become current (by the user or by SetRow / SetCol).
    void EnterCell();
    // The current cell is about to change; Row and Col still name the cell being left.
    void LeaveCell();
    // A character key was typed while the grid had the focus. The handler may change the code;
    // the grid itself does nothing with it.
    void KeyPress(short* keyAscii);
    // A mouse button went down over the grid: button 1 left, 2 right, 4 middle; shift 1 Shift,
    // 2 Ctrl, 4 Alt; x, y in pixels of the client area. A press on a non-fixed cell makes it
    // current first.
    void MouseDown(short button, short shift, int x, int y);
    // The text of a cell changed (any cell, by TextMatrix or Text).
    void cellTextChanged(int row, int col);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void moveCurrent(int row, int col);
    void syncViewCurrent();
    void applyGeometry();
    int cellPixelLeft(int col) const;
    int cellPixelTop(int row) const;

    FlexGridModel* m_model;
    int m_row = 1;
    int m_col = 1;
    std::vector<int> m_colWidths; // twips
};
