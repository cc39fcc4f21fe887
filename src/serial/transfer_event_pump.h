#pragma once
// The turns of the event loop that a clone transfer on the window's thread hands out while it
// runs: one per waiting cycle, and more while a read waits for the radio.

#include <QDeadlineTimer>

class TransferEventPump
{
public:
    // How often a read that waits for the radio hands out a turn, in ms: about once while a
    // block reply arrives (12 bytes at 9600 baud, 12.5 ms), 25 times in a silent radio's
    // 250 ms read.
    static constexpr int kWaitTurnMs = 10;

    // A waiting cycle's turn: one pass over the pending events (input, paints, timers, the
    // Cancel click). Thousands of cycles run back to back (201 after every written block), so
    // after a pass that found nothing to do, the cycles of the next half millisecond skip
    // theirs: an idle cycle then costs a clock reading instead of a poll of every event source.
    void cycle();

    // A turn for a read that waits (SerialLine::setWaitCallback): always a full pass.
    static void whileWaiting();

private:
    QDeadlineTimer m_quietUntil{0};
};
