#pragma once
// What the core tells a user, as a value: a kind and its arguments (a channel, a line, a value, a
// path, the system's reason...). The kind's pattern holds the words, with %1, %2 ... where the
// arguments go; messageText fills it in English for orvo-cli, logs and files, the window fills
// the pattern's translation. Code decides by the kind or by its own results, never by the text.

#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace orvo {

enum class MessageKind {
    Text, // %1 as it is: a device, a number, a text of the system's
    Word, // %1, a word the core marks for translation (a setting, a column, a flag word)
    // The clone transfer's status lines and messages.
    Detecting,
    Waiting,
    BlockPosition, // the progress position in the status line: %1 is the number
    CommunicationError,
    SendOrderError,
    BlockError,
    ShortReply,
    PartialWrite,
    ReadBackFailed,    // a completed write whose read-back failed: only the check is missing
    ReadBackCancelled, // the same, the read-back cancelled
    OpenFailed,
    OpenFailedBecause, // %1: which device and why the system refused it
    NoDevice,          // %1: the port name that stands for no device
    DeviceRefused,     // %1: the device, %2: the system's reason
    // The test mode's messages and refusals.
    TestModeTryAgain,
    TestModeFinished,
    NoTestItem,
    TestValueOutOfRange,
    TestReceiveFrequencyOutOfRange,
    TestTransmitFrequencyOutOfRange,
    NoReceiveTone,
    NoTransmitTone,
    TestReceiveToneOutOfRange,
    TestTransmitToneOutOfRange,
    // The checks of a typed frequency.
    FormatFault,
    BandFault,
    StepFault,
    BandFaultCaption,
    // Verify and the runs of many radios.
    NotWritten,      // the head line of a read-back that differs
    BlockDifference, // %1: block, %2: the difference
    FieldDifference, // %1: the field, %2 and %3: the values before and after
    ByteDifference,  // %1: the byte's name, %2 and %3: its values (hexadecimal)
    ChannelField,    // %1: the channel; %2: the column (Word)
    RawByte,         // %1: the byte's offset, hexadecimal
    AndMoreLines,    // %1: how many lines are left out
    ResultVerified,
    ResultDifferent,
    ResultFailed,
    ResultCancelled,
    ResultNotOpened,
    ResultWrittenNotVerified,
    // Files.
    CannotOpen,    // %1: the path, quoted; %2: the system's reason
    CannotRead,    // the same
    CannotWrite,   // the same
    WriteLinkLoop, // %1: the path
    WriteLinkToNothing,
    OpenNotRegular, // %1: the path; %2: what it is (Folder ... Socket)
    WriteNotRegular,
    OpenOddFile, // %1: the path, which is not a regular file of any kind named here
    WriteOddFile,
    Folder,
    NamedPipe,
    Device,
    Socket,
    ShortChannelFile, // %1: the path; %2: its size in bytes
    ReportNotDrawn,   // %1: the path
    CsvLine,          // Channel tables and memory lists. %1: the line; %2: what is wrong
    CsvCell,          // %2: the column as the header names it
    AndMoreRefused,
    QuoteNotClosed,
    TextAfterQuote,
    ChannelCsvTooLarge,
    ChannelCsvLineTooLong,
    HeaderExpected,
    FieldCount,
    NotChannelNumber, // %1: the value as the file gives it, quoted
    ChannelGivenTwice,
    HeaderMissing,
    NotFrequencyInMhz,
    OutsideBand, // %1: the frequency in MHz; %2: the band as the Field list shows it
    NotToneOfTable,
    NeitherNor,                // %2, %3: the words of a flag column
    NoSettingWithoutFrequency, // %1: the column
    MemoryCsvTooLarge,
    ColumnTwice,
    ColumnLacking,
    ValueIsNot, // %1: the value, quoted; %2: what the column takes (Expect...)
    ExpectLocation,
    ExpectFrequency,
    ExpectDuplex,
    ExpectOffset,
    ExpectCtcss,
    ExpectDcs,
    ExpectCrossMode,
    ExpectToneMode,
    ExpectPolarity,
    ExpectMode,
    ExpectSkip,
    ExpectPower,
    TransmitFrequencyRefused, // %1: OutsideBand
    TransmitFrequencyFault,   // %1: MHz; %2: the fault
    FinerThanTenHz,           // %1: the value, quoted
    NoChannelLeft,            // a line placed in order after channel 16
    ColumnReason,             // %1: the column; %2: why a line cannot be taken
    LineSkipped,              // %1: the line; %2: why
    LeftOut,                  // Notes of an export, after "channel N". %1: Unfit...
    UnfitFrequency,
    UnfitTone,
    TransmitOnly,
    BusyNotWritten,
    BusyNotWrittenMany,
    ChannelNote,
    PasteNotTone, // Pasted rows. %1: the cell, quoted
    PasteNoFrequency,
    PasteColumnCount,
    OutOfBandReceive, // Channels outside the band: %2 the frequency, %3 the band
    OutOfBandTransmit,
    Count // not a message: the number of kinds, which the catalogue checks it lists
};

struct Message;

// One argument of a message: a text shown as it is (a number, a path, a typed value, the system's
// reason), or a message of its own, shown in the reader's language.
struct MessageArg
{
    MessageArg(std::string text) : text(std::move(text)) {}
    MessageArg(const char* text) : text(text) {}
    template <std::integral Number> MessageArg(Number number) : text(std::to_string(number)) {}
    MessageArg(Message message);

    std::string text;
    std::shared_ptr<const Message> message; // when set, `text` is unused
};

struct Message
{
    Message() = default;
    Message(MessageKind kind, std::initializer_list<MessageArg> args = {}) : kind(kind), args(args)
    {
    }

    MessageKind kind = MessageKind::Text;
    std::vector<MessageArg> args;
};

bool operator==(const Message& a, const Message& b);

// A kind with its English pattern, as the catalogue lists it.
struct MessagePattern
{
    MessageKind kind;
    const char* pattern;
};

// Every kind, each once, in the order of MessageKind; the translations are in the context
// kMessageContext (translate_noop.h).
std::span<const MessagePattern> messagePatterns();

// The English pattern of `kind`.
const char* messagePattern(MessageKind kind);

// `pattern` with %1 .. %9 replaced by args[0] .. args[8] in one pass: what an argument brings in
// is never replaced again. A placeholder without its argument stays as it is.
std::string fillPattern(const std::string& pattern, const std::vector<std::string>& args);

// The English text of `message`.
std::string messageText(const Message& message);

// The English text of each of `messages`.
std::vector<std::string> messageLines(const std::vector<Message>& messages);

// The English texts of `messages`, joined by `separator`.
std::string messageText(const std::vector<Message>& messages, const std::string& separator = "\n");

} // namespace orvo
