// The window in the language the system asks for: Chinese menus and messages under
// LANG=zh_CN.UTF-8 (the environment of this test's entry), English ones otherwise, channel data
// that stays the same whichever the window speaks, a Chinese file complete in every entry and a
// Chinese manual that names every menu command.
#include "gui_test_support.h"
#include "reliability_support.h"

#include "core/editing/frequency_check.h"
#include "core/image/channel_codec.h"
#include "core/image/settings_codec.h"
#include "core/message/translate_noop.h"
#include "document/language.h"
#include "document/message_text.h"
#include "document/settings.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QTreeWidget>
#include <QMenu>
#include <QRegularExpression>

class LanguageTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { quietPlatformWarnings(); }

    void theWindowSpeaksChineseUnderAChineseLocale()
    {
        QCOMPARE(startLanguage(Settings()), Language::Chinese);
        QVERIFY(installTranslations(*qApp, startLanguage(Settings()))); // the window's and Qt's own
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
        // The tone list's Off reads 关 as well; typed, it is taken for Off.
        clickCell(1, orvo::kColRxTone);
        QTRY_COMPARE(openEditor(), QStringLiteral("cmbTone"));
        named<QComboBox>(QStringLiteral("cmbTone"))->setEditText(QString::fromUtf8("关"));
        press(Qt::Key_Return);
        QCOMPARE(cellText(1, orvo::kColRxTone), QString::fromUtf8("关"));
        ctrl(Qt::Key_S);
        const orvo::ChannelTexts saved = orvo::decodeChannel(fromBytes(readFileBytes(file)), 1);
        QCOMPARE(saved[orvo::kColWidth - 1], std::string("Wide"));
        QCOMPARE(saved[orvo::kColRxTone - 1], std::string()); // no tone

        // A file error, an import preview's skipped lines, a paste refusal and a verify
        // difference speak Chinese: no three English words in a row anywhere they show.
        QStringList shown;
        answers.dialogDriver = [&shown](QDialog& dialog) {
            for (const QLabel* label : dialog.findChildren<QLabel*>())
                shown << label->text();
            for (const QTreeWidget* list : dialog.findChildren<QTreeWidget*>())
                for (int i = 0; i < list->topLevelItemCount(); ++i)
                    for (int c = 0; c < list->columnCount(); ++c)
                        shown << list->topLevelItem(i)->text(c);
        };
        writeFileBytes(folder.filePath("short.sin"), QByteArray(10, 0));
        writeFileBytes(folder.filePath("bad.csv"), "CH,Receive(MHz),Transmit(MHz),Rx Tone,Tx Tone,"
                                                   "Busy,W/N,Scan,Power\n1,146,,,,Maybe,,,\n");
        answers.fileAnswers = {folder.filePath("short.sin"), folder.filePath("bad.csv")};
        ctrl(Qt::Key_O);
        clickMenu("menuFile", "ID_IMPORT_CHANNELS");
        QApplication::clipboard()->setText(QStringLiteral("1\t999\t\t\t\tMaybe\t\t\t\n"));
        clickCell(2, 0);
        ctrl(Qt::Key_V);
        orvo::RadioImage other = fromBytes(readFileBytes(file));
        orvo::encodeChannel({"146.52000", "146.52000"}, other, 4);
        SimProcess radio({"--delay", "10"}, &other);
        qputenv("ORVO_COM1", QByteArray::fromStdString(radio.path()));
        clickMenu("menuProgram", "ID_VERIFY_WITH_RADIO");
        startAndWait();
        QCOMPARE(answers.boxes.size(), 3); // the first box and the two above
        QVERIFY2(shown.size() > 10, qPrintable(shown.join(QLatin1Char('\n'))));
        shown += answers.texts();
        const QRegularExpression english(QStringLiteral("[A-Za-z]{2,}( [A-Za-z]{2,}){2}"));
        for (const QString& text : shown)
            QVERIFY2(!english.match(text).hasMatch(), qPrintable(text));
    }

    void everyMessageAndWordOfTheCoreHasItsTranslation()
    {
        // Each kind's words have their own Chinese; that a translation keeps its placeholders is
        // theChineseFileIsCompleteAndKeepsItsMarks'.
        QVERIFY(installTranslations(*qApp, Language::Chinese));
        for (const orvo::MessagePattern& entry : orvo::messagePatterns()) {
            const QString english = QString::fromUtf8(entry.pattern);
            const QString chinese = translatedText(entry.kind);
            // Patterns of placeholders and punctuation alone may read the same.
            if (english.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))))
                QVERIFY2(chinese != english, entry.pattern);
        }
        std::vector<std::string> words{"Yes", "No",     "Wide", "Narrow",
                                       "Add", "Delete", "High", "Low"};
        for (const orvo::SettingBoxInfo& box : orvo::settingBoxes()) {
            words.push_back(box.label);
            words.insert(words.end(), box.entries.begin(), box.entries.end());
        }
        words.insert(words.end(), orvo::channelColumnHeaders().begin(),
                     orvo::channelColumnHeaders().end());
        for (const std::string& word : words) {
            // Numbers, bands and the model read the same in Chinese.
            if (word.find_first_of("0123456789") == std::string::npos && word != "ZT-4")
                QVERIFY2(translatedWord(word) != QString::fromStdString(word), word.c_str());
        }
        // The system's reason is an argument: it stays as it is under translated words.
        const QString reason = QStringLiteral("/dev/ttyUSB0: Device or resource busy");
        QCOMPARE(translatedText({orvo::MessageKind::OpenFailedBecause, {reason.toStdString()}}),
                 translatedText(orvo::MessageKind::OpenFailed) + QLatin1Char('\n') + reason);
    }

    void theWindowSpeaksEnglishOtherwise()
    {
        QVERIFY(installTranslations(*qApp, Language::English));
        auto app = startApp();
        QCOMPARE(named<QMenu>(QStringLiteral("menuFile"))->title(), QStringLiteral("&File"));
        DialogAnswers answers; // View > Language says when it takes effect
        // View > Language overrides the locale from the next start on, either way.
        command("language_en")->trigger();
        QCOMPARE(startLanguage(Settings()), Language::English);
        qputenv("LC_ALL", "C");
        command("language_zh_CN")->trigger();
        QCOMPARE(startLanguage(Settings()), Language::Chinese);
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
