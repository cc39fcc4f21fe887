// File Save over a read-only file and Save As into a folder that does not exist, through the
// window (a read-only folder and a full disk fail alike in the core: tests/image, tests/cli). Each
// shows one message naming the file and the reason, leaves the previous file byte for byte and no
// temporary file beside it, and keeps the form and its unsaved state; once the cause is gone, the
// same command saves. A superuser writes anywhere, so the test drops to an ordinary user first when
// it starts as one.
#include "gui_test_support.h"
#include "reliability_support.h"

#include <QComboBox>
#include <QDir>

#include <grp.h>
#include <unistd.h>

class GuiSafeSaveTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        quietPlatformWarnings();
        if (::geteuid() == 0)
            QSKIP("still a superuser: read-only folders and files do not stop it");
    }

    void failedSavesKeepEverything()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("channels.sin"));
        saveWithCore(file, reliability::documentImage());
        const auto app = startApp({file});
        QVERIFY(app);
        QComboBox* squelch = settingList("cmbSquelchLevel");
        chooseListEntry(squelch, (squelch->currentIndex() + 3) % squelch->count());
        const QByteArray bytes = readFileBytes(file);
        const QStringList form = formTexts();
        const auto entries = [&dir] {
            return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        };
        const QStringList before = entries();
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner));
        // Save over the read-only file, then Save As into a folder that does not exist.
        const QString missing = dir.filePath("gone/deeper/channels.sin");
        for (const auto& [target, reason] : {std::pair(file, "Permission denied"),
                                             std::pair(missing, "No such file or directory")}) {
            DialogAnswers answers;
            answers.fileAnswers = {target};
            if (target == file)
                clickTool("ID_FILE_SAVE");
            else
                clickMenu("menuFile", "ID_FILE_SAVE_AS");
            QCOMPARE(answers.boxes.size(), 1);
            const ShownBox& box = answers.boxes.first();
            QVERIFY2(box.text.contains(target) && box.text.contains(reason), qPrintable(box.text));
            QCOMPARE(box.caption, AppTitle());
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(box.icon, QMessageBox::Warning);
            QCOMPARE(readFileBytes(file), bytes);
            QCOMPARE(entries(), before);
            QCOMPARE(formTexts(), form);
            QVERIFY(asksToSave());
        }
        QVERIFY(!QFileInfo::exists(dir.filePath("gone")));
        // The user's protection stays.
        QCOMPARE(QFileInfo(file).permissions() & QFile::WriteOwner, QFile::Permissions());

        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
        DialogAnswers answers;
        clickTool("ID_FILE_SAVE");
        QVERIFY(answers.boxes.isEmpty());
        QCOMPARE(formTextsOf(fromBytes(readFileBytes(file))), form);
        QVERIFY(!asksToSave());
    }
};

int main(int argc, char** argv)
{
    if (::geteuid() == 0) {
        // An ordinary user's files: from here on everything the test makes belongs to nobody.
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
            std::perror("gui_safe_save_test: cannot become an ordinary user");
    }
    QTemporaryDir home;
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"})
        qputenv(name, home.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    GuiSafeSaveTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "gui_safe_save_test.moc"
