#pragma once
// What the core tells the user, in the window's language. A message's pattern is looked up in
// the translation and filled with its arguments, those that are messages translated in turn;
// a pattern without a translation keeps its English words. The core's words the window shows
// (setting-list entries, grid words) are translated by translatedWord; what is saved, exported or
// compared stays the core's English word and never goes through either.

#include "core/message/message.h"

#include <QString>

#include <string>
#include <vector>

// The message in the window's language.
QString translatedText(const orvo::Message& message);

// Messages of several lines, one a message, joined by `separator`.
QString translatedText(const std::vector<orvo::Message>& messages,
                       const QString& separator = QStringLiteral("\n"));

// A word the core marks for translation, in the window's language; a text it does not mark
// (a number, a band, a device) as it is.
QString translatedWord(const std::string& word);
