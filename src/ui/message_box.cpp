#include "ui/message_box.h"

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

} // namespace

QString AppTitle()
{
    return QStringLiteral("Orvo Programming Software");
}

QMessageBox::StandardButton AppMessageBox(QWidget* parent, const QString& text,
                                          const QString& caption, QMessageBox::Icon icon,
                                          QMessageBox::StandardButtons buttons,
                                          QMessageBox::StandardButton defaultButton)
{
    MessageBoxRequest request{parent, text,    caption.isEmpty() ? AppTitle() : caption,
                              icon,   buttons, defaultButton};
    if (const auto& hook = messageBoxHook())
        return hook(request);

    QMessageBox box(request.icon, request.caption, request.text, request.buttons, parent);
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

void setMessageBoxHook(MessageBoxHook hook)
{
    messageBoxHook() = std::move(hook);
}
