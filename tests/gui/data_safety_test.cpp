// Nothing the user does loses data unnoticed: a read over an open file, an edit left open when the
// document is replaced, channels outside the band.
// Widgets by object name, answers through the dialog hooks, results as file and radio bytes.
#include "gui_test_support.h"
#include "sim_process.h"

#include "app/main_frame.h"
#include "app/tern_app.h"
#include "image/channel_codec.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QWindow>

namespace {

// A new image with channel 3 on `frequency`.
orvo::RadioImage imageWith(const char* frequency)
{
    orvo::RadioImage image = orvo::RadioImage::makeNew();
    orvo::encodeChannel({frequency, frequency, "", "", "No", "Wide", "Add", "High"}, image, 3);
    return image;
}

// Channel `ch` of the file as the form shows it.
orvo::ChannelTexts channel(const QString& file, int ch)
{
    return orvo::decodeChannel(fromBytes(readFileBytes(file)), ch);
}

void ctrl(Qt::Key key)
{
    if (QApplication::activeWindow() != mainFrame())
        mainFrame()->windowHandle()->requestActivate();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(mainFrame()));
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus && focus->window() == mainFrame() ? focus : mainFrame(), key,
                    Qt::ControlModifier);
}

// Ctrl+R or Ctrl+W, Start, and the wait until the transfer is over.
void transfer(Qt::Key key)
{
    ctrl(key);
    auto* dialog = mainFrame()->findChild<QDialog*>(QStringLiteral("CProgressDlg"));
    QVERIFY(dialog && dialog->isVisible());
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnStart")), Qt::LeftButton);
    auto* read = mainFrame()->findChild<QAction*>(QStringLiteral("ID_READ_FROM_RADIO"));
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible() && read->isEnabled(), 120000);
}

} // namespace

class DataSafetyTest : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    const orvo::RadioImage radio = imageWith("145.00625");
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<CTernApp> app;

    // Starts the application on custA.sin with channel 3 on `frequency`.
    QString startWith(const char* frequency)
    {
        const QString file = dir.filePath(QStringLiteral("custA.sin"));
        saveWithCore(file, imageWith(frequency));
        app = startApplication({file});
        return file;
    }

private slots:
    void initTestCase() { quietPlatformWarnings(); }
    void init()
    {
        sim = std::make_unique<SimProcess>(QStringList(), &radio);
        QVERIFY(sim->started());
        qputenv("ORVO_COM1", QByteArray::fromStdString(sim->path()));
    }
    void cleanup()
    {
        app.reset();
        sim.reset();
    }

    // A read asks before it replaces unsaved changes and leaves the document without a name and
    // modified: Ctrl+S asks for one and the opened file keeps its bytes.
    void readKeepsTheOpenFile()
    {
        const QString file = startWith("146.52000");
        const QByteArray before = readFileBytes(file);

        DialogAnswers answers;
        chooseListEntry(mainFrame()->findChild<QComboBox*>(QStringLiteral("cmbSquelchLevel")), 2);
        answers.boxAnswers = {QMessageBox::Cancel, QMessageBox::Discard};
        transfer(Qt::Key_R);
        transfer(Qt::Key_R);
        QCOMPARE(answers.boxes.size(), 2);
        QCOMPARE(answers.boxes.last().text, QStringLiteral("Save changes?"));
        ctrl(Qt::Key_S);
        QCOMPARE(answers.fileRequests.size(), 1);
        QCOMPARE(readFileBytes(file), before);
        // Undone back to the file's state, the data has no file behind it: New still asks.
        for (Qt::Key key : {Qt::Key_Z, Qt::Key_Z, Qt::Key_N, Qt::Key_Y, Qt::Key_Y})
            ctrl(key);
        QCOMPARE(answers.boxes.size(), 3);
        answers.fileAnswers = {dir.filePath(QStringLiteral("radio.sin"))};
        ctrl(Qt::Key_S);
        QVERIFY(channel(dir.filePath(QStringLiteral("radio.sin")), 3) ==
                orvo::decodeChannel(radio, 3));
    }

    // Text typed into a cell and left open is committed before New asks to save, and by Save.
    void openEditIsKept_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("New, Save") << Qt::Key_N << QStringList{QStringLiteral("Save changes?")};
        QTest::newRow("Save") << Qt::Key_S << QStringList();
    }
    void openEditIsKept()
    {
        QFETCH(Qt::Key, key);
        QFETCH(QStringList, boxes);
        const QString file = startWith("146.52000");
        auto* grid = mainFrame()->findChild<QWidget*>(QStringLiteral("grid"));
        grid->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), grid);
        QTest::keyClick(grid, Qt::Key_Down); // from channel 1 to channel 2
        QTest::keyClick(grid, '1');
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("47.5"));

        DialogAnswers answers;
        answers.boxAnswers = {QMessageBox::Save};
        ctrl(key);
        QStringList shown;
        for (const ShownBox& box : answers.boxes)
            shown.append(box.text);
        QCOMPARE(shown, boxes);
        QVERIFY(channel(file, 2) == orvo::ChannelTexts({"147.50000", "147.50000", "", "", "No",
                                                        "Wide", "Add", "High"}));
    }

    // Save and Write name the channels outside the band once; Cancel writes nothing, Continue
    // goes on.
    void outOfBandChannelsAreNamed_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::newRow("Save, Cancel") << Qt::Key_S << QMessageBox::Cancel;
        QTest::newRow("Save, Continue") << Qt::Key_S << QMessageBox::Ok;
        QTest::newRow("Write, Cancel") << Qt::Key_W << QMessageBox::Cancel;
    }
    void outOfBandChannelsAreNamed()
    {
        QFETCH(Qt::Key, key);
        QFETCH(QMessageBox::StandardButton, answer);
        QFile::remove(startWith("462.56250"));

        DialogAnswers answers;
        answers.boxAnswers = {answer};
        key == Qt::Key_S ? ctrl(key) : transfer(key);
        QCOMPARE(answers.boxes.size(), 1);
        QCOMPARE(answers.boxes.first().text,
                 QStringLiteral("Channel 3 Receive 462.56250 lies outside 136 - 174MHz\n"
                                "Channel 3 Transmit 462.56250 lies outside 136 - 174MHz"));
        QCOMPARE(QFile::exists(dir.filePath(QStringLiteral("custA.sin"))),
                 answer == QMessageBox::Ok);
        QVERIFY(sim->stopAndReadMemory() == radio);
    }
};

ORVO_GUI_TEST_MAIN(DataSafetyTest)

#include "data_safety_test.moc"
