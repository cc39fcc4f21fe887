#include "app/radio_prompt.h"

#include "serial/radio_worker.h"
#include "widgets/message_box.h"

void answerRadioQuestion(orvo::RadioLink& link, QWidget* parent, const QString& text,
                         bool retryCancel, const RadioPromptStyle& style)
{
    if (retryCancel) {
        const auto pressed =
            messageBox(parent, text, style.caption, style.retryIcon,
                       QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry);
        link.answer(pressed == QMessageBox::Retry);
        return;
    }
    messageBox(parent, text, style.caption, style.okIcon, QMessageBox::Ok);
    link.answer(false);
}
