#include "document/language.h"

#include "document/settings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

Language& active()
{
    static Language language = Language::English;
    return language;
}

bool isSimplifiedChinese(const QString& locale)
{
    const QString name = locale.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    return name == QLatin1String("zh") || name == QLatin1String("zh_CN") ||
           name == QLatin1String("zh_SG") || name.startsWith(QLatin1String("zh_Hans"));
}

} // namespace

Language systemLanguage()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return isSimplifiedChinese(value) ? Language::Chinese : Language::English;
    }
    return Language::English;
}

Language startLanguage(const Settings& settings)
{
    const Language chosen = settings.language();
    return chosen == Language::System ? systemLanguage() : chosen;
}

bool installTranslations(QCoreApplication& app, Language language)
{
    // One pair for the process; a second call replaces what the first installed.
    static QTranslator* window = nullptr;
    static QTranslator* qt = nullptr;
    for (QTranslator** translator : {&window, &qt}) {
        if (*translator) {
            QCoreApplication::removeTranslator(*translator);
            delete *translator;
            *translator = nullptr;
        }
    }
    if (language == Language::System)
        language = systemLanguage();
    active() = Language::English;
    if (language != Language::Chinese)
        return true;
    window = new QTranslator(&app);
    qt = new QTranslator(&app);
    const bool windowLoaded = window->load(QStringLiteral(":/i18n/orvo_zh_CN.qm"));
    const bool qtLoaded = qt->load(QStringLiteral("qtbase_zh_CN"),
                                   QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (qtLoaded)
        QCoreApplication::installTranslator(qt);
    if (windowLoaded) {
        QCoreApplication::installTranslator(window);
        active() = Language::Chinese;
    }
    return windowLoaded && qtLoaded;
}

Language activeLanguage()
{
    return active();
}

QStringList languageFaces()
{
    if (active() != Language::Chinese)
        return {};
    return {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")};
}

QFont languageFont(const QFont& designed)
{
    const QStringList faces = languageFaces();
    if (faces.isEmpty())
        return designed;
    QFont font(designed);
    font.setFamilies(faces);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QString languageKey(Language language)
{
    switch (language) {
    case Language::English:
        return QStringLiteral("en");
    case Language::Chinese:
        return QStringLiteral("zh_CN");
    case Language::System:
        break;
    }
    return QString();
}

Language languageFromKey(const QString& key)
{
    if (key == QLatin1String("en"))
        return Language::English;
    if (key == QLatin1String("zh_CN"))
        return Language::Chinese;
    return Language::System;
}
