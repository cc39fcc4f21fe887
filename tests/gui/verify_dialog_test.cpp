// What Verify With Radio and a verified write tell the user about a radio that differs from the
// document: the dialog's statement, its list of fields, its line per kind of unshown byte and the
// count behind Details, and the verified write's message, which stays a screen high.
#include "gui_test_support.h"
#include "reliability_support.h"

#include "core/image/channel_codec.h"
#include "core/image/image_diff.h"
#include "core/link/verify.h"
#include "widgets/verify_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

class VerifyDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void eachRadioGetsItsStatementFieldsAndByteLines()
    {
        const orvo::RadioImage document = reliability::documentImage();
        const auto channel3 = [](orvo::RadioImage& radio) {
            orvo::encodeChannel(
                {"152.00000", "151.82500", "D023N", "D023N", "Yes", "Narrow", "Add", "Low"}, radio,
                3);
        };
        const auto unusedByte = [](orvo::RadioImage& radio) { radio.record(10)[15] ^= 0x01; };
        const struct
        {
            std::function<void(orvo::RadioImage&)> change;
            QStringList shown; // the statement, the list's rows, the byte lines, Details' count
        } rows[] = {
            {[](orvo::RadioImage&) {}, {"The radio holds what the document holds."}},
            {[&](orvo::RadioImage& radio) {
                 channel3(radio);
                 unusedByte(radio);
                 radio[0x3FA] ^= 0x01;
             },
             {"The radio's channels and settings differ from the document's in 1 field:",
              "CH 3 Receive(MHz),6",
              "1 empty channel differs only in unused bytes: a Write makes it equal.\n1 byte(s) "
              "outside the channels differ where no setting shows them.",
              "2"}},
            {unusedByte,
             {"The radio's channels and settings equal the document's.",
              "1 empty channel differs only in unused bytes: a Write makes it equal.", "1"}},
            {[&](orvo::RadioImage& radio) {
                 channel3(radio);
                 radio[0x3C1] = 0x03;
             },
             {"The radio's channels and settings differ from the document's in 2 fields:",
              "Squelch Level,120", "CH 3 Receive(MHz),6"}},
        };
        for (const auto& row : rows) {
            orvo::RadioImage radio = document;
            row.change(radio);
            VerifyDialog dialog(document, radio, nullptr);
            dialog.show();
            QStringList shown{dialog.findChild<QLabel*>(QStringLiteral("lblSummary"))->text()};
            auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("lstDifferences"));
            for (int i = 0; list->isVisible() && i < list->topLevelItemCount(); ++i)
                shown << list->topLevelItem(i)->text(0) + ',' + list->topLevelItem(i)->text(3);
            auto* bytes = dialog.findChild<QLabel*>(QStringLiteral("lblBytes"));
            if (bytes->isVisible())
                shown << bytes->text();
            if (auto* details = dialog.findChild<QPushButton*>(QStringLiteral("btnDetails"))) {
                auto* byteList = dialog.findChild<QTreeWidget*>(QStringLiteral("lstBytes"));
                QTest::mouseClick(details, Qt::LeftButton);
                shown << QString::number(byteList->isVisible() ? byteList->topLevelItemCount() : -1);
            }
            QCOMPARE(shown, row.shown);
        }
    }

    // A radio that holds other data in every channel: twelve lines and a count of the others.
    void aVerifiedWritesMessageStaysAScreenHigh()
    {
        const orvo::RadioImage document = reliability::documentImage();
        orvo::RadioImage radio = document;
        for (int ch = 1; ch <= orvo::kChannelCount; ++ch)
            orvo::encodeChannel({"150.00000", "150.00000"}, radio, ch);
        const auto differences = orvo::compareImages(document, radio);
        QVERIFY(differences.size() > 30);
        const QStringList lines =
            QString::fromStdString(orvo::messageText(orvo::verifyFailureMessage(differences))).split('\n');
        QCOMPARE(lines.size(), 14);
        QCOMPARE(lines.last(), QStringLiteral("... and %1 more").arg(differences.size() - 12));
    }
};

ORVO_GUI_TEST_MAIN(VerifyDialogTest)
#include "verify_dialog_test.moc"
