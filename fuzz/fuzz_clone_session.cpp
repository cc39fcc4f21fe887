// Fuzz target: the clone transfer against a radio that answers with the fuzz input.
//
// Input: byte 0 chooses the direction (bit 0: write), a refused open (bits 1-2 both set) and
// failing writes (bits 3-5: every n-th write fails); bytes 1-2 the waiting cycle at which the
// user presses Cancel (0: never). The rest is the script of scripted_line.h: the radio's replies
// and, in turn, the user's answers to messages (odd: Retry).
//
// Promises checked, besides those of the line (nothing touches a closed port, every run ends):
// - the port is closed at every end, and opened at most once;
// - only the transfer's own texts are shown, progress never goes back nor past its range;
// - Completed means 128 blocks: a read received exactly the data bytes of the radio's replies,
//   a write sent every block of the source in address order behind its command.
#include "fuzz_check.h"
#include "scripted_line.h"

#include "core/image/radio_image.h"
#include "core/link/clone_session.h"
#include "core/link/port_setup.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace orvo;
using orvo::fuzz::Script;
using orvo::fuzz::ScriptedLine;

class ScriptedHost : public CloneHost {
public:
    ScriptedHost(Script& script, ScriptedLine& line, CloneDirection direction, long cancelAt)
        : m_script(script), m_line(line), m_direction(direction), m_cancelAt(cancelAt)
    {
    }

    void showStatus(const Message& status) override
    {
        m_line.step();
        FUZZ_CHECK(!messageText(status).empty(), "a status text says something");
    }

    void showProgress(int position, int blocksDone) override
    {
        m_line.step();
        FUZZ_CHECK(position >= m_position && position <= 123, "progress moves on within 0..123");
        FUZZ_CHECK(blocksDone >= m_blocks && blocksDone <= 128, "blocks done never go back");
        m_position = position;
        m_blocks = blocksDone;
    }

    Cycle waitingCycle() override
    {
        m_line.step();
        ++m_cycles;
        if (m_line.budgetSpent() || (m_cancelAt > 0 && m_cycles >= m_cancelAt))
            return Cycle::Cancel;
        return Cycle::Continue;
    }

    Answer showMessage(const Message& message, Buttons buttons) override
    {
        m_line.step();
        using K = MessageKind;
        const K t = message.kind;
        FUZZ_CHECK(t == K::OpenFailed || t == K::OpenFailedBecause || t == K::CommunicationError ||
                       t == K::SendOrderError || t == K::BlockError || t == K::ShortReply ||
                       t == K::PartialWrite,
                   "only the transfer's own messages are shown");
        FUZZ_CHECK(t != K::PartialWrite || (m_lastMessage == K::BlockError && m_blocks > 0),
                   "the partial-write word follows the block error of a write that moved blocks");
        m_lastMessage = t;
        ++m_messages;
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        if (m_line.budgetSpent())
            return Answer::Cancel;
        return (m_script.byte(0) & 1) ? Answer::Retry : Answer::Cancel;
    }

    CloneDirection direction() override
    {
        m_line.step();
        ++m_directionAsked;
        return m_direction;
    }

    int directionAsked() const { return m_directionAsked; }

private:
    Script& m_script;
    ScriptedLine& m_line;
    CloneDirection m_direction;
    long m_cancelAt;
    long m_cycles = 0;
    int m_position = 0;
    int m_blocks = 0;
    int m_messages = 0;
    MessageKind m_lastMessage = MessageKind::Text;
    int m_directionAsked = 0;
};

// The source of a write: every byte different, so a misplaced block shows.
RadioImage sourceImage()
{
    RadioImage image;
    for (std::size_t i = 0; i < kImageSize; ++i)
        image[i] = static_cast<std::uint8_t>(i * 37 + (i >> 8));
    return image;
}

