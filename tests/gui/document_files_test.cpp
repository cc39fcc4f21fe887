// File New, Open and Save through the window against files made by the core: the form after
// opening, the bytes a save writes back (those the program does not interpret included), refused
// files, another radio's image, Optional Features, the prompt that keeps unsaved changes, CSV
// import and export and dropped files, recent files, the program started with a file, and the
// Help menu.
#include "gui_test_support.h"
#include "reliability_support.h"

#include "core/image/channel_codec.h"
#include "document/settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QRandomGenerator>

#include <sys/stat.h>

namespace {

// The document image with random bytes wherever the program does not look.
orvo::RadioImage sampleImage()
{
    orvo::RadioImage image = reliability::documentImage();
    for (int ch = 1; ch <= 16; ++ch)
        orvo::encodeChannel(orvo::decodeChannel(image, ch), image, ch);
    QRandomGenerator random(4711);
    for (std::size_t i = 0; i < 1024; ++i) {
        const bool looked = (i >= 0x10 && i < 0x190 && i % 16 != 15) || (i >= 0x3C0 && i < 0x3C4) ||
                            i == 0x3D2 || i == 0x3D6 || i == 0x3F0;
        if (!looked)
            image[i] = static_cast<std::uint8_t>(random.bounded(256));
    }
    return image;
}

} // namespace

