// The window in the language the system asks for: Chinese menus and messages under
// LANG=zh_CN.UTF-8 (the environment of this test's entry), English ones otherwise, channel data
// that stays the same whichever the window speaks, a Chinese file complete in every entry and a
// Chinese manual that names every menu command.
#include "gui_test_support.h"
#include "reliability_support.h"

#include "core/editing/frequency_check.h"
#include "core/image/channel_codec.h"
#include "core/image/settings_codec.h"
#include "core/link/clone_session.h"
#include "core/link/port_setup.h"
#include "core/testmode/testmode_session.h"
#include "document/core_text.h"
#include "document/language.h"

#include <QComboBox>
#include <QMenu>
#include <QRegularExpression>

class LanguageTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { quietPlatformWarnings(); }

    void theWindowSpeaksChineseUnderAChineseLocale()
    {
        QCOMPARE(startLanguage(), Language::Chinese);
        QVERIFY(installTranslations(*qApp, startLanguage())); // the window's and Qt's own
        auto app = startApp();
        QCOMPARE(named<QMenu>(QStringLiteral("menuFile"))->title(), QString::fromUtf8("文件(&F)"));
        QCOMPARE(manualFaults(), QString()); // the Chinese manual, as the English one
        DialogAnswers answers;
        typeOnCell(3, 1, QStringLiteral("x"));
        QCOMPARE(answers.texts(), QStringList{QString::fromUtf8("请输入数字")});

        // A W/N word shows in Chinese; the list opens on it, and what is saved is the flag.
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("start.sin"));
        saveWithCore(file, reliability::radioMemory()); // channel 1 Narrow
        app.reset();
        app = startApp({file});
        QCOMPARE(cellText(1, orvo::kColWidth), QString::fromUtf8("窄带"));
        clickCell(1, orvo::kColWidth);
        QTRY_COMPARE(openEditor(), QStringLiteral("cmbWidth"));
        auto* list = named<QComboBox>(QStringLiteral("cmbWidth"));
        QCOMPARE(list->currentText(), QString::fromUtf8("窄带"));
        chooseListEntry(list, 0);
        press(Qt::Key_Return);
        QCOMPARE(cellText(1, orvo::kColWidth), QString::fromUtf8("宽带"));
        ctrl(Qt::Key_S);
        QCOMPARE(orvo::decodeChannel(fromBytes(readFileBytes(file)), 1)[orvo::kColWidth - 1],
                 std::string("Wide"));
    }

    void everyWordTheCoreShowsHasItsTranslation()
    {
        QVERIFY(installTranslations(*qApp, Language::Chinese));
        std::vector<std::string> texts{orvo::kDetectingText,
                                       orvo::kWaitingText,
                                       orvo::kCommunicationErrorText,
                                       orvo::kSendOrderErrorText,
                                       orvo::kBlockErrorText,
                                       orvo::kShortReplyText,
                                       orvo::kPartialWriteText,
                                       orvo::kOpenFailedMessage,
                                       orvo::kTestModeTryAgainText,
                                       orvo::kTestModeFinishedText,
                                       orvo::kBandFaultCaption,
                                       "Yes",
                                       "No",
                                       "Wide",
                                       "Narrow",
                                       "Add",
                                       "Delete",
                                       "High",
                                       "Low"};
        for (auto fault :
             {orvo::FrequencyFault::Format, orvo::FrequencyFault::Band, orvo::FrequencyFault::Step})
            texts.push_back(orvo::frequencyFaultText(fault));
        for (const orvo::SettingBoxInfo& box : orvo::settingBoxes()) {
            texts.push_back(box.label);
            texts.insert(texts.end(), box.entries.begin(), box.entries.end());
        }
        texts.insert(texts.end(), orvo::channelColumnHeaders().begin(),
                     orvo::channelColumnHeaders().end());
        for (const std::string& text : texts) {
            // Numbers, bands and tone values read the same in Chinese.
            if (text.find_first_of("0123456789") == std::string::npos || text.size() > 20)
                QVERIFY2(coreText(text) != QString::fromStdString(text), text.c_str());
        }
        const std::string detail = "\n/dev/ttyUSB0: Device or resource busy"; // kept as it is
        QCOMPARE(coreText(orvo::kOpenFailedMessage + detail),
                 coreText(orvo::kOpenFailedMessage) + QString::fromStdString(detail));
    }

    void theWindowSpeaksEnglishOtherwise()
    {
        QVERIFY(installTranslations(*qApp, Language::English));
        auto app = startApp();
        QCOMPARE(named<QMenu>(QStringLiteral("menuFile"))->title(), QStringLiteral("&File"));
        DialogAnswers answers;
        typeOnCell(3, 1, QStringLiteral("x"));
        QCOMPARE(answers.texts(), QStringList{QStringLiteral("Please input Number")});
        QCOMPARE(coreText(orvo::kBlockErrorText), QString::fromUtf8(orvo::kBlockErrorText));
        // View > Language overrides the locale from the next start on, either way.
        command("language_en")->trigger();
        QCOMPARE(startLanguage(), Language::English);
        qputenv("LC_ALL", "C");
        command("language_zh_CN")->trigger();
        QCOMPARE(startLanguage(), Language::Chinese);
        qputenv("LC_ALL", "");
    }

    void theLocaleVariablesDecideInTheirOrder()
    {
        // LC_ALL, LC_MESSAGES, LANG (the first that is set wins) and the language they ask for.
        const struct
        {
            const char* all;
            const char* messages;
            const char* lang;
            bool chinese;
        } rows[] = {
            {"", "", "zh_CN.UTF-8", true},
            {"C", "", "zh_CN.UTF-8", false},
            {"", "zh_CN.GB18030", "en_US.UTF-8", true},
            {"zh_SG.UTF-8", "", "", true},
            {"", "zh", "", true},
            {"", "", "zh_Hans_CN.UTF-8", true},
            {"", "", "zh_TW.UTF-8", false},
            {"", "", "", false},
        };
        const QByteArray saved[] = {qgetenv("LC_ALL"), qgetenv("LC_MESSAGES"), qgetenv("LANG")};
        for (const auto& row : rows) {
            qputenv("LC_ALL", row.all);
            qputenv("LC_MESSAGES", row.messages);
            qputenv("LANG", row.lang);
            QCOMPARE(systemLanguage() == Language::Chinese, row.chinese);
        }
        qputenv("LC_ALL", saved[0]);
        qputenv("LC_MESSAGES", saved[1]);
        qputenv("LANG", saved[2]);
    }

    void theChineseFileIsCompleteAndKeepsItsMarks()
    {
        // Each translation keeps its source's placeholders, accelerator letter, shortcut tab
        // and the line break between a status tip and a tooltip.
        QFile file(QStringLiteral(ORVO_TS_ZH_CN));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString ts = QString::fromUtf8(file.readAll());
        static const QRegularExpression message(
            QStringLiteral("<source>(.*?)</source>\\s*<translation([^>]*)>(.*?)</translation>"),
            QRegularExpression::DotMatchesEverythingOption);
        static const QRegularExpression marks(QStringLiteral("%\\d|&amp;(?!amp;).|\\t"));
        auto marksOf = [](const QString& text) {
            QStringList found;
            for (const QRegularExpressionMatch& m : marks.globalMatch(text))
                found.append(m.captured().toUpper());
            found.sort();
            return found;
        };
        int entries = 0;
        for (const QRegularExpressionMatch& m : message.globalMatch(ts)) {
            ++entries;
            const QString source = m.captured(1), translation = m.captured(3);
            const QByteArray where = source.toUtf8();
            QVERIFY2(m.captured(2).isEmpty() && !translation.isEmpty(),
                     where.constData()); // finished
            QVERIFY2(marksOf(source) == marksOf(translation), where.constData());
            QVERIFY2(!source.contains(QLatin1Char('\n')) ||
                         source.count(QLatin1Char('\n')) == translation.count(QLatin1Char('\n')),
                     where.constData());
        }
        QVERIFY(entries > 300);
    }
};

ORVO_GUI_TEST_MAIN(LanguageTest)
#include "language_test.moc"
