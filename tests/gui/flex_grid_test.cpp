// The channel grid's operations and events: the current cell and its LeaveCell / EnterCell
// pair, cell texts, twips geometry, alignment, and the mouse and key events the view relies on.
#include "grid/ms_flex_grid.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

namespace {

// What a handler saw at each event: its name and the current cell at that moment.
struct Seen
{
    QString event;
    int row;
    int col;
    bool operator==(const Seen&) const = default;
};

} // namespace

class FlexGridTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<CMSFlexGrid> grid;
    QList<Seen> seen;

    void record(const char* event)
    {
        seen.append({QString::fromLatin1(event), grid->GetRow(), grid->GetCol()});
    }

private slots:
    void init()
    {
        grid = std::make_unique<CMSFlexGrid>();
        grid->setFont(QFont(QStringLiteral("Times New Roman"), 9));
        grid->SetRows(17);
        grid->SetCols(9);
        grid->resize(579, 292);
        seen.clear();
        connect(grid.get(), &CMSFlexGrid::LeaveCell, this, [this] { record("leave"); });
        connect(grid.get(), &CMSFlexGrid::EnterCell, this, [this] { record("enter"); });
        connect(grid.get(), &CMSFlexGrid::MouseDown, this,
                [this](short button, short, int, int) { record(button == 2 ? "right" : "down"); });
        connect(grid.get(), &CMSFlexGrid::DblClick, this, [this] { record("dblclick"); });
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
    }

    void cleanup() { grid.reset(); }

    // A new grid starts on its first non-fixed cell.
    void startsOnFirstNonFixedCell()
    {
        QCOMPARE(grid->GetRows(), 17);
        QCOMPARE(grid->GetCols(), 9);
        QCOMPARE(grid->GetFixedRows(), 1);
        QCOMPARE(grid->GetFixedCols(), 1);
        QCOMPARE(grid->GetRow(), 1);
        QCOMPARE(grid->GetCol(), 1);
    }

    // LeaveCell still names the old cell, EnterCell already the new one; no change, no event.
    void settingRowOrColLeavesThenEnters()
    {
        grid->SetCol(5);
        grid->SetRow(7);
        grid->SetRow(7);
        grid->SetCol(5);
        grid->SetRow(0); // fixed rows may be made current by the program
        const QList<Seen> expected{{"leave", 1, 1}, {"enter", 1, 5}, {"leave", 1, 5},
                                   {"enter", 7, 5}, {"leave", 7, 5}, {"enter", 0, 5}};
        QCOMPARE(seen, expected);
        grid->SetRow(17); // out of range: ignored
        grid->SetCol(-1);
        QCOMPARE(seen.size(), expected.size());
        QCOMPARE(grid->GetRow(), 0);
    }

    // A press on a cell makes it current before MouseDown is raised; a press on a fixed cell
    // raises MouseDown only; the right button is reported as 2.
    void mousePressMakesCellCurrentFirst()
    {
        grid->SetRow(3);
        grid->SetCol(2);
        seen.clear();
        const QRect cell = grid->visualRect(grid->model()->index(4, 6));
        QTest::mousePress(grid->clientArea(), Qt::LeftButton, {}, cell.center());
        QTest::mouseRelease(grid->clientArea(), Qt::LeftButton, {}, cell.center());
        const QRect header = grid->visualRect(grid->model()->index(0, 3));
        QTest::mouseClick(grid->clientArea(), Qt::LeftButton, {}, header.center());
        QTest::mouseClick(grid->clientArea(), Qt::RightButton, {}, cell.center());
        const QList<Seen> expected{
            {"leave", 3, 2}, {"enter", 4, 6}, {"down", 4, 6}, {"down", 4, 6}, {"right", 4, 6}};
        QCOMPARE(seen, expected);
        QVERIFY(grid->hasFocus());
    }

    void doubleClickRaisesDblClick()
    {
        const QRect cell = grid->visualRect(grid->model()->index(2, 2));
        QTest::mouseClick(grid->clientArea(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->clientArea(), Qt::LeftButton, {}, cell.center());
        const QList<Seen> expected{
            {"leave", 1, 1}, {"enter", 2, 2}, {"down", 2, 2}, {"dblclick", 2, 2}};
        QCOMPARE(seen, expected);
    }

    // Arrow keys move over the non-fixed cells and stop at the edges; characters go to KeyPress.
    void keysMoveOrReachKeyPress()
    {
        QList<short> typed;
        connect(grid.get(), &CMSFlexGrid::KeyPress, this,
                [&typed](short* key) { typed.append(*key); });
        grid->setFocus();
        QTest::keyClick(grid.get(), Qt::Key_Left); // already in the first non-fixed column
        QTest::keyClick(grid.get(), Qt::Key_Up);
        QCOMPARE(seen.size(), 0);
        QTest::keyClick(grid.get(), Qt::Key_Right);
        QTest::keyClick(grid.get(), Qt::Key_Down);
        QTest::keyClick(grid.get(), Qt::Key_End);
        QTest::keyClick(grid.get(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(grid->GetRow(), 16);
        QCOMPARE(grid->GetCol(), 8);
        QTest::keyClick(grid.get(), Qt::Key_Right);
        QTest::keyClick(grid.get(), Qt::Key_Down);
        QCOMPARE(grid->GetRow(), 16);
        QCOMPARE(grid->GetCol(), 8);
        QCOMPARE(seen.first(), (Seen{"leave", 1, 1}));
        QTest::keyClicks(grid.get(), QStringLiteral("4a."));
        QCOMPARE(typed, (QList<short>{'4', 'a', '.'}));
        QCOMPARE(grid->GetRow(), 16);
    }

    // TextMatrix reaches every cell, fixed ones too; Text is the current cell's; a change of text
    // is reported once, a rewrite of the same text not at all.
    void cellTexts()
    {
        QSignalSpy changed(grid.get(), &CMSFlexGrid::cellTextChanged);
        grid->SetTextMatrix(0, 3, QStringLiteral("Rx Tone"));
        grid->SetTextMatrix(5, 2, QStringLiteral("446.00625"));
        grid->SetTextMatrix(5, 2, QStringLiteral("446.00625"));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(grid->GetTextMatrix(0, 3), QStringLiteral("Rx Tone"));
        QCOMPARE(grid->GetTextMatrix(16, 8), QString());
        QCOMPARE(grid->GetTextMatrix(17, 0), QString());
        QCOMPARE(grid->GetTextMatrix(0, 9), QString());
        grid->SetTextMatrix(17, 0, QStringLiteral("nowhere"));
        QCOMPARE(changed.count(), 2);
        grid->SetRow(5);
        grid->SetCol(2);
        QCOMPARE(grid->GetText(), QStringLiteral("446.00625"));
        grid->SetText(QString());
        QCOMPARE(grid->GetTextMatrix(5, 2), QString());
        QCOMPARE(changed.count(), 3);
    }

    // Column widths are kept in twips as set; the current cell's box follows the widths and
    // the row heights, in twips relative to the client area.
    void geometryInTwips()
    {
        QCOMPARE(grid->GetColWidth(2), CMSFlexGrid::kDefaultColWidth);
        const int widths[] = {438, 1224, 1224, 918, 918, 816, 918, 816, 816};
        for (int col = 0; col < 9; ++col)
            grid->SetColWidth(col, widths[col]);
        for (int col = 0; col < 9; ++col)
            QCOMPARE(grid->GetColWidth(col), widths[col]);

        const int dpi = grid->logicalDpiX();
        auto px = [dpi](int twips) { return (twips * dpi + 720) / 1440; };
        grid->SetRow(3);
        grid->SetCol(3);
        QCOMPARE(grid->GetCellLeft(), (px(438) + 2 * px(1224)) * 1440 / dpi);
        QCOMPARE(grid->GetCellWidth(), px(918) * 1440 / dpi);
        const int rowHeight = grid->rowHeight(0);
        QVERIFY(rowHeight > grid->fontMetrics().height());
        QCOMPARE(grid->GetCellTop(), 3 * rowHeight * 1440 / grid->logicalDpiY());
        QCOMPARE(grid->GetCellHeight(), rowHeight * 1440 / grid->logicalDpiY());
        // The box, turned back into pixels, is the cell the grid draws.
        const QRect drawn = grid->visualRect(grid->model()->index(3, 3));
        QCOMPARE(grid->GetCellLeft() * dpi / 1440, drawn.left());
        QCOMPARE(grid->GetCellTop() * grid->logicalDpiY() / 1440, drawn.top());
    }

    void alignmentValues()
    {
        QCOMPARE(grid->GetColAlignment(4), short(CMSFlexGrid::flexAlignGeneral));
        grid->SetColAlignment(4, CMSFlexGrid::flexAlignCenterCenter);
        grid->SetColAlignment(5, CMSFlexGrid::flexAlignRightBottom);
        QCOMPARE(grid->GetColAlignment(4), short(4));
        auto alignment = [this](int row, int col) {
            return grid->model()
                ->index(row, col)
                .data(Qt::TextAlignmentRole)
                .value<Qt::Alignment>();
        };
        QCOMPARE(alignment(0, 4), Qt::AlignHCenter | Qt::AlignVCenter);
        QCOMPARE(alignment(9, 4), Qt::AlignHCenter | Qt::AlignVCenter);
        QCOMPARE(alignment(9, 5), Qt::AlignRight | Qt::AlignBottom);
        grid->SetTextMatrix(2, 6, QStringLiteral("12.5"));
        grid->SetTextMatrix(3, 6, QStringLiteral("Wide"));
        QCOMPARE(alignment(2, 6), Qt::AlignRight | Qt::AlignVCenter);
        QCOMPARE(alignment(3, 6), Qt::AlignLeft | Qt::AlignVCenter);
    }

    // Editors laid over a cell are children of the client area, whose origin is the cells'.
    void clientAreaHoldsTheCells()
    {
        QCOMPARE(grid->clientArea(), grid->viewport());
        QCOMPARE(grid->visualRect(grid->model()->index(0, 0)).topLeft(), QPoint(0, 0));
    }
};

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    FlexGridTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "flex_grid_test.moc"
