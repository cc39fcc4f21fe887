#include "document/core_text.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

constexpr const char* kContext = "orvo";

// Every core text the window shows, for lupdate; the core spells each one the same way.
[[maybe_unused]] const char* const kCoreTexts[] = {
    // The clone transfer's status lines and messages.
    QT_TRANSLATE_NOOP("orvo", "Now are detecting Communication Port,Please wait..."),
    QT_TRANSLATE_NOOP("orvo", "Waiting the response from radio...."),
    QT_TRANSLATE_NOOP("orvo",
                      "Communication Error，Please check all the connections and the radio power"),
    QT_TRANSLATE_NOOP("orvo", " Error in the Send Order"),
    QT_TRANSLATE_NOOP("orvo", "Error had happen,please try again"),
    QT_TRANSLATE_NOOP("orvo", "not received enough  byte"),
    QT_TRANSLATE_NOOP(
        "orvo",
        "The radio now holds part of the new data. Write to the radio again before using it."),
    QT_TRANSLATE_NOOP("orvo", "The radio was written; only the check after writing failed, so "
                              "what it holds was not compared."),
    QT_TRANSLATE_NOOP("orvo", "The radio was written; the check after writing was cancelled, so "
                              "what it holds was not compared."),
    QT_TRANSLATE_NOOP(
        "orvo",
        "Could not Open the Port,Please check whether the Port are occupied or the device are ok"),
    QT_TRANSLATE_NOOP("orvo", "The radio does not hold what was written:"),
    QT_TRANSLATE_NOOP("orvo", "(no device)"),
    // The test mode's messages.
    QT_TRANSLATE_NOOP("orvo", " Error had happen ,need try again"),
    QT_TRANSLATE_NOOP("orvo", "Finish successfully!"),
    QT_TRANSLATE_NOOP("orvo",
                      "No adjustment item is chosen. Please choose one under \"Debug Item\"."),
    QT_TRANSLATE_NOOP("orvo",
                      "No receive tone is chosen. Please choose one in the receive tone list."),
    QT_TRANSLATE_NOOP("orvo",
                      "No transmit tone is chosen. Please choose one in the transmit tone list."),
    // The checks of a typed frequency.
    QT_TRANSLATE_NOOP("orvo", "Error Data Format，Please input again"),
    QT_TRANSLATE_NOOP("orvo", "Out of range!"),
    QT_TRANSLATE_NOOP("orvo", "Error data Value，Please input according the step value(6.25K/5k)"),
    QT_TRANSLATE_NOOP("orvo", "Prompt"),
    // The setting lists' names and entries (numbers and bands read the same in every language).
    QT_TRANSLATE_NOOP("orvo", "Type"),
    QT_TRANSLATE_NOOP("orvo", "Field"),
    QT_TRANSLATE_NOOP("orvo", "Scan"),
    QT_TRANSLATE_NOOP("orvo", "Beep"),
    QT_TRANSLATE_NOOP("orvo", "Battery Save"),
    QT_TRANSLATE_NOOP("orvo", "Squelch Level"),
    QT_TRANSLATE_NOOP("orvo", "Tx Total Time(s)"),
    QT_TRANSLATE_NOOP("orvo", "Voice Annuciation"),
    QT_TRANSLATE_NOOP("orvo", "Moni"),
    QT_TRANSLATE_NOOP("orvo", "Urgency Call           Switch"),
    QT_TRANSLATE_NOOP("orvo", "OFF"),
    QT_TRANSLATE_NOOP("orvo", "ON"),
    QT_TRANSLATE_NOOP("orvo", "Enable"),
    QT_TRANSLATE_NOOP("orvo", "Disable"),
    QT_TRANSLATE_NOOP("orvo", "Off"),
    QT_TRANSLATE_NOOP("orvo", "English"),
    QT_TRANSLATE_NOOP("orvo", "Chinese"),
    QT_TRANSLATE_NOOP("orvo", "Monitor  Momentary"),
    QT_TRANSLATE_NOOP("orvo", "Monitor Lock"),
    QT_TRANSLATE_NOOP("orvo", "SQ-Off Momentary"),
    QT_TRANSLATE_NOOP("orvo", "Local Alert "),
    QT_TRANSLATE_NOOP("orvo", "Local Alert TX Alert"),
    QT_TRANSLATE_NOOP("orvo", "TX Alert "),
    // The channel grid's column headers and the words of its flag columns.
    QT_TRANSLATE_NOOP("orvo", "CH"),
    QT_TRANSLATE_NOOP("orvo", "Receive(MHz)"),
    QT_TRANSLATE_NOOP("orvo", "Transmit(MHz)"),
    QT_TRANSLATE_NOOP("orvo", "Rx Tone"),
    QT_TRANSLATE_NOOP("orvo", "Tx Tone"),
    QT_TRANSLATE_NOOP("orvo", "Busy"),
    QT_TRANSLATE_NOOP("orvo", "W/N"),
    QT_TRANSLATE_NOOP("orvo", "Power"),
    QT_TRANSLATE_NOOP("orvo", "Yes"),
    QT_TRANSLATE_NOOP("orvo", "No"),
    QT_TRANSLATE_NOOP("orvo", "Wide"),
    QT_TRANSLATE_NOOP("orvo", "Narrow"),
    QT_TRANSLATE_NOOP("orvo", "Add"),
    QT_TRANSLATE_NOOP("orvo", "Delete"),
    QT_TRANSLATE_NOOP("orvo", "High"),
    QT_TRANSLATE_NOOP("orvo", "Low"),
    QT_TRANSLATE_NOOP("orvo", "Mixed"),
    // How each radio of several ended.
    QT_TRANSLATE_NOOP("orvo", "verified"),
    QT_TRANSLATE_NOOP("orvo", "different"),
    QT_TRANSLATE_NOOP("orvo", "failed"),
    QT_TRANSLATE_NOOP("orvo", "cancelled"),
    QT_TRANSLATE_NOOP("orvo", "written, not verified"),
    QT_TRANSLATE_NOOP("orvo", "not opened"),
};

} // namespace

QString coreText(const QString& text)
{
    if (!text.contains(QLatin1Char('\n')))
        return QCoreApplication::translate(kContext, text.toUtf8().constData());
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = QCoreApplication::translate(kContext, line.toUtf8().constData());
    return lines.join(QLatin1Char('\n'));
}

QString coreText(const std::string& text)
{
    return coreText(QString::fromStdString(text));
}

QString coreText(const char* text)
{
    return coreText(QString::fromUtf8(text));
}