class DocumentFilesTest : public GuiTest
{
    Q_OBJECT

private slots:
    void newOpenSaveAndChannels()
    {
        // A new image saved at once: the name asked for gets ".sin", its empty rows are encoded.
        // Optional Features: Cancel, and OK without a change, change nothing; OK writes just
        // bit 3 of 0x3C0 and bit 7 of 0x3F0 as one undo step, which a second Save stores without
        // asking.
        DialogAnswers answers;
        answers.fileAnswers = {path("features")};
        ctrl(Qt::Key_S);
        QVERIFY(answers.fileRequests.first().proposed.endsWith(QLatin1String("Untitled.sin")));
        orvo::RadioImage fresh = orvo::RadioImage::makeNew();
        for (int ch = 1; ch <= 16; ++ch)
            orvo::encodeChannel({}, fresh, ch);
        QByteArray expected = toBytes(fresh);
        QCOMPARE(readFileBytes(path("features.sin")), expected);
        QStringList shown;
        for (const auto& [change, button] : {std::pair{true, "btnCancel"},
                                             {false, "btnOK"},
                                             {true, "btnOK"},
                                             {false, "btnCancel"}}) {
            answers.dialogDriver = [&, change, button](QDialog& dialog) {
                auto* list = dialog.findChild<QComboBox*>(QStringLiteral("cmbRefuseAlert"));
                auto* box = dialog.findChild<QCheckBox*>(QStringLiteral("chkSquelchTail"));
                shown << list->currentText() + (box->isChecked() ? "+" : "-");
                if (change) {
                    chooseListEntry(list, 1 - list->currentIndex());
                    QTest::mouseClick(box, Qt::LeftButton);
                }
                QTest::mouseClick(dialog.findChild<QPushButton*>(QLatin1String(button)),
                                  Qt::LeftButton);
            };
            QCOMPARE(asksToSave(), shown.size() == 3);
            clickMenu("menuProgram", "ID_OPTIONAL_FEATURES");
        }
        QCOMPARE(shown, (QStringList{"On+", "On+", "On+", "Off-"}));
        answers.dialogDriver = {};
        ctrl(Qt::Key_S);
        QVERIFY(!asksToSave());
        QCOMPARE(answers.fileRequests.size(), 1);
        expected[0x3C0] = char(expected[0x3C0] | 0x08);
        expected[0x3F0] = char(expected[0x3F0] & 0x7F);
        QCOMPARE(readFileBytes(path("features.sin")), expected);

        // Opening shows the file; saving gives it back byte for byte. A file shorter than 1024
        // bytes is refused and leaves the document, its name, its unsaved changes and the form
        // as they were; Save stores those changes.
        const orvo::RadioImage sample = sampleImage();
        saveWithCore(path("sample.sin"), sample);
        answers.fileAnswers = {path("sample.sin")};
        ctrl(Qt::Key_O);
        QCOMPARE(formTexts(), formTextsOf(sample));
        QFile::remove(path("sample.sin"));
        ctrl(Qt::Key_S);
        QCOMPARE(readFileBytes(path("sample.sin")), toBytes(sample));
        chooseListEntry(settingList("cmbBeep"), 1 - settingList("cmbBeep")->currentIndex());
        const QStringList form = formTexts();
        writeFileBytes(path("short.sin"), QByteArray(1023, char(0x11)));
        answers.boxAnswers = {QMessageBox::Discard, QMessageBox::Ok};
        answers.fileAnswers = {path("short.sin")};
        ctrl(Qt::Key_O);
        QCOMPARE(answers.boxes.size(), 2);
        QCOMPARE(formTexts(), form);
        ctrl(Qt::Key_S); // to the file it came from
        QVERIFY(!asksToSave());
        QCOMPARE(formTextsOf(fromBytes(readFileBytes(path("sample.sin")))), form);

        // Import Channels refuses at once, unread, a named pipe and a file larger than either
        // CSV format takes (8 GiB, sparse). Other lists open the preview: bad.csv's lines are
        // skipped with their reasons and Cancel changes nothing; a list dropped on the window
        // is imported by the default button as one undo step. A 1-based list with gaps opens by
        // Location; driven by keys: in order from channel 1, its first line ticked out, Import,
        // then undo. A dropped .sin asks about the unsaved import first.
        const QByteArray header =
            "CH,Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone,Busy,W/N,Scan,Power\n";
        writeFileBytes(path("bad.csv"),
                       header + "1,462.56250,,,,Yes,Narrow,,\n2,145.50000,,,,Maybe,,,\n");
        writeFileBytes(path("good.csv"),
                       header + "1,145.50000,,,,,,,\n5,146.00000,146.60000,,D023N,Yes,,,Low\n");
        QVERIFY(::mkfifo(QFile::encodeName(path("list.csv")).constData(), 0644) == 0);
        QFile huge(path("huge.csv"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(8) << 30));
        huge.close();
        answers.boxes.clear();
        answers.fileAnswers = {path("list.csv"), path("huge.csv"), path("bad.csv")};
        QStringList becomes;
        QStringList summaries; // of every preview, in order
        const auto summary = [&summaries](QDialog& preview) {
            summaries << preview.findChild<QLabel*>(QStringLiteral("lblSummary"))->text();
        };
        answers.dialogDriver = [&becomes, &summary](QDialog& preview) {
            summary(preview);
            const auto* lines = preview.findChild<QTreeWidget*>(QStringLiteral("lstLines"));
            for (int i = 0; i < lines->topLevelItemCount(); ++i)
                becomes << lines->topLevelItem(i)->text(lines->columnCount() - 1);
        };
        for (int i = 0; i < 3; ++i)
            clickMenu("menuFile", "ID_IMPORT_CHANNELS");
        QVERIFY2(answers.texts().value(0).contains("pipe"), qPrintable(answers.texts().value(0)));
        QCOMPARE(answers.texts().value(1), "Nothing was imported from \"huge.csv\":\nthe file "
                                           "is larger than 1 MiB; a channel table is far smaller");
        QCOMPARE(becomes, (QStringList{"skipped: column Receive(MHz): 462.56250 is outside the "
                                       "band 136 - 174MHz",
                                       "skipped: column Busy: \"Maybe\" is neither Yes nor No"}));
        QCOMPARE(formTexts(), form);
        const auto key = [](QDialog& dialog, Qt::Key k, Qt::KeyboardModifiers mods = {}) {
            QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, k, mods);
        };
        answers.dialogDriver = [&key, &summary](QDialog& preview) {
            summary(preview);
            key(preview, Qt::Key_Return);
        };
        const QStringList kept = rowTexts(3);
        dropOnWindow(path("good.csv"));
        const QStringList imported = formTexts();
        QCOMPARE(rowTexts(5),
                 (QStringList{"146.00000", "146.60000", "", "D023N", "Yes", "Wide", "Add", "Low"}));
        QCOMPARE(rowTexts(3), kept);
        writeFileBytes(path("one.csv"), header + "0,146.00000,,,,,,,\n"); // opens in order
        dropOnWindow(path("one.csv"));
        ctrl(Qt::Key_Z);
        answers.dialogDriver = [&key, &summary](QDialog& preview) {
            QVERIFY(QTest::qWaitForWindowActive(&preview));
            QVERIFY(preview.findChild<QRadioButton*>(QStringLiteral("optLocation"))->isChecked());
            key(preview, Qt::Key_O, Qt::AltModifier);
            QTRY_VERIFY(preview.findChild<QRadioButton*>(QStringLiteral("optOrder"))->isChecked());
            key(preview, Qt::Key_Tab);
            key(preview, Qt::Key_Tab);
            key(preview, Qt::Key_Space);
            summary(preview);
            key(preview, Qt::Key_Return);
        };
        dropOnWindow(ORVO_TEST_DATA "/gaps_1based_cr.csv");
        QCOMPARE(rowTexts(1).mid(0, 2), (QStringList{"146.94000", "146.34000"}));
        QCOMPARE(rowTexts(4).mid(0, 2), (QStringList{"147.00000", "147.60000"}));
        QCOMPARE(rowTexts(5), imported.mid(10 + 4 * 8, 8));
        ctrl(Qt::Key_Z);
        QCOMPARE(formTexts(), imported);
        answers.dialogDriver = [&key, &summary](QDialog& preview) {
            summary(preview);
            key(preview, Qt::Key_Return);
        };
        answers.fileAnswers = {path("exported")};
        clickMenu("menuFile", "ID_EXPORT_CHANNELS");
        ctrl(Qt::Key_Z);
        QCOMPARE(formTexts(), form);
        dropOnWindow(path("exported.csv"));
        QCOMPARE(formTexts(), imported);
        answers.fileAnswers = {path("common")};
        answers.fileFilters = {QStringLiteral("Memory CSV of other programs (*.csv)")};
        clickMenu("menuFile", "ID_EXPORT_CHANNELS");
        QVERIFY2(answers.texts().last().contains("has no Busy column: Busy Yes of channel(s) 3, 5 "),
                 qPrintable(answers.texts().last()));
        QVERIFY(readFileBytes(path("common.csv")).startsWith("Location,Name,Frequency,"));
        ctrl(Qt::Key_Z);
        answers.fileAnswers = {path("common.csv")};
        clickMenu("menuFile", "ID_IMPORT_CHANNELS");
        QCOMPARE(rowTexts(5),
                 (QStringList{"146.00000", "146.60000", "", "D023N", "No", "Wide", "Add", "Low"}));
        QCOMPARE(rowTexts(1), imported.mid(10, 8));
        ctrl(Qt::Key_Z);
        dropOnWindow(path("exported.csv"));
        dropOnWindow(path("sample.sin"));
        QCOMPARE(answers.texts().last(), QStringLiteral("Save changes?"));
        QCOMPARE(formTexts(), imported);
        QCOMPARE(summaries, (QStringList{"No channel changes.",
                                         "2 channels change. Channel 1 holds data now and is "
                                         "overwritten.",
                                         "1 channel changes. Channel 1 holds data now and is "
                                         "overwritten.",
                                         "4 channels change. Channels 1, 3 hold data now and are "
                                         "overwritten.",
                                         "2 channels change. Channel 1 holds data now and is "
                                         "overwritten.",
                                         "3 channels change. Channels 1, 3 hold data now and are "
                                         "overwritten.",
                                         "2 channels change. Channel 1 holds data now and is "
                                         "overwritten."}));
        answers.dialogDriver = {};

