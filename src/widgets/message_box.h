#pragma once
// The one way the application shows a message box. Every box of the program goes through
// messageBox, so tests can answer boxes (and see their text, caption, icon and buttons)
// through a hook set before the action, without any real window.

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// The application's title: the main window's caption and the caption of a message box that
// names no caption of its own.
QString appTitle();

// Everything a message box shows, as handed to the hook.
struct MessageBoxRequest
{
    QWidget* parent = nullptr;
    QString text;
    QString caption; // never empty: appTitle() when the caller gave none
    QMessageBox::Icon icon = QMessageBox::Warning;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QString okText; // the Ok button's own text ("Continue"); empty: the usual "OK"
};

// Answers a message box in place of the user; returns the button "pressed".
using MessageBoxHook = std::function<QMessageBox::StandardButton(const MessageBoxRequest&)>;

// Shows a modal message box and returns the button the user pressed (Escape or the close box
// give the Cancel, No or Ok button, whichever the box has, in that order of preference).
// An empty caption means appTitle(). With a hook set, no box appears: the hook answers.
QMessageBox::StandardButton
messageBox(QWidget* parent, const QString& text, const QString& caption = QString(),
           QMessageBox::Icon icon = QMessageBox::Warning,
           QMessageBox::StandardButtons buttons = QMessageBox::Ok,
           QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// A warning answered Continue (the Ok button, renamed) or Cancel, the default; true for Continue.
bool continueOrCancel(QWidget* parent, const QString& text);

// Installs the hook that answers every following message box; an empty function restores the
// real boxes. Tests set it before the action that shows a box.
void setMessageBoxHook(MessageBoxHook hook);
