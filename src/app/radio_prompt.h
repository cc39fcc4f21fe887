#pragma once
// The one way a question of the radio worker reaches the user, for the transfers and the test mode
// alike: a message box over the dialog that runs the job, its answer handed back to the link.

#include <QMessageBox>
#include <QString>

class QWidget;

namespace orvo {
class RadioLink;
}

// How a controller's questions look: the caption (empty: the program's title), the icon of a
// Retry / Cancel question and the icon of one answered with OK.
struct RadioPromptStyle
{
    QString caption;
    QMessageBox::Icon retryIcon = QMessageBox::NoIcon;
    QMessageBox::Icon okIcon = QMessageBox::Warning;
};

// Shows `text` over `parent` with Retry / Cancel (Retry the default) or OK, and gives `link` the
// answer: Retry, or Cancel for anything else.
void answerRadioQuestion(orvo::RadioLink& link, QWidget* parent, const QString& text,
                         bool retryCancel, const RadioPromptStyle& style);