        // The files opened last are in the File menu, the latest first, and reopen from it after
        // a restart.
        answers.boxAnswers = {QMessageBox::Discard};
        answers.fileAnswers = {path("features.sin")};
        ctrl(Qt::Key_O);
        app.reset();
        app = startApp();
        QCOMPARE(command("ID_FILE_MRU_FILE1")->text(), "&1 " + path("features.sin"));
        clickMenu("menuFile", "ID_FILE_MRU_FILE2");
        QCOMPARE(formTexts(), form);
        QCOMPARE(answers.boxes.size(), 5);
        // One that has gone leaves the menu at once.
        QFile::remove(path("features.sin"));
        clickMenu("menuFile", "ID_FILE_MRU_FILE2");
        for (const char* item : {"ID_FILE_MRU_FILE1", "ID_FILE_MRU_FILE2", "ID_FILE_MRU_FILE3"})
            QVERIFY(!command(item)->isVisible() || !command(item)->text().contains("features"));

        // F1 shows the user manual in the program's help window, which names every command of
        // every menu; its Contents jump to their sections. Help > About shows the About box.
        QCOMPARE(manualFaults(), QString());
        clickMenu("menuHelp", "ID_APP_ABOUT");
        QCOMPARE(answers.dialogTitles.last(), QStringLiteral("About"));
    }

    void savePromptAnswers()
    {
        // Leaving a document with unsaved changes asks "Save changes?" first. Each case starts on
        // a new document with an edit open on channel 3, which the prompt takes first: what the
        // user does, the answers (Escape: in the real box), the name Save As gets, whether the
        // document goes, whether kept.sin holds the edit.
        const QString kept = path("kept.sin"), other = path("other.sin");
        saveWithCore(other, sampleImage());
        const auto fileNew = [] { ctrl(Qt::Key_N); };
        const auto fileOpen = [] { ctrl(Qt::Key_O); };
        const auto drop = [&other] { dropOnWindow(other); };
        const auto closeWindow = [] { mainWindow()->close(); };
        const auto fileExit = [] { clickMenu("menuFile", "ID_APP_EXIT"); };
        using B = QMessageBox;
        const std::tuple<std::function<void()>, QList<B::StandardButton>, QStringList, bool, bool>
            cases[] = {
                {fileNew, {B::Escape}, {}, false, false},
                {fileNew, {B::Cancel}, {}, false, false},
                {fileNew, {B::Discard}, {}, true, false},
                {fileNew, {B::Save}, {kept}, true, true},
                {fileOpen, {B::Save}, {other}, false, false}, // Save As cancelled
                {fileOpen, {B::Save, B::Ok}, {other, path("gone/x.sin")}, false, false},
                {fileOpen, {B::Discard}, {other}, true, false},
                {drop, {B::Cancel}, {}, false, false},
                {drop, {B::Save}, {kept}, true, true},
                {closeWindow, {B::Cancel}, {}, false, false},
                {closeWindow, {B::Discard}, {}, true, false},
                {fileExit, {B::Save}, {kept}, true, true},
            };
        for (const auto& [does, boxes, files, goes, saved] : cases) {
            app.reset();
            app = startApp();
            QFile::remove(kept);
            typeOnCell(3, 1, QStringLiteral("146.1"));
            answers.reset(); // before the next one takes over
            answers = std::make_unique<DialogAnswers>();
            answers->boxAnswers = boxes;
            answers->fileAnswers = files;
            QStringList seen;
            if (boxes.first() == B::Escape) {
                answers.reset();
                keyForNextBox(Qt::Key_Escape, seen);
            }
            does();
            QCOMPARE((answers ? answers->texts() : seen).value(0), "Save changes?");
            QCOMPARE(answers ? answers->boxes.size() : 1, boxes.size());
            // The document left has no changes, the one kept all of them.
            QCOMPARE(mainWindow()->isVisible() && asksToSave(), !goes);
            QCOMPARE(formTextsOf(fromBytes(readFileBytes(kept))).value(26) == "146.10000", saved);
        }
    }

    void recentFiles()
    {
        // Files opened or saved lead the recent list, at most four, each once; one that cannot
        // be opened leaves it. The list is the settings'.
        Settings().setRecentFiles({path("kept.sin")});
        app.reset();
        app = startApp();
        DialogAnswers answers;
        for (const char* name : {"a", "b", "c", "d"})
            saveWithCore(path(name) + ".sin", orvo::RadioImage::makeNew());
        const std::pair<const char*, const char*> steps[] = {
            {"a", "a kept"},  {"b", "b a kept"}, {"c", "c b a kept"},
            {"d", "d c b a"}, {"b", "b d c a"},  {"c", "b d a"}}; // the last finds c.sin gone
        for (const auto& [name, after] : steps) {
            if (qstrcmp(after, "b d a") == 0)
                QFile::remove(path("c.sin"));
            answers.fileAnswers = {path(name) + ".sin"};
            ctrl(Qt::Key_O);
            QStringList expected;
            for (const QString& file : QString::fromLatin1(after).split(' '))
                expected << path(qPrintable(file)) + ".sin";
            QCOMPARE(Settings().recentFiles(), expected);
        }
        QVERIFY(answers.texts().last().endsWith("\nIt is taken off the list of recent files."));
    }

    void otherRadiosAndStartUp()
    {
        DialogAnswers answers;
        // An image that is not a ZT-4's leaves Type and Field as they were, and a save writes
        // the model and band codes from them. Picking the Type, though shown already, makes it
        // this radio's on the first band.
        chooseListEntry(settingList("cmbField"), 1);
        writeFileBytes(path("blank.sin"), QByteArray(1024, char(0xFF)));
        answers.boxAnswers = {QMessageBox::Discard};
        answers.fileAnswers = {path("blank.sin"), path("blank-saved.sin")};
        ctrl(Qt::Key_O);
        QCOMPARE(settingList("cmbType")->currentText(), QStringLiteral("ZT-4"));
        QCOMPARE(settingList("cmbField")->currentText(), QStringLiteral("350 - 400MHz"));
        QCOMPARE(formTexts().mid(10), QStringList(128, QString()));
        clickMenu("menuFile", "ID_FILE_SAVE_AS");
        QCOMPARE(formTextsOf(fromBytes(readFileBytes(path("blank-saved.sin")))), formTexts());
        chooseListEntry(settingList("cmbType"), 0);
        QCOMPARE(settingList("cmbField")->currentText(), QStringLiteral("136 - 174MHz"));
        app.reset();

        // The program itself opens a file named on its command line (editing_test starts on
        // one); one that cannot be opened ends start-up after its message.
        saveWithCore(path("start.sin"), sampleImage());
        qputenv("ORVO_EXIT_AFTER_SHOW", "1"); // read by main() alone
        QProcess orvo;
        orvo.start(QStringLiteral(ORVO_APP_PATH), {path("start.sin")});
        QVERIFY(orvo.waitForFinished(60000));
        QCOMPARE(orvo.exitCode(), 0);
        QVERIFY(orvo.readAllStandardOutput().startsWith("shown"));
        writeFileBytes(path("broken.sin"), QByteArray(10, 0));
        answers.boxes.clear();
        QVERIFY(!startApp({path("broken.sin")}));
        QCOMPARE(answers.boxes.size(), 1);
    }
};

ORVO_GUI_TEST_MAIN(DocumentFilesTest)
#include "document_files_test.moc"
