// fault_matrix: runs one cell of the fault matrix, in the core or (--window) through the window.
//   fault_matrix [--window] read|write|test MESSAGE REQUESTS completes|fails BLOCKS [SIM-OPTION...]
// MESSAGE: none, comm-error, block-error, short-reply, try-again or finished.
#include "fault_matrix.h"
#include "gui_test_support.h"

#include "link/clone_session.h"
#include "reliability_support.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace fault_matrix {

namespace {

const char* const kMessageKeys[] = {"none",      "comm-error", "block-error",
                                    "short-reply", "try-again", "finished"};

// One cell as a Qt Test run, so that QVERIFY and QTRY work as in every widget test.
class CellTest : public QObject
{
    Q_OBJECT

public:
    CellTest(bool inWindow, Mode mode, Cell cell) : m_inWindow(inWindow), m_mode(mode), m_cell(cell)
    {
    }

private slots:
    void initTestCase() { quietPlatformWarnings(); }
    void cell()
    {
        if (m_inWindow)
            runWindowCell(m_mode, m_cell);
        else
            runCoreCell(m_mode, m_cell);
    }

private:
    bool m_inWindow;
    Mode m_mode;
    Cell m_cell;
};

bool parseCell(QStringList args, bool& inWindow, Mode& mode, Cell& cell)
{
    inWindow = !args.isEmpty() && args.first() == "--window";
    if (inWindow)
        args.removeFirst();
    if (args.size() < 5)
        return false;
    const QStringList modes{"read", "write", "test"};
    const int m = static_cast<int>(modes.indexOf(args[0]));
    int message = -1;
    for (int i = 0; i < 6; ++i)
        if (args[1] == kMessageKeys[i])
            message = i;
    bool requestsOk = false, blocksOk = false;
    cell.requests = args[2].toInt(&requestsOk);
    cell.blocksWritten = args[4].toInt(&blocksOk);
    cell.completes = args[3] == "completes";
    cell.simOptions = args.mid(5);
    mode = static_cast<Mode>(m);
    cell.message = static_cast<Message>(message);
    return m >= 0 && message >= 0 && requestsOk && blocksOk &&
           (cell.completes || args[3] == "fails");
}

} // namespace

QString messageText(Message message)
{
    switch (message) {
    case Message::None:
        return {};
    case Message::CommunicationError:
        return QString::fromUtf8(orvo::kCommunicationErrorText);
    case Message::BlockError:
        return QString::fromUtf8(orvo::kBlockErrorText);
    case Message::ShortReply:
        return QString::fromUtf8(orvo::kShortReplyText);
    case Message::TryAgain:
        return QString::fromUtf8(reliability::kTryAgainText);
    case Message::Finished:
        return QString::fromUtf8(reliability::kFinishedText);
    }
    return {};
}

bool asksRetry(Message message)
{
    return message == Message::CommunicationError || message == Message::TryAgain;
}

} // namespace fault_matrix

int main(int argc, char** argv)
{
    using namespace fault_matrix;
    QTemporaryDir settingsHome;
    qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    bool inWindow = false;
    Mode mode = Mode::Read;
    Cell cell;
    if (!parseCell(args, inWindow, mode, cell)) {
        std::fprintf(stderr, "usage: fault_matrix [--window] read|write|test MESSAGE REQUESTS "
                             "completes|fails BLOCKS [SIM-OPTION...]\n");
        return 2;
    }
    int one = 1;
    QApplication app(one, argv);
    CellTest test(inWindow, mode, cell);
    // Qt Test sees only the program's name: the cell's own arguments are not its options.
    char* qtestArgv[] = {argv[0], nullptr};
    return QTest::qExec(&test, 1, qtestArgv);
}

#include "fault_matrix_main.moc"
