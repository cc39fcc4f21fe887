// File New, Open and Save through the window against files made by the core: what the form shows
// after opening, the bytes a save writes back (those the program does not interpret included),
// refused files, the Type list's rewrite, Optional Features, the prompt that keeps unsaved
// changes, CSV import and dropped files, recent files and the manual behind F1.
#include "gui_test_support.h"
#include "reliability_support.h"

#include "image/channel_codec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTextBrowser>

namespace {

// The document image with random bytes wherever the program does not look.
orvo::RadioImage sampleImage()
{
    orvo::RadioImage image = reliability::documentImage();
    for (int ch = 1; ch <= 16; ++ch)
        orvo::encodeChannel(orvo::decodeChannel(image, ch), image, ch);
    QRandomGenerator random(4711);
    for (std::size_t i = 0; i < 1024; ++i) {
        const bool looked = (i >= 0x10 && i < 0x190 && i % 16 != 15) ||
                            (i >= 0x3C0 && i < 0x3C4) || i == 0x3D2 || i == 0x3D6 || i == 0x3F0;
        if (!looked)
            image[i] = static_cast<std::uint8_t>(random.bounded(256));
    }
    return image;
}

// Drops `file` on the window as a file manager would.
void dropOnWindow(const QString& file)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(mainWindow(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(mainWindow(), &drop);
}

} // namespace

class DocumentFilesTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QObject> app;

    QString path(const char* name) const { return dir->filePath(QLatin1String(name)); }

