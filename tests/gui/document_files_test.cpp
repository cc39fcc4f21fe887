// File New, Open, Save and Save As end to end through the window, against files made by the
// core: what the form shows after opening, what a save writes, what a refused file leaves, the
// Type list's rewrite, Optional Features, and the prompt that keeps unsaved changes.
#include "gui_test_support.h"

#include "app/main_frame.h"
#include "app/tern_app.h"
#include "app/tern_doc.h"
#include "editor/tern_view.h"
#include "grid/ms_flex_grid.h"
#include "image/channel_codec.h"
#include "image/settings_codec.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSettings>

namespace {

using Texts = orvo::ChannelTexts;

// Channels of the sample file and the texts the grid must show for them.
const std::map<int, Texts>& sampleChannels()
{
    static const std::map<int, Texts> channels{
        {1, {"462.56250", "462.56250", "67.0", "D023N", "No", "Narrow", "Add", "High"}},
        {2, {"445.00500", "", "", "", "Yes", "Wide", "Delete", "Low"}},
        {9, {"", "440.00000", "254.1", "D754I", "No", "Wide", "Add", "Low"}},
        {16, {"446.00625", "446.10000", "", "", "Yes", "Narrow", "Delete", "High"}},
    };
    return channels;
}

// Offsets the program carries without interpreting them.
std::vector<std::size_t> notInterpretedOffsets()
{
    std::vector<std::size_t> offsets;
    auto range = [&offsets](std::size_t first, std::size_t last) {
        for (std::size_t i = first; i <= last; ++i)
            offsets.push_back(i);
    };
    range(0x000, 0x00F);
    for (int ch = 1; ch <= 16; ++ch)
        offsets.push_back(ch * 16 + 15);
    for (int r = 17; r <= 24; ++r) {
        range(r * 16 + 8, r * 16 + 12);
        offsets.push_back(r * 16 + 15);
    }
    range(0x190, 0x27F);
    range(0x280, 0x28F);
    range(0x290, 0x3BF);
    range(0x3C4, 0x3CF);
    for (std::size_t i : {0x3D0, 0x3D1, 0x3D3, 0x3D4, 0x3D5, 0x3D7})
        offsets.push_back(i);
    range(0x3D8, 0x3EF);
    range(0x3F1, 0x3FF);
    return offsets;
}

// A file as the radio could hold it: four channels, settings other than a new image's, band
// "400 - 470MHz", and pseudo-random bytes wherever the program does not look (and in the bits
// of the flag bytes and of 0x3F0 it leaves alone).
orvo::RadioImage sampleImage()
{
    orvo::RadioImage image = orvo::RadioImage::makeNew();
    for (int ch = 1; ch <= 16; ++ch)
        orvo::encodeChannel(Texts{}, image, ch);
    for (const auto& [ch, texts] : sampleChannels())
        orvo::encodeChannel(texts, image, ch);
    QRandomGenerator random(4711);
    for (std::size_t offset : notInterpretedOffsets())
        image[offset] = static_cast<std::uint8_t>(random.bounded(256));
    for (int ch = 1; ch <= 16; ++ch)
        image[ch * 16 + 12] |= static_cast<std::uint8_t>(random.bounded(256) & 0xAA);
    image[0x3C0] =
        0x5A; // Beep Disable, Battery Save Enable, Scan OFF, bit 3 set, English, Local Alert
    image[0x3C1] = 3;
    image[0x3C2] = 1;
    image[0x3C3] = 10;
    image[0x3D2] = 0xF6;
    image[0x3F0] = 0x5B;
    return image;
}

QStringList rowTexts(int row)
{
    QStringList texts;
    for (int col = 0; col <= 8; ++col)
        texts.append(ternView()->m_grid->GetTextMatrix(row, col));
    return texts;
}

QStringList gridTexts()
{
    QStringList texts;
    for (int row = 0; row <= 16; ++row)
        texts += rowTexts(row);
    return texts;
}

void pressCtrl(Qt::Key key)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : mainFrame();
    QTest::keyClick(target, key, Qt::ControlModifier);
}

} // namespace

class DocumentFilesTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<CTernApp> app;
    std::unique_ptr<QTemporaryDir> dir;

    QString path(const char* name) const { return dir->filePath(QLatin1String(name)); }
    CTernDoc* doc() const { return app->GetDocument(); }

    // Opens `file` with Ctrl+O, answering the file dialog; boxes get `answers`.
    void openWithKeys(DialogAnswers& answers, const QString& file)
    {
        answers.fileAnswers.append(file);
        pressCtrl(Qt::Key_O);
    }

private slots:
    void initTestCase() { quietPlatformWarnings(); }

    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        app = startApplication();
        QVERIFY(mainFrame());
    }

    void cleanup()
    {
        if (doc())
            doc()->SetModifiedFlag(false);
        app.reset();
        dir.reset();
    }

    // A new image saved at once: only the sixteen empty rows are re-encoded (bytes 0..11 0xFF,
    // flag byte 0xAF); the name asked for gets the .sin extension.
    void newImageSavedAtOnce()
    {
        DialogAnswers answers;
        answers.fileAnswers.append(path("fresh"));
        pressCtrl(Qt::Key_S);
        QCOMPARE(answers.fileRequests.size(), 1);
        const FileDialogRequest& request = answers.fileRequests.first();
        QCOMPARE(request.mode, FileDialogRequest::Mode::Save);
        QCOMPARE(request.caption, QStringLiteral("Save As"));
        QVERIFY(request.proposed.endsWith(QLatin1String("Untitled.sin")));
        QVERIFY(request.filter.startsWith(QLatin1String("Channel Data (*.sin)")));

        orvo::RadioImage expected = orvo::RadioImage::makeNew();
        for (int ch = 1; ch <= 16; ++ch) {
            for (int b = 0; b < 12; ++b)
                expected[ch * 16 + b] = 0xFF;
            expected[ch * 16 + 12] = 0xAF;
        }
        const QByteArray saved = readFileBytes(path("fresh.sin"));
        QCOMPARE(saved.size(), 1024);
        QCOMPARE(saved, toBytes(expected));
        QCOMPARE(doc()->GetPathName(), path("fresh.sin"));
        QVERIFY(answers.boxes.isEmpty());

        // A second Save goes to the same file without asking.
        pressCtrl(Qt::Key_S);
        QCOMPARE(answers.fileRequests.size(), 1);
    }

    // Opening shows the file's channels and settings; saving gives the file back byte for
    // byte, the bytes the program does not interpret included. The caption keeps no file name.
    void openShowsTheFileAndSaveGivesItBack()
    {
        const orvo::RadioImage sample = sampleImage();
        saveWithCore(path("sample.sin"), sample);
        DialogAnswers answers;
        openWithKeys(answers, path("sample.sin"));
        QCOMPARE(answers.fileRequests.size(), 1);
        QCOMPARE(answers.fileRequests.first().mode, FileDialogRequest::Mode::Open);
        QVERIFY(answers.boxes.isEmpty());
        QCOMPARE(mainFrame()->windowTitle(), QStringLiteral("Orvo Programming Software"));

        for (int row = 1; row <= 16; ++row) {
            const auto it = sampleChannels().find(row);
            QStringList expected{QString::number(row)};
            for (const std::string& text : it == sampleChannels().end() ? Texts{} : it->second)
                expected.append(QString::fromStdString(text));
            QCOMPARE(rowTexts(row), expected);
        }
        CTernView* view = ternView();
        QCOMPARE(view->m_cmbBeep->currentText(), QStringLiteral("Disable"));
        QCOMPARE(view->m_cmbBatterySave->currentText(), QStringLiteral("Enable"));
        QCOMPARE(view->m_cmbScan->currentText(), QStringLiteral("OFF"));
        QCOMPARE(view->m_cmbVoiceAnnunciation->currentText(), QStringLiteral("English"));
        QCOMPARE(view->m_cmbUrgencyCall->currentText(), QStringLiteral("Local Alert "));
        QCOMPARE(view->m_cmbSquelchLevel->currentText(), QStringLiteral("3"));
        QCOMPARE(view->m_cmbMoni->currentText(), QStringLiteral("Monitor  Momentary"));
        QCOMPARE(view->m_cmbTxTotalTime->currentText(), QStringLiteral("300s"));
        QCOMPARE(view->m_cmbField->currentText(), QStringLiteral("400 - 470MHz"));

        QFile::remove(path("sample.sin"));
        pressCtrl(Qt::Key_S);
        const QByteArray saved = readFileBytes(path("sample.sin"));
        QCOMPARE(saved.size(), 1024);
        for (std::size_t offset : notInterpretedOffsets())
            QCOMPARE(quint8(saved[qsizetype(offset)]), sample[offset]);
        QCOMPARE(saved, toBytes(sample));
        QVERIFY(!doc()->IsModified());

        QSettings settings(QSettings::UserScope,
                           QStringLiteral("Local AppWizard-Generated Applications"),
                           QStringLiteral("Orvo"));
        QCOMPARE(settings.value(QStringLiteral("Recent File List/File1")).toString(),
                 path("sample.sin"));
    }

    // An image that is not a ZT-4's leaves Type and Field as they were; the next save writes
    // the model and band codes from them.
    void allFfFileKeepsTypeAndField()
    {
        CTernView* view = ternView();
        chooseListEntry(view->m_cmbField, 1);
        QCOMPARE(view->m_cmbField->currentText(), QStringLiteral("350 - 400MHz"));
        writeFileBytes(path("blank.sin"), QByteArray(1024, char(0xFF)));

        DialogAnswers answers;
        answers.boxAnswers = {QMessageBox::Discard};
        openWithKeys(answers, path("blank.sin"));
        QCOMPARE(answers.boxes.size(), 1); // the save prompt for the changed Field
        QCOMPARE(view->m_cmbType->currentText(), QStringLiteral("ZT-4"));
        QCOMPARE(view->m_cmbField->currentText(), QStringLiteral("350 - 400MHz"));
        for (int row = 1; row <= 16; ++row)
            QCOMPARE(rowTexts(row),
                     (QStringList{QString::number(row), "", "", "", "", "", "", "", ""}));

        answers.fileAnswers.append(path("blank-saved.sin"));
        clickMenuCommand(QStringLiteral("menuFile"), CMainFrame::ID_FILE_SAVE_AS);
        const QByteArray saved = readFileBytes(path("blank-saved.sin"));
        QCOMPARE(saved.size(), 1024);
        QCOMPARE(quint8(saved[0x3D2]), quint8(0xF5));
        QCOMPARE(quint8(saved[0x3D6]), quint8(0x33));
        QCOMPARE(quint8(saved[0x3C0]), quint8(0xFF)); // every function bit decoded as set
        QCOMPARE(quint8(saved[0x3C1]), quint8(0));    // squelch 0xFF shows and stores "0"
        QCOMPARE(quint8(saved[0x3C2]), quint8(3));    // Moni 0xFF shows "SQ-Off Momentary"
        QCOMPARE(quint8(saved[0x3C3]), quint8(0));
        QCOMPARE(doc()->GetPathName(), path("blank-saved.sin"));
    }

    // A longer file opens with its first 1024 bytes; saving it again writes 1024 bytes.
    void longerFileSavesBackAs1024Bytes()
    {
        const orvo::RadioImage sample = sampleImage();
        writeFileBytes(path("long.sin"), toBytes(sample) + QByteArray(76, 'x'));
        DialogAnswers answers;
        openWithKeys(answers, path("long.sin"));
        QVERIFY(answers.boxes.isEmpty());
        pressCtrl(Qt::Key_S);
        QCOMPARE(readFileBytes(path("long.sin")), toBytes(sample));
    }

    // A file shorter than 1024 bytes (empty included) is refused with one message and leaves
    // the document, its name, its unsaved changes and the form exactly as they were.
    void shortFilesChangeNothing_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("1000 bytes") << 1000;
        QTest::newRow("1023 bytes") << 1023;
        QTest::newRow("empty") << 0;
    }

    void shortFilesChangeNothing()
    {
        QFETCH(int, size);
        saveWithCore(path("sample.sin"), sampleImage());
        writeFileBytes(path("short.sin"), QByteArray(size, char(0x11)));
        DialogAnswers answers;
        openWithKeys(answers, path("sample.sin"));
        CTernView* view = ternView();
        chooseListEntry(view->m_cmbBeep, 0);
        QVERIFY(doc()->IsModified());
        const orvo::RadioImage image = doc()->m_image;
        const QStringList grid = gridTexts();

        answers.boxAnswers = {QMessageBox::Discard, QMessageBox::Ok};
        openWithKeys(answers, path("short.sin"));
        QCOMPARE(answers.boxes.size(), 2);
        QCOMPARE(answers.boxes[0].text, QStringLiteral("Save changes?"));
        const ShownBox& refusal = answers.boxes[1];
        QCOMPARE(refusal.caption, QStringLiteral("Orvo Programming Software"));
        QCOMPARE(refusal.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(refusal.icon, QMessageBox::Warning);
        QVERIFY2(refusal.text.contains(QLatin1String("1024")), qPrintable(refusal.text));

        QVERIFY(doc()->m_image == image);
        QCOMPARE(gridTexts(), grid);
        QCOMPARE(view->m_cmbBeep->currentText(), QStringLiteral("Enable"));
        QCOMPARE(doc()->GetPathName(), path("sample.sin"));
        QVERIFY(doc()->IsModified());
    }

    // A second File New rebuilds the image but neither recreates the editors nor grows their
    // lists, nor changes widths, alignment, headers, channel numbers or the tone table; an
    // editor that was showing is hidden.
    void secondNewKeepsEditorsAndLayout()
    {
        CTernView* view = ternView();
        QList<QWidget*> editors;
        for (int col = 1; col <= 8; ++col)
            editors.append(view->EditorForColumn(col));
        QCOMPARE(view->EditorForColumn(0), static_cast<QWidget*>(view->m_editFreq));
        QCOMPARE(view->EditorForColumn(9), static_cast<QWidget*>(view->m_editFreq));
        QCOMPARE(editors, (QList<QWidget*>{view->m_editFreq, view->m_editFreq, view->m_cmbTone,
                                           view->m_cmbTone, view->m_cmbBusy, view->m_cmbWidth,
                                           view->m_cmbScanAdd, view->m_cmbPower}));
        QCOMPARE(view->m_cmbTone->count(), 261);
        QCOMPARE(view->m_cmbTone->itemText(0), QStringLiteral("Off"));
        QCOMPARE(view->m_cmbTone->itemText(1), QStringLiteral("67.0"));
        QVERIFY(view->m_cmbTone->isEditable());
        QCOMPARE(view->m_cmbBusy->itemText(0), QStringLiteral("Yes"));
        QCOMPARE(view->m_cmbWidth->itemText(1), QStringLiteral("Narrow"));
        QCOMPARE(view->m_cmbScanAdd->itemText(1), QStringLiteral("Delete"));
        QCOMPARE(view->m_cmbPower->itemText(0), QStringLiteral("High"));
        for (QWidget* editor : editors) {
            QCOMPARE(editor->parentWidget(), view->m_grid->clientArea());
            QVERIFY(editor->isHidden());
        }
        QCOMPARE(view->m_editFreq->property("controlId").toInt(), 61446);
        QCOMPARE(view->m_cmbPower->property("controlId").toInt(), 1073);

        const int w = CMSFlexGrid::kDefaultColWidth;
        const double factors[] = {0.43, 1.2, 1.2, 0.9, 0.9, 0.8, 0.9, 0.8, 0.8};
        QList<int> widths;
        for (int col = 0; col <= 8; ++col) {
            QCOMPARE(view->m_grid->GetColWidth(col), int(factors[col] * w));
            QCOMPARE(view->m_grid->GetColAlignment(col), short(4));
            widths.append(view->m_grid->GetColWidth(col));
        }
        const QStringList headers = rowTexts(0);
        QCOMPARE(headers, (QStringList{"CH", "Receive(MHz)", "Transmit(MHz)", "Rx Tone", "Tx Tone",
                                       "Busy", "W/N", "Scan", "Power"}));

        view->m_cmbBusy->show();
        view->m_editFreq->setText(QStringLiteral("44"));
        DialogAnswers answers;
        pressCtrl(Qt::Key_N);
        pressCtrl(Qt::Key_N);
        QVERIFY(answers.boxes.isEmpty());
        QVERIFY(view->m_cmbBusy->isHidden());
        QCOMPARE(view->m_editFreq->text(), QString());
        QList<QWidget*> after;
        for (int col = 1; col <= 8; ++col)
            after.append(view->EditorForColumn(col));
        QCOMPARE(after, editors);
        QCOMPARE(view->m_grid->clientArea()->findChildren<QComboBox*>().size(), 5);
        QCOMPARE(view->m_cmbTone->count(), 261);
        QCOMPARE(view->m_cmbBusy->count(), 2);
        QCOMPARE(app->m_arTones.size(), 261);
        QCOMPARE(rowTexts(0), headers);
        for (int row = 1; row <= 16; ++row)
            QCOMPARE(view->m_grid->GetTextMatrix(row, 0), QString::number(row));
        for (int col = 0; col <= 8; ++col)
            QCOMPARE(view->m_grid->GetColWidth(col), widths[col]);
        QCOMPARE(app->m_bEditorsCreated, (unsigned char)1);
    }

    // Picking ZT-4 rewrites the frequency pair table and the model block at once, resets the
    // band to "136 - 174MHz" and leaves the grid alone.
    void typeSelectionRewritesPairTableAndBand()
    {
        orvo::RadioImage sample = sampleImage();
        sample[0x3D2] = 0xF7;
        QRandomGenerator random(99);
        for (int r = 17; r <= 24; ++r) {
            for (int b = 0; b < 16; ++b)
                sample[r * 16 + b] = static_cast<std::uint8_t>(random.bounded(256));
        }
        saveWithCore(path("band.sin"), sample);
        DialogAnswers answers;
        openWithKeys(answers, path("band.sin"));
        CTernView* view = ternView();
        QCOMPARE(view->m_cmbField->currentText(), QStringLiteral("430 - 500MHz"));
        const QStringList grid = gridTexts();
        QVERIFY(!doc()->IsModified());

        chooseListEntry(view->m_cmbType, 0);
        const orvo::RadioImage fresh = orvo::RadioImage::makeNew();
        const orvo::RadioImage& image = doc()->m_image;
        for (int r = 17; r <= 24; ++r) {
            for (int b = 0; b < 16; ++b) {
                const std::size_t at = r * 16 + b;
                const bool rewritten = b < 8 || b == 13 || b == 14;
                QCOMPARE(image[at], rewritten ? fresh[at] : sample[at]);
            }
        }
        QCOMPARE(image[0x3D2], std::uint8_t(0xF4));
        QCOMPARE(image[0x3D6], std::uint8_t(0x33));
        QCOMPARE(view->m_cmbField->currentText(), QStringLiteral("136 - 174MHz"));
        QCOMPARE(view->m_cmbField->count(), 4);
        QCOMPARE(gridTexts(), grid);
        QVERIFY(doc()->IsModified());
    }

    // Optional Features shows the two bits of a new image, Cancel changes nothing, OK without a
    // change changes nothing, and OK writes just bit 3 of 0x3C0 and bit 7 of 0x3F0.
    void optionalFeaturesOkAndCancel()
    {
        DialogAnswers answers;
        QString shownAlert;
        bool shownChecked = false;
        auto drive = [&](int alert, bool checked, const char* button) {
            answers.dialogDriver = [&, alert, checked, button](QDialog& dialog) {
                auto* list = dialog.findChild<QComboBox*>(QStringLiteral("cmbRefuseAlert"));
                auto* box = dialog.findChild<QCheckBox*>(QStringLiteral("chkSquelchTail"));
                QVERIFY(list && box);
                shownAlert = list->currentText();
                shownChecked = box->isChecked();
                if (list->currentIndex() != alert)
                    chooseListEntry(list, alert);
                if (box->isChecked() != checked)
                    QTest::mouseClick(box, Qt::LeftButton);
                QTest::mouseClick(dialog.findChild<QPushButton*>(QLatin1String(button)),
                                  Qt::LeftButton);
                QVERIFY(!dialog.isVisible());
            };
            clickMenuCommand(QStringLiteral("menuProgram"), CMainFrame::ID_OPTIONAL_FEATURES);
        };

        const orvo::RadioImage fresh = doc()->m_image;
        drive(0, false, "btnCancel");
        QCOMPARE(answers.dialogTitles.last(), QStringLiteral("Optional Features"));
        QCOMPARE(shownAlert, QStringLiteral("On"));
        QVERIFY(shownChecked);
        QVERIFY(doc()->m_image == fresh);

        drive(1, true, "btnOK");
        QVERIFY(doc()->m_image == fresh);
        QVERIFY(!doc()->IsModified());

        drive(0, false, "btnOK");
        QCOMPARE(doc()->m_image[0x3C0], std::uint8_t(0xFF)); // 0xF7 with bit 3 set
        QCOMPARE(doc()->m_image[0x3F0], std::uint8_t(0x5E)); // 0xDE with bit 7 cleared
        orvo::RadioImage changed = fresh;
        changed[0x3C0] = 0xFF;
        changed[0x3F0] = 0x5E;
        QVERIFY(doc()->m_image == changed);
        QVERIFY(doc()->IsModified());

        drive(0, false, "btnOK");
        QCOMPARE(shownAlert, QStringLiteral("Off"));
        QVERIFY(!shownChecked);

        // The form's encoder rewrites the rest of 0x3C0 but keeps bit 3.
        answers.fileAnswers.append(path("features.sin"));
        pressCtrl(Qt::Key_S);
        const QByteArray saved = readFileBytes(path("features.sin"));
        QCOMPARE(quint8(saved[0x3C0]), quint8(0xFF));
        QCOMPARE(quint8(saved[0x3F0]), quint8(0x5E));
    }

    // Unsaved changes are asked about before New, Open and closing: Cancel keeps everything,
    // Discard goes on, Save saves first. Nothing is asked when nothing changed.
    void savePromptGuardsChanges()
    {
        CTernView* view = ternView();
        DialogAnswers answers;
        pressCtrl(Qt::Key_N);
        QVERIFY(answers.boxes.isEmpty());

        chooseListEntry(view->m_cmbScan, 0);
        QVERIFY(doc()->IsModified());
        answers.boxAnswers = {QMessageBox::Cancel};
        pressCtrl(Qt::Key_N);
        QCOMPARE(answers.boxes.size(), 1);
        const ShownBox& prompt = answers.boxes.first();
        QCOMPARE(prompt.text, QStringLiteral("Save changes?"));
        QCOMPARE(prompt.caption, QStringLiteral("Orvo Programming Software"));
        QCOMPARE(prompt.buttons, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        QCOMPARE(view->m_cmbScan->currentText(), QStringLiteral("OFF"));

        answers.boxAnswers = {QMessageBox::Discard};
        pressCtrl(Qt::Key_N);
        QCOMPARE(answers.boxes.size(), 2);
        QCOMPARE(view->m_cmbScan->currentText(), QStringLiteral("ON"));
        QVERIFY(!doc()->IsModified());

        // Save: the file gets the change, then the new document comes.
        chooseListEntry(view->m_cmbScan, 0);
        answers.boxAnswers = {QMessageBox::Save};
        answers.fileAnswers = {path("kept.sin")};
        pressCtrl(Qt::Key_N);
        QCOMPARE(answers.boxes.size(), 3);
        QCOMPARE(quint8(readFileBytes(path("kept.sin"))[0x3C0]) & 0x04, 0);
        QCOMPARE(view->m_cmbScan->currentText(), QStringLiteral("ON"));

        // Save, but the file dialog is cancelled: nothing goes on.
        chooseListEntry(view->m_cmbScan, 0);
        answers.boxAnswers = {QMessageBox::Save};
        pressCtrl(Qt::Key_N);
        QCOMPARE(view->m_cmbScan->currentText(), QStringLiteral("OFF"));
        QVERIFY(doc()->IsModified());

        // Closing the window.
        answers.boxAnswers = {QMessageBox::Cancel};
        QVERIFY(!mainFrame()->close());
        QVERIFY(mainFrame()->isVisible());
        answers.boxAnswers = {QMessageBox::Discard};
        clickMenuCommand(QStringLiteral("menuFile"), CMainFrame::ID_APP_EXIT);
        QVERIFY(!mainFrame()->isVisible());
        QCOMPARE(answers.boxes.size(), 6);
        QCOMPARE(mainFrame()->windowTitle(), QStringLiteral("Orvo Programming Software"));
    }

    // A save that fails is reported and changes neither the document's name nor its unsaved
    // state; a New whose save prompt ends in such a failure does not go on.
    void failedSaveKeepsTheDocument()
    {
        CTernView* view = ternView();
        chooseListEntry(view->m_cmbBeep, 1);
        const QString missing = path("no-such-folder/x.sin");
        DialogAnswers answers;
        answers.fileAnswers = {missing};
        clickMenuCommand(QStringLiteral("menuFile"), CMainFrame::ID_FILE_SAVE_AS);
        QCOMPARE(answers.boxes.size(), 1);
        QVERIFY2(answers.boxes[0].text.contains(QLatin1String("x.sin")),
                 qPrintable(answers.boxes[0].text));
        QVERIFY(!QFile::exists(missing));
        QCOMPARE(doc()->GetPathName(), QString());
        QVERIFY(doc()->IsModified());

        answers.boxAnswers = {QMessageBox::Save, QMessageBox::Ok};
        answers.fileAnswers = {missing};
        pressCtrl(Qt::Key_N);
        QCOMPARE(answers.boxes.size(), 3);
        QCOMPARE(view->m_cmbBeep->currentText(), QStringLiteral("Disable"));
        QVERIFY(doc()->IsModified());
    }

    // A file named on the command line opens at start-up; one that cannot be opened ends
    // start-up after its message.
    void commandLineFile()
    {
        app.reset();
        saveWithCore(path("start.sin"), sampleImage());
        app = startApplication({path("start.sin")});
        QVERIFY(mainFrame() && mainFrame()->isVisible());
        QCOMPARE(doc()->GetPathName(), path("start.sin"));
        QCOMPARE(rowTexts(1)[1], QStringLiteral("462.56250"));
        app.reset();

        writeFileBytes(path("broken.sin"), QByteArray(10, 0));
        DialogAnswers answers;
        app = std::make_unique<CTernApp>();
        QVERIFY(!app->InitInstance({path("broken.sin")}));
        QCOMPARE(answers.boxes.size(), 1);
        QVERIFY(!app->GetMainFrame()->isVisible());
    }
};

ORVO_GUI_TEST_MAIN(DocumentFilesTest)

#include "document_files_test.moc"
