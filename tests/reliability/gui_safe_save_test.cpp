// File Save and Save As through the window when the save cannot succeed: a read-only folder, a
// folder that does not exist, a full disk (a file-size limit stands in for it) and a read-only
// file. Each shows one message naming the file and the reason, leaves the previous file byte for
// byte and no temporary file beside it, and keeps the form and its unsaved state; once the cause
// is gone, the same command saves. A superuser writes anywhere, so the test drops to an
// ordinary user first when it starts as one.
#include "gui_test_support.h"
#include "reliability_support.h"

#include <QComboBox>
#include <QDir>

#include <csignal>
#include <grp.h>
#include <sys/resource.h>
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

    void failedSaveKeepsEverything_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");
        QTest::newRow("read-only folder") << "folder" << "Permission denied";
        QTest::newRow("missing folder") << "missing" << "No such file or directory";
        QTest::newRow("full disk") << "full" << "File too large";
        QTest::newRow("read-only file") << "file" << "Permission denied";
    }

    void failedSaveKeepsEverything()
    {
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("channels.sin"));
        const QString target = fault == "missing" ? dir.filePath("gone/deeper/channels.sin") : file;
        saveWithCore(file, reliability::documentImage());
        const auto app = startApp({file});
        QVERIFY(app);
        QComboBox* squelch = settingList("cmbSquelchLevel");
        chooseListEntry(squelch, (squelch->currentIndex() + 3) % squelch->count());
        const QByteArray bytes = readFileBytes(file);
        const QStringList form = formTexts();
        const auto entries = [&dir] { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); };
        const QStringList before = entries();

        const auto folderRights = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit full{512, limit.rlim_max};
        if (fault == "folder")
            QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        if (fault == "file")
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner));
        if (fault == "full")
            QCOMPARE(::setrlimit(RLIMIT_FSIZE, &full), 0);
        {
            DialogAnswers answers;
            answers.fileAnswers = {target};
            if (fault == "missing")
                clickMenu("menuFile", "ID_FILE_SAVE_AS");
            else
                clickTool("ID_FILE_SAVE");
            ::setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGXFSZ, oldHandler);
            QCOMPARE(answers.boxes.size(), 1);
            const ShownBox& box = answers.boxes.first();
            QVERIFY2(box.text.contains(target) && box.text.contains(reason), qPrintable(box.text));
            QCOMPARE(box.caption, AppTitle());
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(box.icon, QMessageBox::Warning);
        }
        QCOMPARE(readFileBytes(file), bytes);
        QCOMPARE(entries(), before);
        QVERIFY(!QFileInfo::exists(dir.filePath("gone")));
        QCOMPARE(formTexts(), form);
        QVERIFY(asksToSave());
        if (fault == "file") // the user's protection stays
            QCOMPARE(QFileInfo(file).permissions() & QFile::WriteOwner, QFile::Permissions());

        QVERIFY(QFile::setPermissions(dir.path(), folderRights));
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
