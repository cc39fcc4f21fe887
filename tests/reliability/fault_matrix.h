#pragma once
// The fault matrix: misbehaviours of orvo-radio-sim crossed with read, write and test mode, run
// in the core (CloneSession or runTestMode over QtSerialLine) and through the window (the
// progress dialog, the Debug Mode dialog). The table is in CMakeLists.txt; each cell is a CTest
// entry of its own (label fault_matrix) running `fault_matrix [--window] MODE CELL...`.

#include <QString>
#include <QStringList>

namespace fault_matrix {

enum class Mode { Read, Write, Test };

// The one message a cell's transfer shows; the cautious answer (Cancel, OK) is given.
enum class Message { None, CommunicationError, BlockError, ShortReply, TryAgain, Finished };

// What one fault does to one kind of transfer.
struct Cell
{
    QStringList simOptions; // besides --delay 10 and --log
    Message message = Message::None;
    int requests = 1;       // program or test requests the radio hears before the end
    bool completes = false; // all 128 blocks moved, or the adjustment acknowledged
    int blocksWritten = 0;  // write: blocks the radio holds from this transfer afterwards
};

// The exact text of a message, and whether it asks Retry or Cancel (else OK).
QString messageText(Message message);
bool asksRetry(Message message);

// The core's and the window's half of a cell, as Qt Test functions (QVERIFY inside).
void runCoreCell(Mode mode, const Cell& cell);
void runWindowCell(Mode mode, const Cell& cell);

} // namespace fault_matrix