    static void open(DialogAnswers& answers, const QString& file)
    {
        answers.fileAnswers.append(file);
        ctrl(Qt::Key_O);
    }

private slots:
    void initTestCase() { quietPlatformWarnings(); }

    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        app = startApp();
        QVERIFY(app);
    }

    void cleanup() { app.reset(); }

    // Opening shows the file; saving gives it back byte for byte. A longer file opens with its
    // first 1024 bytes and saves back as those.
    void openShowsTheFileAndSaveGivesItBack()
    {
        const orvo::RadioImage sample = sampleImage();
        saveWithCore(path("sample.sin"), sample);
        writeFileBytes(path("long.sin"), toBytes(sample) + QByteArray(76, 'x'));
        for (const char* name : {"sample.sin", "long.sin"}) {
            DialogAnswers answers;
            open(answers, path(name));
            QVERIFY(answers.boxes.isEmpty());
            QCOMPARE(formTexts(), formTextsOf(sample));
            QCOMPARE(mainWindow()->windowTitle(), AppTitle());
            QFile::remove(path(name));
            ctrl(Qt::Key_S);
            QCOMPARE(readFileBytes(path(name)), toBytes(sample));
            QVERIFY(!asksToSave());
        }
    }

    // A new image saved at once: the name asked for gets ".sin"; the sixteen empty rows are
    // encoded (bytes 0..11 0xFF, flag byte 0xAF). A second Save asks nothing.
    void newImageSavedAtOnce()
    {
        DialogAnswers answers;
        answers.fileAnswers.append(path("fresh"));
        ctrl(Qt::Key_S);
        const FileDialogRequest& request = answers.fileRequests.first();
        QCOMPARE(request.caption, QStringLiteral("Save As"));
        QVERIFY(request.proposed.endsWith(QLatin1String("Untitled.sin")));
        orvo::RadioImage expected = orvo::RadioImage::makeNew();
        for (int ch = 1; ch <= 16; ++ch) {
            for (int b = 0; b < 12; ++b)
                expected[ch * 16 + b] = 0xFF;
            expected[ch * 16 + 12] = 0xAF;
        }
        QCOMPARE(readFileBytes(path("fresh.sin")), toBytes(expected));
        ctrl(Qt::Key_S);
        QCOMPARE(answers.fileRequests.size(), 1);
        QVERIFY(answers.boxes.isEmpty());
    }

    // An image that is not a ZT-4's leaves Type and Field as they were; the next save writes the
    // model and band codes from them.
    void allFfFileKeepsTypeAndField()
    {
        chooseListEntry(settingList("cmbField"), 1);
        writeFileBytes(path("blank.sin"), QByteArray(1024, char(0xFF)));
        DialogAnswers answers;
        answers.boxAnswers = {QMessageBox::Discard};
        open(answers, path("blank.sin"));
        QCOMPARE(answers.texts(), QStringList{QStringLiteral("Save changes?")});
        QCOMPARE(settingList("cmbType")->currentText(), QStringLiteral("ZT-4"));
        QCOMPARE(settingList("cmbField")->currentText(), QStringLiteral("350 - 400MHz"));
        for (int ch = 1; ch <= 16; ++ch)
            QCOMPARE(rowTexts(ch), QStringList(8, QString()));
        answers.fileAnswers.append(path("blank-saved.sin"));
        clickMenu("menuFile", "ID_FILE_SAVE_AS");
        const QByteArray saved = readFileBytes(path("blank-saved.sin"));
        QCOMPARE(saved.mid(0x3C0, 4), QByteArray::fromHex("ff000300"));
        QCOMPARE(quint8(saved[0x3D2]), quint8(0xF5));
        QCOMPARE(quint8(saved[0x3D6]), quint8(0x33));
    }

    // A file shorter than 1024 bytes is refused with one message and leaves the document, its
    // name, its unsaved changes and the form as they were.
    void shortFilesChangeNothing()
    {
        saveWithCore(path("sample.sin"), sampleImage());
        DialogAnswers answers;
        open(answers, path("sample.sin"));
        chooseListEntry(settingList("cmbBeep"), 1 - settingList("cmbBeep")->currentIndex());
        const QStringList form = formTexts();
        for (int size : {1023, 0}) {
            writeFileBytes(path("short.sin"), QByteArray(size, char(0x11)));
            answers.boxes.clear();
            answers.boxAnswers = {QMessageBox::Discard, QMessageBox::Ok};
            open(answers, path("short.sin"));
            QCOMPARE(answers.boxes.size(), 2);
            QCOMPARE(answers.boxes[1].caption, AppTitle());
            QCOMPARE(answers.boxes[1].icon, QMessageBox::Warning);
            QVERIFY2(answers.boxes[1].text.contains(QLatin1String("1024")),
                     qPrintable(answers.boxes[1].text));
            QCOMPARE(formTexts(), form);
            QVERIFY(asksToSave());
        }
        ctrl(Qt::Key_S); // to the file it came from
        QCOMPARE(answers.fileRequests.size(), 3);
        QCOMPARE(formTextsOf(fromBytes(readFileBytes(path("sample.sin")))), form);
    }

    // Picking ZT-4 rewrites the frequency pair records and the model block at once, resets the
    // band to "136 - 174MHz" and leaves the table alone.
    void typeSelectionRewritesPairTableAndBand()
    {
        orvo::RadioImage sample = sampleImage();
        sample[0x3D2] = 0xF7;
        QRandomGenerator random(99);
        for (std::size_t at = 17 * 16; at < 25 * 16; ++at)
            sample[at] = static_cast<std::uint8_t>(random.bounded(256));
        saveWithCore(path("band.sin"), sample);
        DialogAnswers answers;
        open(answers, path("band.sin"));
        QCOMPARE(settingList("cmbField")->currentText(), QStringLiteral("430 - 500MHz"));
        QStringList form = formTexts();
        chooseListEntry(settingList("cmbType"), 0); // already this radio's: the Field stays
        QCOMPARE(formTexts(), form);
        QVERIFY(!asksToSave());

        sample[0x3D6] = 0x00; // another radio's image: picking the Type makes it this radio's
        saveWithCore(path("band.sin"), sample);
        open(answers, path("band.sin"));
        chooseListEntry(settingList("cmbType"), 0);
        QCOMPARE(settingList("cmbField")->currentText(), QStringLiteral("136 - 174MHz"));
        ctrl(Qt::Key_S);
        const orvo::RadioImage saved = fromBytes(readFileBytes(path("band.sin")));
        const orvo::RadioImage fresh = orvo::RadioImage::makeNew();
        for (std::size_t at = 17 * 16; at < 25 * 16; ++at) {
            const std::size_t b = at % 16;
            QCOMPARE(saved[at], b < 8 || b == 13 || b == 14 ? fresh[at] : sample[at]);
        }
        QCOMPARE(saved[0x3D2], std::uint8_t(0xF4));
        QCOMPARE(saved[0x3D6], std::uint8_t(0x33));
    }

    // Optional Features shows the two bits; Cancel, and OK without a change, change nothing;
    // OK writes just bit 3 of 0x3C0 and bit 7 of 0x3F0.
    void optionalFeatures()
    {
        DialogAnswers answers;
        answers.fileAnswers = {path("features.sin")};
        ctrl(Qt::Key_S);
        QByteArray expected = readFileBytes(path("features.sin"));
        QStringList shown;
        auto drive = [&](int alert, bool checked, const char* button) {
            answers.dialogDriver = [&, alert, checked, button](QDialog& dialog) {
                auto* list = dialog.findChild<QComboBox*>(QStringLiteral("cmbRefuseAlert"));
                auto* box = dialog.findChild<QCheckBox*>(QStringLiteral("chkSquelchTail"));
                shown << list->currentText() + (box->isChecked() ? "+" : "-");
                if (list->currentIndex() != alert)
                    chooseListEntry(list, alert);
                if (box->isChecked() != checked)
                    QTest::mouseClick(box, Qt::LeftButton);
                QTest::mouseClick(dialog.findChild<QPushButton*>(QLatin1String(button)),
                                  Qt::LeftButton);
            };
            clickMenu("menuProgram", "ID_OPTIONAL_FEATURES");
        };
        drive(0, false, "btnCancel");
        drive(1, true, "btnOK");
        QVERIFY(!asksToSave());
        drive(0, false, "btnOK");
        QVERIFY(asksToSave());
        drive(0, false, "btnCancel");
        QCOMPARE(shown, (QStringList{"On+", "On+", "On+", "Off-"}));
        QCOMPARE(answers.dialogTitles.first(), QStringLiteral("Optional Features"));
        ctrl(Qt::Key_S);
        expected[0x3C0] = char(expected[0x3C0] | 0x08);
        expected[0x3F0] = char(expected[0x3F0] & 0x7F);
        QCOMPARE(readFileBytes(path("features.sin")), expected);
    }

    // Unsaved changes are asked about before New, Open and closing: Cancel keeps everything,
    // Discard goes on, Save saves first, and a save that fails or is cancelled stops the command.
    void savePromptGuardsChanges()
    {
        QComboBox* scan = settingList("cmbScan");
        DialogAnswers answers;
        ctrl(Qt::Key_N);
        QVERIFY(answers.boxes.isEmpty());
        chooseListEntry(scan, 0);
        answers.boxAnswers = {QMessageBox::Cancel};
        ctrl(Qt::Key_N);
        QCOMPARE(answers.boxes.size(), 1);
        QCOMPARE(answers.boxes[0].text, QStringLiteral("Save changes?"));
        QCOMPARE(answers.boxes[0].caption, AppTitle());
        QCOMPARE(answers.boxes[0].buttons,
                 QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        QCOMPARE(scan->currentText(), QStringLiteral("OFF"));

        answers.boxAnswers = {QMessageBox::Discard};
        ctrl(Qt::Key_N);
        QCOMPARE(scan->currentText(), QStringLiteral("ON"));
        QVERIFY(!asksToSave());

        chooseListEntry(scan, 0);
        answers.boxAnswers = {QMessageBox::Save};
        answers.fileAnswers = {path("kept.sin")};
        ctrl(Qt::Key_N);
        QCOMPARE(quint8(readFileBytes(path("kept.sin"))[0x3C0]) & 0x04, 0);
        QCOMPARE(scan->currentText(), QStringLiteral("ON"));

        chooseListEntry(scan, 0);
        for (const QString& name : {QString(), path("no-such-folder/x.sin")}) {
            answers.boxAnswers = {QMessageBox::Save, QMessageBox::Ok};
            answers.fileAnswers = {name};
            ctrl(Qt::Key_N);
            QCOMPARE(scan->currentText(), QStringLiteral("OFF"));
        }
        QVERIFY(answers.boxes.last().text.contains(QLatin1String("x.sin")));

        answers.boxes.clear();
        answers.boxAnswers = {QMessageBox::Cancel};
        QVERIFY(!mainWindow()->close());
        QVERIFY(mainWindow()->isVisible());
        answers.boxAnswers = {QMessageBox::Discard};
        clickMenu("menuFile", "ID_APP_EXIT");
        QVERIFY(!mainWindow()->isVisible());
        QCOMPARE(answers.boxes.size(), 2);
    }

    // A file named on the command line opens at start-up; one that cannot be opened ends
    // start-up after its message.
    void commandLineFile()
    {
        app.reset();
        saveWithCore(path("start.sin"), sampleImage());
        app = startApp({path("start.sin")});
        QVERIFY(app && mainWindow()->isVisible());
        QCOMPARE(formTexts(), formTextsOf(sampleImage()));
        app.reset();

        writeFileBytes(path("broken.sin"), QByteArray(10, 0));
        DialogAnswers answers;
        QVERIFY(!startApp({path("broken.sin")}));
        QCOMPARE(answers.boxes.size(), 1);
    }

    // File > Import Channels refuses a file with a bad cell in one message, a line for each
    // refused cell (none for the flags of a row whose frequency was refused), and changes
    // nothing. A good CSV dropped on the window replaces the table as one undo step; a dropped
    // .sin asks about the unsaved import first.
    void csvImportAndDrops()
    {
        const QByteArray header =
            "CH,Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone,Busy,W/N,Scan,Power\n";
        writeFileBytes(path("bad.csv"),
                       header + "1,462.56250,,,,Yes,Narrow,,\n2,145.50000,,,,Maybe,,,\n");
        writeFileBytes(path("good.csv"),
                       header + "1,145.50000,,,,,,,\n5,146.00000,146.60000,,D023N,Yes,,,Low\n");
        saveWithCore(path("sample.sin"), sampleImage());
        DialogAnswers answers;
        open(answers, path("sample.sin"));
        const QStringList form = formTexts();
        answers.fileAnswers = {path("bad.csv")};
        clickMenu("menuFile", "ID_IMPORT_CHANNELS");
        QCOMPARE(answers.texts(),
                 QStringList{"Nothing was imported from \"bad.csv\":\n"
                             "line 2, column Receive(MHz): 462.56250 is outside the band "
                             "136 - 174MHz\nline 3, column Busy: \"Maybe\" is neither Yes nor No"});
        QCOMPARE(formTexts(), form);
        QVERIFY(!asksToSave());

        dropOnWindow(path("good.csv"));
        const QStringList imported = formTexts();
        QCOMPARE(rowTexts(1),
                 (QStringList{"145.50000", "145.50000", "", "", "No", "Wide", "Add", "High"}));
        QCOMPARE(rowTexts(5),
                 (QStringList{"146.00000", "146.60000", "", "D023N", "Yes", "Wide", "Add", "Low"}));
        QCOMPARE(rowTexts(3), QStringList(8, QString()));
        dropOnWindow(path("sample.sin"));
        QCOMPARE(answers.texts().last(), QStringLiteral("Save changes?"));
        QCOMPARE(formTexts(), imported);
        ctrl(Qt::Key_Z);
        QCOMPARE(formTexts(), form);
        QCOMPARE(answers.boxes.size(), 2);
    }

    // The files opened last are in the File menu, the latest first, and reopen from it after a
    // restart.
    void recentFileReopens()
    {
        saveWithCore(path("first.sin"), sampleImage());
        saveWithCore(path("second.sin"), reliability::radioMemory());
        DialogAnswers answers;
        open(answers, path("first.sin"));
        open(answers, path("second.sin"));
        app.reset();
        app = startApp();
        clickMenu("menuFile", "ID_FILE_MRU_FILE2");
        QCOMPARE(formTexts(), formTextsOf(sampleImage()));
        QCOMPARE(command("ID_FILE_MRU_FILE2")->text(), "&2 " + path("first.sin"));
        QVERIFY(answers.boxes.isEmpty());
    }

    // F1 shows the user manual in the program's help window.
    void f1OpensTheManual()
    {
        press(Qt::Key_F1);
        auto* help = named<QWidget>(QStringLiteral("helpWindow"));
        QVERIFY(help);
        QTRY_VERIFY(help->isVisible());
        QVERIFY(help->findChild<QTextBrowser*>()->toPlainText().contains("Verifying a radio"));
    }
};

ORVO_GUI_TEST_MAIN(DocumentFilesTest)
#include "document_files_test.moc"
