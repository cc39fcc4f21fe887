#include "widgets/message_box.h"

#include <QAbstractButton>
#include <QCoreApplication>

#include <utility>

namespace {

MessageBoxHook& messageBoxHook()
{
    static MessageBoxHook hook;
    return hook;
}

// What Escape or the close box answer: the most cautious button the box offers.
QMessageBox::StandardButton escapeAnswer(QMessageBox::StandardButtons buttons)
{
    for (auto b : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok}) {
        if (buttons.testFlag(b))
            return b;
    }
    return QMessageBox::NoButton;
}

QMessageBox::StandardButton showBox(const MessageBoxRequest& request)
{
    if (const auto& hook = messageBoxHook())
        return hook(request);

    const auto buttons = request.buttons;
    const auto defaultButton = request.defaultButton;
    QMessageBox box(request.icon, request.caption, request.text, buttons, request.parent);
    if (!request.okText.isEmpty() && box.button(QMessageBox::Ok))
        box.button(QMessageBox::Ok)->setText(request.okText);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    const auto escape = escapeAnswer(buttons);
    if (escape != QMessageBox::NoButton)
        box.setEscapeButton(escape);
    const int answer = box.exec();
    if (answer == QMessageBox::NoButton || !buttons.testFlag(QMessageBox::StandardButton(answer)))
        return escape;
    return QMessageBox::StandardButton(answer);
}

} // namespace

QString appTitle()
{
    return QCoreApplication::translate("MessageBox", "Orvo Programming Software");
}

QMessageBox::StandardButton messageBox(QWidget* parent, const QString& text, const QString& caption,
                                       QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                       QMessageBox::StandardButton defaultButton)
{
    return showBox({parent, text, caption.isEmpty() ? appTitle() : caption, icon, buttons,
                    defaultButton, QString()});
}

bool continueOrCancel(QWidget* parent, const QString& text)
{
    return showBox({parent, text, appTitle(), QMessageBox::Warning,
                    QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel,
                    QCoreApplication::translate("MessageBox", "Continue")}) == QMessageBox::Ok;
}

void setMessageBoxHook(MessageBoxHook hook)
{
    messageBoxHook() = std::move(hook);
}
