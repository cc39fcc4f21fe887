// What only the grid's widgets do: an editor opens over its cell, Enter walks on, Escape keeps
// the cell, the messages of typing, and the Edit menu's keys (undo, copy and paste of rows).
#include "gui_test_support.h"

#include "app/main_frame.h"
#include "app/tern_app.h"
#include "app/tern_doc.h"

#include <QLineEdit>
#include <QTableView>
#include <QTest>

class GridTest : public QObject
{
    Q_OBJECT

private slots:
    void keyboardEditing();
};

namespace {

QString cell(QTableView* grid, int row, int col)
{
    return grid->model()->index(row, col).data().toString();
}

QWidget* openEditor(QTableView* grid)
{
    for (auto* w : grid->viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isVisible() && !w->objectName().isEmpty())
            return w;
    return nullptr;
}

void clickCell(QTableView* grid, int row, int col, Qt::KeyboardModifiers mods = {})
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, mods,
                      grid->visualRect(grid->model()->index(row, col)).center());
}

} // namespace

void GridTest::keyboardEditing()
{
    auto app = startApplication();
    DialogAnswers answers;
    auto* grid = mainFrame()->findChild<QTableView*>(QStringLiteral("grid"));
    QVERIFY(grid);

    clickCell(grid, 0, 1);
    QWidget* editor = openEditor(grid);
    QVERIFY(editor);
    QCOMPARE(editor->objectName(), QStringLiteral("editFreq"));
    QCOMPARE(editor->geometry(), grid->visualRect(grid->model()->index(0, 1)));
    QTest::keyClicks(editor, QStringLiteral("146.1"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(cell(grid, 0, 1), QStringLiteral("146.10000"));
    QCOMPARE(cell(grid, 0, 3), QStringLiteral("Off"));
    editor = openEditor(grid);
    QVERIFY(editor && editor->geometry() == grid->visualRect(grid->model()->index(0, 2)));

    // A refused frequency: the message, the editor open and emptied, the cell as it was.
    static_cast<QLineEdit*>(editor)->setText(QStringLiteral("12"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(answers.boxes.size(), 1);
    QCOMPARE(answers.boxes[0].text, QStringLiteral("Error Data Format\uFF0CPlease input again"));
    QCOMPARE(openEditor(grid), editor);
    QCOMPARE(static_cast<QLineEdit*>(editor)->text(), QString());
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(cell(grid, 0, 2), QStringLiteral("146.10000"));
    QCOMPARE(openEditor(grid)->objectName(), QStringLiteral("cmbTone"));
    QTest::keyClick(openEditor(grid), Qt::Key_Escape);
    QVERIFY(!openEditor(grid));

    // A letter typed on a frequency cell; W/N takes no typing.
    QTest::keyClick(grid, Qt::Key_Left);
    QTest::keyClick(grid, Qt::Key_Left);
    QTest::keyClick(grid, Qt::Key_X);
    QCOMPARE(answers.boxes.size(), 2);
    QCOMPARE(answers.boxes[1].text, QStringLiteral("Please input Number"));
    QTest::keyClick(openEditor(grid), Qt::Key_Escape);
    grid->setCurrentIndex(grid->model()->index(0, 6));
    QTest::keyClick(grid, Qt::Key_N);
    QVERIFY(!openEditor(grid));

    // Copy row 1 onto row 3, then undo everything back to the file as opened.
    clickCell(grid, 0, 0);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    clickCell(grid, 2, 0);
    QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(cell(grid, 2, 1), QStringLiteral("146.10000"));
    CTernDoc* doc = app->GetDocument();
    QVERIFY(doc->IsModified());
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!doc->IsModified());
    QCOMPARE(cell(grid, 0, 1), QString());
    QTest::keyClick(grid, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(cell(grid, 0, 1), QStringLiteral("146.10000"));
}

ORVO_GUI_TEST_MAIN(GridTest)
#include "grid_test.moc"
