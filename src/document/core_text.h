#pragma once
// The window's translation of the texts the core hands it as plain strings: the radio's status
// lines and messages, the checks' messages, the setting lists' entries and the channel grid's
// words. The core stays English (orvo-cli prints it as it is); the window passes each such text
// through coreText where it shows it. Texts that are data (what is saved, exported, compared)
// never go through it.

#include <QString>

#include <string>

// The text in the window's language. A text of several lines is translated line by line, so a
// message with a detail appended keeps the detail; a text without a translation is returned as
// it is (numbers, device names, paths).
QString coreText(const QString& text);
QString coreText(const std::string& text);
QString coreText(const char* text);
