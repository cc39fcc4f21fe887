#pragma once
// The test-mode exchange: one adjustment sent to the radio over the serial line, with the
// radio's acknowledgement of every step, a Retry/Cancel loop on the open port, and the outcome
// shown to the user. It blocks the calling thread from start to its last message.

#include "core/message/message.h"
#include "core/testmode/testmode_frames.h"

#include <string>

namespace orvo {

class SerialLine;

// What the exchange needs from its surroundings: modal messages that return the user's button.
class TestModeHost
{
public:
    enum class Buttons { Ok, RetryCancel };
    enum class Answer { Ok, Retry, Cancel };

    virtual ~TestModeHost() = default;

    // Shows `message` with the application's short title as caption and the given buttons, and
    // returns when the user has answered. For RetryCancel every answer but Retry ends the
    // exchange. TestModeFinished is the one message of success.
    virtual Answer showMessage(const Message& message, Buttons buttons) = 0;
};

// How an exchange ended. Each end has shown its message; the line is closed at every end.
enum class TestModeOutcome {
    Succeeded,  // the radio acknowledged frame B; TestModeFinished was shown
    Cancelled,  // the user answered Cancel to the failure message
    OpenFailed, // the port could not be opened; nothing was sent
    Refused,    // the request holds a number its frames cannot carry; the port was not opened
};

// Runs one exchange for `request` on `line` (which must be closed on entry): checks the request,
// opens `request.port` with the test mode's time-outs, wakes the radio with the 7-byte test
// request, and sends the item command, the item header and frames A and B, each step waiting
// for the radio's reply. A missing or wrong reply shows TestModeTryAgain with Retry and Cancel;
// Retry starts a new attempt on the open port, as many times as the user asks.
TestModeOutcome runTestMode(SerialLine& line, TestModeHost& host, const TestModeRequest& request);

} // namespace orvo