void checkWrite(const ScriptedLine& line, const RadioImage& source)
{
    const auto& writes = line.writes();
    int block = 0;
    for (std::size_t i = 0; i + 1 < writes.size(); ++i) {
        const auto& w = writes[i];
        if (w.size() != 4 || w[0] != 0x57)
            continue;
        const unsigned address = static_cast<unsigned>(w[1]) << 8 | w[2];
        FUZZ_CHECK(address == static_cast<unsigned>(block) * 8 && w[3] == 8,
                   "write commands go in address order, 8 bytes each");
        const auto& data = writes[i + 1];
        FUZZ_CHECK(data.size() == 8, "a write command is followed by its 8 bytes");
        for (std::size_t k = 0; k < 8; ++k)
            FUZZ_CHECK(data[k] == source[address + k], "a block carries the source's bytes");
        ++block;
    }
    FUZZ_CHECK(block == 128, "a completed write sent all 128 blocks");
}

void checkRead(const ScriptedLine& line, const RadioImage& received)
{
    // The data bytes of every whole 12-byte reply, in order, make the image.
    RadioImage expected;
    std::size_t blocks = 0;
    for (const auto& r : line.reads()) {
        if (r.asked != 12)
            continue;
        FUZZ_CHECK(r.result == 12, "a completed read took only whole replies");
        FUZZ_CHECK(blocks < 128, "a read asks for 128 blocks, no more");
        for (std::size_t k = 0; k < 8; ++k)
            expected[blocks * 8 + k] = r.bytes[4 + k];
        ++blocks;
    }
    FUZZ_CHECK(blocks == 128, "a completed read received all 128 blocks");
    FUZZ_CHECK(received == expected, "the received image is the data of the radio's replies");

    // A scripted radio answers even a command that was never sent.
    if (line.failedWrites() > 0)
        return;
    std::size_t commands = 0;
    for (const auto& w : line.writes()) {
        if (w.size() == 4 && w[0] == 0x52) {
            const unsigned address = static_cast<unsigned>(w[1]) << 8 | w[2];
            FUZZ_CHECK(address == commands * 8 && w[3] == 8, "read commands go in address order");
            ++commands;
        }
    }
    FUZZ_CHECK(commands == 128, "a completed read sent 128 read commands");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Script script(data, size);
    const std::uint8_t flags = script.byte();
    const long cancelAt = script.byte() | static_cast<long>(script.byte()) << 8;
    const CloneDirection direction = (flags & 1) ? CloneDirection::Write : CloneDirection::Read;
    const bool openFails = (flags & 0x06) == 0x06;
    const int writeFailEvery = (flags >> 3) & 0x07;

    ScriptedLine line(script, openFails, writeFailEvery);
    ScriptedHost host(script, line, direction, cancelAt);
    const RadioImage source = sourceImage();
    CloneSession session(line, host, source);
    const CloneResult result = session.run("COM1");

    FUZZ_CHECK(!line.isOpen(), "the port is closed at every end");
    FUZZ_CHECK(session.state() == CloneState::Closed, "the session ends closed");
    FUZZ_CHECK(line.opens() <= 1, "a transfer opens its port once");
    FUZZ_CHECK(result.blocksDone >= 0 && result.blocksDone <= 128, "0 to 128 blocks");
    FUZZ_CHECK(host.directionAsked() == (result.directionKnown ? 1 : 0),
               "the direction is asked once, when the radio accepts the entry");
    if (result.outcome == CloneOutcome::OpenFailed) {
        FUZZ_CHECK(openFails && line.opens() == 0, "only a refused open reports an open failure");
        FUZZ_CHECK(line.writes().empty(), "nothing is sent when the port did not open");
    } else {
        FUZZ_CHECK(!openFails, "a refused open is reported as such");
    }
    if (result.outcome == CloneOutcome::Completed) {
        FUZZ_CHECK(result.directionKnown && result.direction == direction,
                   "a completed transfer went the way the user chose");
        FUZZ_CHECK(result.blocksDone == 128, "a completed transfer moved 128 blocks");
        if (direction == CloneDirection::Read)
            checkRead(line, session.receivedImage());
        else if (line.failedWrites() == 0) // a scripted radio acknowledges even a lost block
            checkWrite(line, source);
    }
    return 0;
}
