#include "core/message/message.h"

#include "core/message/translate_noop.h"

#include <array>

namespace orvo {

namespace {

// The catalogue: every kind's English words, each written once, here.
constexpr std::array kPatterns{
    MessagePattern{MessageKind::Text, QT_TRANSLATE_NOOP("orvo", "%1")},
    MessagePattern{MessageKind::Word, QT_TRANSLATE_NOOP("orvo", "%1")},
    MessagePattern{
        MessageKind::Detecting,
        QT_TRANSLATE_NOOP("orvo", "Now are detecting Communication Port,Please wait...")},
    MessagePattern{MessageKind::Waiting,
                   QT_TRANSLATE_NOOP("orvo", "Waiting the response from radio....")},
    MessagePattern{MessageKind::BlockPosition, QT_TRANSLATE_NOOP("orvo", "%1")},
    MessagePattern{MessageKind::CommunicationError,
                   QT_TRANSLATE_NOOP("orvo", "Communication Error\xEF\xBC\x8CPlease check all the "
                                             "connections and the radio power")},
    MessagePattern{MessageKind::SendOrderError,
                   QT_TRANSLATE_NOOP("orvo", " Error in the Send Order")},
    MessagePattern{MessageKind::BlockError,
                   QT_TRANSLATE_NOOP("orvo", "Error had happen,please try again")},
    MessagePattern{MessageKind::ShortReply, QT_TRANSLATE_NOOP("orvo", "not received enough  byte")},
    MessagePattern{MessageKind::PartialWrite,
                   QT_TRANSLATE_NOOP("orvo", "The radio now holds part of the new data. Write to "
                                             "the radio again before using it.")},
    MessagePattern{MessageKind::ReadBackFailed,
                   QT_TRANSLATE_NOOP("orvo", "The radio was written; only the check after writing "
                                             "failed, so what it holds was not compared.")},
    MessagePattern{MessageKind::ReadBackCancelled,
                   QT_TRANSLATE_NOOP("orvo", "The radio was written; the check after writing was "
                                             "cancelled, so what it holds was not compared.")},
    MessagePattern{MessageKind::OpenFailed,
                   QT_TRANSLATE_NOOP("orvo", "Could not Open the Port,Please check whether the "
                                             "Port are occupied or the device are ok")},
    MessagePattern{MessageKind::OpenFailedBecause,
                   QT_TRANSLATE_NOOP("orvo", "Could not Open the Port,Please check whether the "
                                             "Port are occupied or the device are ok\n%1")},
    MessagePattern{MessageKind::NoDevice, QT_TRANSLATE_NOOP("orvo", "%1 has no device")},
    MessagePattern{MessageKind::DeviceRefused, QT_TRANSLATE_NOOP("orvo", "%1: %2")},
    MessagePattern{MessageKind::TestModeTryAgain,
                   QT_TRANSLATE_NOOP("orvo", " Error had happen ,need try again")},
    MessagePattern{MessageKind::TestModeFinished,
                   QT_TRANSLATE_NOOP("orvo", "Finish successfully!")},
    MessagePattern{MessageKind::NoTestItem,
                   QT_TRANSLATE_NOOP("orvo", "No adjustment item is chosen. Please choose one "
                                             "under \"Debug Item\".")},
    MessagePattern{MessageKind::TestValueOutOfRange,
                   QT_TRANSLATE_NOOP("orvo", "The value %1 cannot be sent. The value must lie "
                                             "between 0 and 255.")},
    MessagePattern{MessageKind::TestReceiveFrequencyOutOfRange,
                   QT_TRANSLATE_NOOP("orvo", "The receive frequency %1 cannot be sent. Frequencies "
                                             "must lie between 0 and 999.99999 MHz.")},
    MessagePattern{MessageKind::TestTransmitFrequencyOutOfRange,
                   QT_TRANSLATE_NOOP("orvo", "The transmit frequency %1 cannot be sent. "
                                             "Frequencies must lie between 0 and 999.99999 MHz.")},
    MessagePattern{MessageKind::NoReceiveTone,
                   QT_TRANSLATE_NOOP("orvo", "No receive tone is chosen. Please choose one in the "
                                             "receive tone list.")},
    MessagePattern{MessageKind::NoTransmitTone,
                   QT_TRANSLATE_NOOP("orvo", "No transmit tone is chosen. Please choose one in the "
                                             "transmit tone list.")},
    MessagePattern{MessageKind::TestReceiveToneOutOfRange,
                   QT_TRANSLATE_NOOP("orvo", "The receive tone %1 cannot be sent. Tones must lie "
                                             "between 0 and 999.9 Hz.")},
    MessagePattern{MessageKind::TestTransmitToneOutOfRange,
                   QT_TRANSLATE_NOOP("orvo", "The transmit tone %1 cannot be sent. Tones must lie "
                                             "between 0 and 999.9 Hz.")},
    MessagePattern{MessageKind::FormatFault,
                   QT_TRANSLATE_NOOP("orvo", "Error Data Format\xEF\xBC\x8CPlease input again")},
    MessagePattern{MessageKind::BandFault, QT_TRANSLATE_NOOP("orvo", "Out of range!")},
    MessagePattern{MessageKind::StepFault,
                   QT_TRANSLATE_NOOP("orvo", "Error data Value\xEF\xBC\x8CPlease input according "
                                             "the step value(6.25K/5k)")},
    MessagePattern{MessageKind::BandFaultCaption, QT_TRANSLATE_NOOP("orvo", "Prompt")},
    MessagePattern{MessageKind::NotWritten,
                   QT_TRANSLATE_NOOP("orvo", "The radio does not hold what was written:")},
    MessagePattern{MessageKind::BlockDifference, QT_TRANSLATE_NOOP("orvo", "block %1: %2")},
    MessagePattern{MessageKind::FieldDifference, QT_TRANSLATE_NOOP("orvo", "%1: \"%2\" -> \"%3\"")},
    MessagePattern{MessageKind::ByteDifference, QT_TRANSLATE_NOOP("orvo", "%1: %2 -> %3")},
    MessagePattern{MessageKind::ChannelField, QT_TRANSLATE_NOOP("orvo", "CH %1 %2")},
    MessagePattern{MessageKind::RawByte, QT_TRANSLATE_NOOP("orvo", "byte %1")},
    MessagePattern{MessageKind::AndMoreLines, QT_TRANSLATE_NOOP("orvo", "... and %1 more")},
    MessagePattern{MessageKind::ResultVerified, QT_TRANSLATE_NOOP("orvo", "verified")},
    MessagePattern{MessageKind::ResultDifferent, QT_TRANSLATE_NOOP("orvo", "different")},
    MessagePattern{MessageKind::ResultFailed, QT_TRANSLATE_NOOP("orvo", "failed")},
    MessagePattern{MessageKind::ResultCancelled, QT_TRANSLATE_NOOP("orvo", "cancelled")},
    MessagePattern{MessageKind::ResultNotOpened, QT_TRANSLATE_NOOP("orvo", "not opened")},
    MessagePattern{MessageKind::ResultWrittenNotVerified,
                   QT_TRANSLATE_NOOP("orvo", "written, not verified")},
    MessagePattern{MessageKind::CannotOpen, QT_TRANSLATE_NOOP("orvo", "Cannot open %1: %2")},
    MessagePattern{MessageKind::CannotRead, QT_TRANSLATE_NOOP("orvo", "Cannot read %1: %2")},
    MessagePattern{MessageKind::CannotWrite, QT_TRANSLATE_NOOP("orvo", "Cannot write %1: %2")},
    MessagePattern{MessageKind::WriteLinkLoop,
                   QT_TRANSLATE_NOOP("orvo", "Cannot write %1: it is a link loop")},
    MessagePattern{MessageKind::WriteLinkToNothing,
                   QT_TRANSLATE_NOOP("orvo", "Cannot write %1: it is a link to a missing file")},
    MessagePattern{MessageKind::OpenNotRegular,
                   QT_TRANSLATE_NOOP("orvo", "Cannot open %1: it is %2, not a regular file")},
    MessagePattern{MessageKind::WriteNotRegular,
                   QT_TRANSLATE_NOOP("orvo", "Cannot write %1: it is %2, not a regular file")},
    MessagePattern{MessageKind::OpenOddFile,
                   QT_TRANSLATE_NOOP("orvo", "Cannot open %1: it is not a regular file")},
    MessagePattern{MessageKind::WriteOddFile,
                   QT_TRANSLATE_NOOP("orvo", "Cannot write %1: it is not a regular file")},
    MessagePattern{MessageKind::Folder, QT_TRANSLATE_NOOP("orvo", "a folder")},
    MessagePattern{MessageKind::NamedPipe, QT_TRANSLATE_NOOP("orvo", "a named pipe")},
    MessagePattern{MessageKind::Device, QT_TRANSLATE_NOOP("orvo", "a device")},
    MessagePattern{MessageKind::Socket, QT_TRANSLATE_NOOP("orvo", "a socket")},
    MessagePattern{MessageKind::ShortChannelFile,
                   QT_TRANSLATE_NOOP("orvo", "%1 is not a channel data file: it holds %2 bytes, "
                                             "fewer than the 1024 of a radio's memory.")},
    MessagePattern{MessageKind::ReportNotDrawn,
                   QT_TRANSLATE_NOOP("orvo", "Cannot write %1: the report could not be drawn")},
    MessagePattern{MessageKind::CsvLine, QT_TRANSLATE_NOOP("orvo", "line %1: %2")},
    MessagePattern{MessageKind::CsvCell, QT_TRANSLATE_NOOP("orvo", "line %1, column %2: %3")},
    MessagePattern{MessageKind::AndMoreRefused,
                   QT_TRANSLATE_NOOP("orvo", "\xE2\x80\xA6 and %1 more")},
    MessagePattern{MessageKind::QuoteNotClosed,
                   QT_TRANSLATE_NOOP("orvo", "a quoted field is not closed")},
    MessagePattern{MessageKind::TextAfterQuote,
                   QT_TRANSLATE_NOOP("orvo", "text follows a closing quote")},
    MessagePattern{
        MessageKind::ChannelCsvTooLarge,
        QT_TRANSLATE_NOOP("orvo", "the file is larger than 1 MiB; a channel table is far smaller")},
    MessagePattern{
        MessageKind::ChannelCsvLineTooLong,
        QT_TRANSLATE_NOOP("orvo",
                          "line %1 is longer than 4 KiB; a channel table's lines are far shorter")},
    MessagePattern{
        MessageKind::HeaderExpected,
        QT_TRANSLATE_NOOP("orvo", "the first line must be the header of a channel table "
                                  "(CH,Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone,Busy,W/N,Scan,"
                                  "Power) or of a memory CSV (Location,Name,Frequency,\xE2\x80\xA6, "
                                  "with at least Location and Frequency)")},
    MessagePattern{MessageKind::FieldCount,
                   QT_TRANSLATE_NOOP("orvo", "%1 fields expected, found %2")},
    MessagePattern{MessageKind::NotChannelNumber,
                   QT_TRANSLATE_NOOP("orvo", "%1 is not a channel number from 1 to 16")},
    MessagePattern{MessageKind::ChannelGivenTwice,
                   QT_TRANSLATE_NOOP("orvo", "channel %1 is already given on line %2")},
    MessagePattern{MessageKind::HeaderMissing,
                   QT_TRANSLATE_NOOP("orvo", "the header line is missing")},
    MessagePattern{MessageKind::NotFrequencyInMhz,
                   QT_TRANSLATE_NOOP("orvo", "%1 is not a frequency in MHz such as 146.52000")},
    MessagePattern{MessageKind::OutsideBand,
                   QT_TRANSLATE_NOOP("orvo", "%1 is outside the band %2")},
    MessagePattern{
        MessageKind::NotToneOfTable,
        QT_TRANSLATE_NOOP("orvo",
                          "%1 is not a tone; give a tone of the list (67.0 ... 254.1, D023N ... "
                          "D754I), Off, nothing, or a tone field's two bytes such as 0xC012")},
    MessagePattern{MessageKind::NeitherNor, QT_TRANSLATE_NOOP("orvo", "%1 is neither %2 nor %3")},
    MessagePattern{MessageKind::NoSettingWithoutFrequency,
                   QT_TRANSLATE_NOOP("orvo", "a channel without a frequency takes no %1 setting")},
    MessagePattern{
        MessageKind::MemoryCsvTooLarge,
        QT_TRANSLATE_NOOP("orvo", "the file is larger than 1 MiB; a memory list is far smaller")},
    MessagePattern{MessageKind::ColumnTwice,
                   QT_TRANSLATE_NOOP("orvo", "the header names this column twice")},
    MessagePattern{MessageKind::ColumnLacking, QT_TRANSLATE_NOOP("orvo", "the header lacks it")},
    MessagePattern{MessageKind::ValueIsNot, QT_TRANSLATE_NOOP("orvo", "%1 is not %2")},
    MessagePattern{MessageKind::ExpectLocation,
                   QT_TRANSLATE_NOOP("orvo", "a channel of this radio (1 to 16)")},
    MessagePattern{MessageKind::ExpectFrequency,
                   QT_TRANSLATE_NOOP("orvo", "a frequency in MHz such as 146.520000")},
    MessagePattern{MessageKind::ExpectDuplex,
                   QT_TRANSLATE_NOOP("orvo", "a duplex: give nothing, +, -, split or off")},
    MessagePattern{MessageKind::ExpectOffset,
                   QT_TRANSLATE_NOOP("orvo", "an offset in MHz such as 0.600000")},
    MessagePattern{MessageKind::ExpectCtcss,
                   QT_TRANSLATE_NOOP("orvo", "a CTCSS tone of the list (67.0 ... 254.1)")},
    MessagePattern{MessageKind::ExpectDcs,
                   QT_TRANSLATE_NOOP("orvo", "a DCS code of the list (023 ... 754)")},
    MessagePattern{MessageKind::ExpectCrossMode,
                   QT_TRANSLATE_NOOP("orvo",
                                     "a cross mode: give Tone->Tone, Tone->DTCS, DTCS->Tone, "
                                     "DTCS->DTCS, Tone->, DTCS->, ->Tone or ->DTCS")},
    MessagePattern{
        MessageKind::ExpectToneMode,
        QT_TRANSLATE_NOOP("orvo", "a tone mode: give nothing, Tone, TSQL, DTCS or Cross")},
    MessagePattern{MessageKind::ExpectPolarity,
                   QT_TRANSLATE_NOOP("orvo", "a DCS polarity: give two letters N (normal) or R "
                                             "(reversed), transmit then receive, such as NN")},
    MessagePattern{
        MessageKind::ExpectMode,
        QT_TRANSLATE_NOOP("orvo", "a mode this radio has: give FM (wide) or NFM (narrow)")},
    MessagePattern{
        MessageKind::ExpectSkip,
        QT_TRANSLATE_NOOP("orvo", "a scan setting: give nothing (scanned) or S (skipped)")},
    MessagePattern{MessageKind::ExpectPower,
                   QT_TRANSLATE_NOOP("orvo", "a power: give High, Low or watts such as 5.0W")},
    MessagePattern{MessageKind::TransmitFrequencyRefused,
                   QT_TRANSLATE_NOOP("orvo", "the transmit frequency %1")},
    MessagePattern{MessageKind::TransmitFrequencyFault,
                   QT_TRANSLATE_NOOP("orvo", "the transmit frequency %1: %2")},
    MessagePattern{MessageKind::FinerThanTenHz,
                   QT_TRANSLATE_NOOP("orvo", "%1 has digits below 10 Hz, finer than this radio "
                                             "keeps frequencies")},
    MessagePattern{MessageKind::NoChannelLeft,
                   QT_TRANSLATE_NOOP("orvo", "no channel left after channel 16")},
    MessagePattern{MessageKind::ColumnReason, QT_TRANSLATE_NOOP("orvo", "column %1: %2")},
    MessagePattern{MessageKind::LineSkipped, QT_TRANSLATE_NOOP("orvo", "line %1: skipped: %2")},
    MessagePattern{MessageKind::LeftOut, QT_TRANSLATE_NOOP("orvo", "is left out: %1")},
    MessagePattern{
        MessageKind::UnfitFrequency,
        QT_TRANSLATE_NOOP("orvo",
                          "its %1 %2 lies outside 60 - 600 MHz or off the 6.25 / 5 kHz raster")},
    MessagePattern{MessageKind::UnfitTone,
                   QT_TRANSLATE_NOOP("orvo", "its %1 %2 is not in the tone table")},
    MessagePattern{MessageKind::TransmitOnly,
                   QT_TRANSLATE_NOOP("orvo", "has a transmit frequency only: its line leaves "
                                             "Frequency empty, which other programs may refuse")},
    MessagePattern{
        MessageKind::BusyNotWritten,
        QT_TRANSLATE_NOOP(
            "orvo",
            "the common memory CSV has no Busy column: Busy Yes of channel %1 is not written")},
    MessagePattern{
        MessageKind::BusyNotWrittenMany,
        QT_TRANSLATE_NOOP(
            "orvo",
            "the common memory CSV has no Busy column: Busy Yes of channels %1 is not written")},
    MessagePattern{MessageKind::ChannelNote, QT_TRANSLATE_NOOP("orvo", "channel %1 %2")},
    MessagePattern{MessageKind::PasteNotTone,
                   QT_TRANSLATE_NOOP("orvo", "%1 is not a tone of the list")},
    MessagePattern{MessageKind::PasteNoFrequency,
                   QT_TRANSLATE_NOOP("orvo", "a channel without a frequency takes no setting")},
    MessagePattern{MessageKind::PasteColumnCount,
                   QT_TRANSLATE_NOOP("orvo", "8 or 9 columns expected, found %1")},
    MessagePattern{MessageKind::OutOfBandReceive,
                   QT_TRANSLATE_NOOP("orvo", "Channel %1 Receive %2 lies outside %3")},
    MessagePattern{MessageKind::OutOfBandTransmit,
                   QT_TRANSLATE_NOOP("orvo", "Channel %1 Transmit %2 lies outside %3")},
};

// The table lists every kind in the order of the enum, so a kind is its own index.
constexpr bool listedInOrder()
{
    for (std::size_t i = 0; i < kPatterns.size(); ++i) {
        if (static_cast<std::size_t>(kPatterns[i].kind) != i)
            return false;
    }
    return true;
}
static_assert(listedInOrder() && kPatterns.size() == static_cast<std::size_t>(MessageKind::Count),
              "the catalogue lists every message kind once, in enum order");

} // namespace

MessageArg::MessageArg(Message message)
    : message(std::make_shared<const Message>(std::move(message)))
{
}

bool operator==(const Message& a, const Message& b)
{
    if (a.kind != b.kind || a.args.size() != b.args.size())
        return false;
    for (std::size_t i = 0; i < a.args.size(); ++i) {
        const MessageArg& x = a.args[i];
        const MessageArg& y = b.args[i];
        if (bool(x.message) != bool(y.message))
            return false;
        if (x.message ? !(*x.message == *y.message) : x.text != y.text)
            return false;
    }
    return true;
}

std::span<const MessagePattern> messagePatterns()
{
    return kPatterns;
}

const char* messagePattern(MessageKind kind)
{
    const auto index = static_cast<std::size_t>(kind);
    return index < kPatterns.size() ? kPatterns[index].pattern : "";
}

std::string fillPattern(const std::string& pattern, const std::vector<std::string>& args)
{
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const auto index = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && index < args.size()) {
            text += args[index];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

std::string messageText(const Message& message)
{
    std::vector<std::string> args;
    args.reserve(message.args.size());
    for (const MessageArg& arg : message.args)
        args.push_back(arg.message ? messageText(*arg.message) : arg.text);
    return fillPattern(messagePattern(message.kind), args);
}

std::vector<std::string> messageLines(const std::vector<Message>& messages)
{
    std::vector<std::string> lines;
    lines.reserve(messages.size());
    for (const Message& message : messages)
        lines.push_back(messageText(message));
    return lines;
}

std::string messageText(const std::vector<Message>& messages, const std::string& separator)
{
    std::string text;
    for (std::size_t i = 0; i < messages.size(); ++i)
        text += (i ? separator : std::string()) + messageText(messages[i]);
    return text;
}

} // namespace orvo
