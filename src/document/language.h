#pragma once
// The language of the window: English (the texts as written) or Simplified Chinese. It follows
// the system's locale unless the user chose one with View > Language; the choice is read once,
// when the program starts. orvo-cli never loads a translation.

#include <QFont>
#include <QString>
#include <QStringList>

class QCoreApplication;
class Settings;

enum class Language { System, English, Chinese };

// The language the environment asks for: LC_ALL, else LC_MESSAGES, else LANG (the first that is
// set and not empty); Chinese for zh_CN, zh_SG and zh_Hans, English for anything else.
Language systemLanguage();

// The language the window uses at the next start: the choice remembered in `settings`, or the
// system's.
Language startLanguage(const Settings& settings);

// Loads the window's translation and Qt's own for `language` (System: the system's) into `app`
// and remembers it as the active one, in place of what an earlier call installed. English loads
// nothing. Returns false when a translation could not be loaded; the window then stays English,
// or shows Qt's buttons in English. Texts already shown keep their language.
bool installTranslations(QCoreApplication& app, Language language);

// The language installTranslations made active: English or Chinese.
Language activeLanguage();

// The font families the active language's texts are drawn in, best first: none for English
// (every form keeps the faces it was drawn with); for Chinese, faces that carry Chinese and Latin
// letters alike, so a line mixing both reads in one face. The package depends on the first.
QStringList languageFaces();

// `designed` in the active language's faces, at the same size and weight; unchanged for English.
QFont languageFont(const QFont& designed);

// The Settings text of a choice ("en", "zh_CN", empty for System) and back.
QString languageKey(Language language);
Language languageFromKey(const QString& key);
