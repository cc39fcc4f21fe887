#include "clone_responder.h"

#include "radio_sim.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

namespace orvo::sim {

namespace {

constexpr std::uint8_t kAck = 0x06;
constexpr std::uint8_t kNak = 0x15;
constexpr std::uint8_t kStx = 0x02;
constexpr std::uint8_t kRead = 0x52;
constexpr std::uint8_t kWrite = 0x57;
constexpr std::uint8_t kBlockLength = 0x08;

// What the radio says about itself; the program does not look at it.
constexpr std::array<std::uint8_t, 8> kIdentification = {'Z',  'T',  '-',  '4',
                                                         0x33, 0x01, 0x00, 0x00};

// How long the radio waits for the program's next step before it gives the exchange up.
constexpr int kStepTimeoutMs = 2000;
// The program may pause long between blocks (its waiting cycles run the user interface).
constexpr int kBlockTimeoutMs = 60000;
// Bytes of one frame follow each other closely.
constexpr int kByteTimeoutMs = 500;

std::string hex(unsigned value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

} // namespace

void CloneResponder::serve()
{
    const SimOptions& options = m_sim.options();
    if (options.refuseProgram) {
        m_sim.log("clone: program request refused");
        m_sim.answer(kNak);
        return;
    }
    m_sim.log("clone: program request");
    if (options.junkBeforeAck) {
        m_sim.log("clone: junk before the ACK");
        m_sim.answer(kJunkByte);
    }
    m_sim.answer(kAck);

    std::uint8_t byte = 0;
    if (!m_sim.receive(byte, kStepTimeoutMs)) {
        m_sim.log("clone: no identification request");
        return;
    }
    if (byte != kStx) {
        m_sim.giveBack(byte);
        return;
    }
    if (options.garbageIdentification) {
        m_sim.log("clone: garbage identification");
        m_sim.answer(kGarbageIdentification.data(), kGarbageIdentification.size());
    } else {
        m_sim.answer(kIdentification.data(), kIdentification.size());
    }

    if (!m_sim.receive(byte, kStepTimeoutMs)) {
        m_sim.log("clone: no entry acknowledgement");
        return;
    }
    if (byte != kAck) {
        m_sim.giveBack(byte);
        return;
    }
    if (options.refuseEntry) {
        m_sim.log("clone: entry refused");
        m_sim.answer(kNak);
        return;
    }
    m_sim.log("clone: entered");
    m_sim.answer(kAck);
    serveBlocks();
}

void CloneResponder::serveBlocks()
{
    const SimOptions& options = m_sim.options();
    bool lateAckDue = options.lateEntryAck;
    std::uint8_t byte = 0;
    for (;;) {
        if (!m_sim.receive(byte, kBlockTimeoutMs))
            return;
        if (byte != kRead && byte != kWrite) {
            m_sim.giveBack(byte);
            return;
        }
        std::array<std::uint8_t, 3> rest{};
        if (m_sim.receive(rest.data(), rest.size(), kByteTimeoutMs) != rest.size()) {
            m_sim.log("clone: incomplete block command");
            return;
        }
        const unsigned address = (rest[0] << 8) | rest[1];
        if (rest[2] != kBlockLength || address % 8 != 0 || address + 8 > kImageSize) {
            m_sim.log("clone: bad block command at " + hex(address, 4) + " length " +
                      hex(rest[2], 2));
            return;
        }
        const int block = static_cast<int>(address / 8);
        if (block == options.hangUpBlock) {
            m_sim.log("clone: hanging up at block " + std::to_string(block));
            m_sim.hangUp();
            return;
        }
        if (lateAckDue) {
            m_sim.log("clone: the entry ACK again, late");
            m_sim.answer(kAck);
            lateAckDue = false;
        }
        if (!(byte == kRead ? serveRead(block) : serveWrite(block)))
            return;
    }
}

bool CloneResponder::serveRead(int block)
{
    const SimOptions& options = m_sim.options();
    const unsigned address = static_cast<unsigned>(block) * 8;
    std::array<std::uint8_t, 12> reply{kWrite, static_cast<std::uint8_t>(address >> 8),
                                       static_cast<std::uint8_t>(address & 0xFF), kBlockLength};
    std::copy_n(m_sim.memory().bytes.begin() + address, 8, reply.begin() + 4);
    std::size_t length = reply.size();
    if (block == options.shortReadBlock)
        length = static_cast<std::size_t>(std::clamp(options.shortReadBytes, 0, 12));
    m_sim.log("clone: read block " + hex(address, 4) +
              (length < reply.size() ? " (short: " + std::to_string(length) + " bytes)" : ""));
    m_sim.answer(reply.data(), length);

    std::uint8_t byte = 0;
    if (!m_sim.receive(byte, kStepTimeoutMs)) {
        m_sim.log("clone: read block " + hex(address, 4) + " not acknowledged by the program");
        return false;
    }
    if (byte != kAck) {
        m_sim.giveBack(byte);
        return false;
    }
    if (block == options.noReadAckBlock) {
        m_sim.log("clone: leaves read block " + hex(address, 4) + " unacknowledged");
        return false;
    }
    m_sim.answer(kAck);
    return true;
}

bool CloneResponder::serveWrite(int block)
{
    const unsigned address = static_cast<unsigned>(block) * 8;
    std::array<std::uint8_t, 8> data{};
    if (m_sim.receive(data.data(), data.size(), kByteTimeoutMs) != data.size()) {
        m_sim.log("clone: write block " + hex(address, 4) + " incomplete");
        return false;
    }
    if (block == m_sim.options().noWriteAckBlock) {
        m_sim.log("clone: leaves write block " + hex(address, 4) + " unacknowledged");
        return false;
    }
    const bool corrupt = block == m_sim.options().corruptWriteBlock;
    if (corrupt)
        data[0] ^= 0x01;
    std::copy(data.begin(), data.end(), m_sim.memory().bytes.begin() + address);
    m_sim.log("clone: write block " + hex(address, 4) + (corrupt ? " (stored changed)" : ""));
    m_sim.answer(kAck);
    // The memory file follows the ACK: flushing it to disk can take longer on a busy machine than
    // the program waits for the ACK.
    m_sim.dumpMemory();
    return true;
}

} // namespace orvo::sim
