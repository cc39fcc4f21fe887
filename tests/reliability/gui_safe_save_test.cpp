// File Save and Save As through the window when the save cannot succeed: a read-only folder, a
// folder that does not exist, a full disk (a file-size limit stands in for it) and a read-only
// file. Each shows one clear message naming the file and the reason, leaves the previous file
// byte for byte as it was and no temporary file beside it, and keeps the document modified with
// the form as the user left it; once the cause is gone, the same command saves.
//
// A superuser writes into read-only folders and files, so the test drops to an ordinary user
// before anything else when it starts as one.
#include "gui_test_support.h"
#include "reliability_support.h"

#include "app/main_frame.h"
#include "app/tern_app.h"
#include "app/tern_doc.h"
#include "editor/tern_view.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>

#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;

CTernDoc* document()
{
    return AfxGetTernApp()->GetDocument();
}

// What a failed save must leave alone.
struct Kept
{
    QByteArray fileBytes;
    QStringList folderEntries;
    orvo::RadioImage image;
    int squelch = -1;
    QString path;
};

QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

Kept keep(const QString& file)
{
    return {readFileBytes(file), entriesOf(QFileInfo(file).absolutePath()), document()->m_image,
            ternView()->m_cmbSquelchLevel->currentIndex(), document()->GetPathName()};
}

void checkKept(const Kept& kept, const QString& file)
{
    QCOMPARE(readFileBytes(file), kept.fileBytes);
    QCOMPARE(entriesOf(QFileInfo(file).absolutePath()), kept.folderEntries);
    QVERIFY(document()->IsModified());
    QCOMPARE(ternView()->m_cmbSquelchLevel->currentIndex(), kept.squelch);
    QCOMPARE(document()->GetPathName(), kept.path);
}

// One message, with OK, naming the file and the reason.
void checkMessage(const QList<ShownBox>& boxes, const QString& file, const QString& reason)
{
    QCOMPARE(boxes.size(), 1);
    const ShownBox& box = boxes.first();
    QVERIFY2(box.text.contains(file), qPrintable(box.text));
    QVERIFY2(box.text.contains(reason), qPrintable(box.text));
    QCOMPARE(box.caption, AppTitle());
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(box.icon, QMessageBox::Warning);
}

// An edit the user makes on the form: another Squelch Level.
void editTheForm()
{
    QComboBox* squelch = ternView()->m_cmbSquelchLevel;
    chooseListEntry(squelch, (squelch->currentIndex() + 3) % squelch->count());
    QVERIFY(document()->IsModified());
}

// The image the document's form stands for, as Save writes it.
QByteArray formBytes()
{
    ternView()->UpdateImageFromView();
    return toBytes(document()->m_image);
}

} // namespace

class GuiSafeSaveTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<CTernApp> app;
    QTemporaryDir dir;
    QString file;

private slots:
    void initTestCase()
    {
        quietPlatformWarnings();
        if (::geteuid() == 0)
            QSKIP("still a superuser: read-only folders and files do not stop it");
        QVERIFY(dir.isValid());
    }

    void init()
    {
        file = dir.filePath(QStringLiteral("channels.sin"));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::remove(file);
        saveWithCore(file, reliability::documentImage());
        app = startApplication({file});
        QVERIFY(mainFrame());
        QCOMPARE(document()->GetPathName(), QFileInfo(file).absoluteFilePath());
        editTheForm();
    }

    void cleanup()
    {
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (app && document())
            document()->SetModifiedFlag(false);
        app.reset();
    }

    void readOnlyFolderKeepsThePreviousFile()
    {
        const Kept kept = keep(file);
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        {
            DialogAnswers answers;
            clickToolButton(CMainFrame::ID_FILE_SAVE);
            checkMessage(answers.boxes, file, QStringLiteral("Permission denied"));
        }
        checkKept(kept, file);

        QVERIFY(QFile::setPermissions(dir.path(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        DialogAnswers answers;
        clickToolButton(CMainFrame::ID_FILE_SAVE);
        QVERIFY(answers.boxes.isEmpty());
        QCOMPARE(readFileBytes(file), formBytes());
        QVERIFY(!document()->IsModified());
        QCOMPARE(entriesOf(dir.path()), QStringList{QStringLiteral("channels.sin")});
    }

    void missingFolderKeepsTheDocument()
    {
        const QString missing = dir.filePath(QStringLiteral("gone/deeper/channels.sin"));
        const Kept kept = keep(file);
        {
            DialogAnswers answers;
            answers.fileAnswers = {missing};
            clickMenuCommand(QStringLiteral("menuFile"), CMainFrame::ID_FILE_SAVE_AS);
            QCOMPARE(answers.fileRequests.size(), 1);
            checkMessage(answers.boxes, missing, QStringLiteral("No such file or directory"));
        }
        checkKept(kept, file);
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("gone"))));

        const QString other = dir.filePath(QStringLiteral("other.sin"));
        DialogAnswers answers;
        answers.fileAnswers = {other};
        clickMenuCommand(QStringLiteral("menuFile"), CMainFrame::ID_FILE_SAVE_AS);
        QVERIFY(answers.boxes.isEmpty());
        QCOMPARE(readFileBytes(other), formBytes());
        QCOMPARE(document()->GetPathName(), QFileInfo(other).absoluteFilePath());
        QVERIFY(!document()->IsModified());
        QCOMPARE(readFileBytes(file), kept.fileBytes);
    }

    void fullDiskKeepsThePreviousFile()
    {
        const Kept kept = keep(file);
        rlimit before{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &before), 0);
        // A write past the limit fails with "File too large" instead of ending the process.
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit full{512, before.rlim_max};
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &full), 0);
        {
            DialogAnswers answers;
            clickToolButton(CMainFrame::ID_FILE_SAVE);
            ::setrlimit(RLIMIT_FSIZE, &before);
            std::signal(SIGXFSZ, oldHandler);
            checkMessage(answers.boxes, file, QStringLiteral("File too large"));
        }
        checkKept(kept, file);

        DialogAnswers answers;
        clickToolButton(CMainFrame::ID_FILE_SAVE);
        QVERIFY(answers.boxes.isEmpty());
        QCOMPARE(readFileBytes(file), formBytes());
    }

    // The user made the file read-only to keep it: Save does not replace it behind their back.
    void readOnlyFileIsNotReplaced()
    {
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup));
        const Kept kept = keep(file);
        {
            DialogAnswers answers;
            clickToolButton(CMainFrame::ID_FILE_SAVE);
            checkMessage(answers.boxes, file, QStringLiteral("Permission denied"));
        }
        checkKept(kept, file);
        QCOMPARE(QFileInfo(file).permissions() & (QFile::WriteOwner | QFile::WriteUser),
                 QFile::Permissions());

        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
        DialogAnswers answers;
        clickToolButton(CMainFrame::ID_FILE_SAVE);
        QVERIFY(answers.boxes.isEmpty());
        QCOMPARE(readFileBytes(file), formBytes());
    }
};

int main(int argc, char** argv)
{
    if (::geteuid() == 0) {
        // An ordinary user's files: from here on everything the test makes belongs to nobody.
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            std::perror("gui_safe_save_test: cannot become an ordinary user");
    }
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    qputenv("XDG_CACHE_HOME", home.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    GuiSafeSaveTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "gui_safe_save_test.moc"
