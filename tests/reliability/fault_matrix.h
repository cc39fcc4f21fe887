#pragma once
// The fault matrix: every misbehaviour of orvo-radio-sim crossed with read, write and test mode,
// run once in the core (CloneSession or runTestMode over QtSerialLine) and once through the
// window (the progress dialog, the Debug Mode dialog). Each cell runs in a process of its own.

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace fault_matrix {

enum class Mode { Read, Write, Test };
inline constexpr std::array<Mode, 3> kModes{Mode::Read, Mode::Write, Mode::Test};

// The one message a cell's transfer shows; the cautious answer (Cancel, OK) is given.
enum class Message { None, CommunicationError, BlockError, ShortReply, TryAgain, Finished };

// What one fault does to one kind of transfer.
struct Cell
{
    bool applies = false;
    QStringList simOptions; // besides --delay 10 and --log
    Message message = Message::None;
    int requests = 1;       // program or test requests the radio hears before the end
    bool completes = false; // all 128 blocks moved, or the adjustment acknowledged
    int blocksWritten = 0;  // write: blocks the radio holds from this transfer afterwards
};

struct Fault
{
    const char* key;           // for the command line: "silent", "hang-up", ...
    const char* title;         // for the table
    std::array<Cell, 3> cells; // by Mode
};

const std::vector<Fault>& faults();
const Fault* findFault(const QString& key);

const char* modeKey(Mode mode); // "read", "write", "test"
bool parseMode(const QString& key, Mode& mode);

// The exact text of a message, and whether it asks Retry or Cancel (else OK).
QString messageText(Message message);
bool asksRetry(Message message);

// Runs one cell in this process (inside a Qt Test run) and prints "CELL-PASSED" at its end.
// `inWindow`: through the application, else in the core.
int runCell(char* program, bool inWindow, Mode mode, const Fault& fault);

// The core's and the window's half of a cell, as Qt Test functions (QVERIFY inside).
void runCoreCell(Mode mode, const Fault& fault);
void runWindowCell(Mode mode, const Fault& fault);

} // namespace fault_matrix
