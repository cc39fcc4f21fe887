// Nothing the user does loses data unnoticed: a read over an open file, an edit left open when the
// document is saved or replaced, channels outside the band.
#include "gui_test_support.h"
#include "sim_process.h"

#include "image/channel_codec.h"

namespace {

// A new image with channel 3 on `frequency`.
orvo::RadioImage imageWith(const char* frequency)
{
    orvo::RadioImage image = orvo::RadioImage::makeNew();
    orvo::encodeChannel({frequency, frequency, "", "", "No", "Wide", "Add", "High"}, image, 3);
    return image;
}

} // namespace

class DataSafetyTest : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    const orvo::RadioImage radio = imageWith("145.00625");
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<QObject> app;
    QString file;

    // Starts the application on custA.sin with channel 3 on `frequency`.
    void startWith(const char* frequency)
    {
        file = dir.filePath(QStringLiteral("custA.sin"));
        saveWithCore(file, imageWith(frequency));
        app = startApp({file});
        QVERIFY(app);
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

    // A read asks before it replaces unsaved changes (Cancel reads nothing) and leaves the
    // document without a name and modified: Ctrl+S asks for a name and the opened file keeps its
    // bytes; undone back to the file's state, the data still has no file, and Open asks.
    void readKeepsTheOpenFile()
    {
        startWith("146.52000");
        const QByteArray before = readFileBytes(file);
        DialogAnswers answers;
        chooseListEntry(settingList("cmbSquelchLevel"), 2);
        answers.boxAnswers = {QMessageBox::Cancel};
        transferFromToolbar(false);
        QCOMPARE(cellText(3, 1), QStringLiteral("146.52000"));
        answers.boxAnswers = {QMessageBox::Discard};
        transferFromToolbar(false);
        QCOMPARE(cellText(3, 1), QStringLiteral("145.00625"));
        QCOMPARE(answers.texts(), QStringList(2, QStringLiteral("Save changes?")));
        ctrl(Qt::Key_S);
        QCOMPARE(answers.fileRequests.size(), 1);
        QCOMPARE(readFileBytes(file), before);
        ctrl(Qt::Key_Z);
        ctrl(Qt::Key_Z);
        QVERIFY(asksToSave());
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
        startWith("146.52000");
        typeOnCell(2, 1, QStringLiteral("147.5"));
        DialogAnswers answers;
        answers.boxAnswers = {QMessageBox::Save};
        ctrl(key);
        QCOMPARE(answers.texts(), boxes);
        QCOMPARE(orvo::decodeChannel(fromBytes(readFileBytes(file)), 2)[0], "147.50000");
    }

    // Save and Write name the channels outside the band once; Cancel writes nothing, Continue
    // goes on.
    void outOfBandChannelsAreNamed_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::newRow("Save, Cancel") << false << QMessageBox::Cancel;
        QTest::newRow("Save, Continue") << false << QMessageBox::Ok;
        QTest::newRow("Write, Cancel") << true << QMessageBox::Cancel;
    }
    void outOfBandChannelsAreNamed()
    {
        QFETCH(bool, write);
        QFETCH(QMessageBox::StandardButton, answer);
        startWith("462.56250");
        QFile::remove(file);
        DialogAnswers answers;
        answers.boxAnswers = {answer};
        write ? transferFromToolbar(true) : ctrl(Qt::Key_S);
        QCOMPARE(answers.texts(),
                 QStringList{"Channel 3 Receive 462.56250 lies outside 136 - 174MHz\n"
                             "Channel 3 Transmit 462.56250 lies outside 136 - 174MHz"});
        QCOMPARE(QFile::exists(file), answer == QMessageBox::Ok);
        QVERIFY(sim->stopAndReadMemory() == radio);
    }
};

ORVO_GUI_TEST_MAIN(DataSafetyTest)

#include "data_safety_test.moc"
