#pragma once
// Runs the application's own modal dialogs (About, Optional Features, Debug Mode, ...).
// Tests drive a dialog with real key and mouse events through a hook that gets the dialog
// already shown; no timer is needed to reach it.

#include <functional>

class QDialog;

// Drives a shown dialog in place of the user (clicks, keys). When it returns and the dialog is
// still open, the dialog is rejected, as if the user had pressed Escape.
using DialogHook = std::function<void(QDialog&)>;

// Runs `dialog` modally and returns its result (QDialog::Accepted or QDialog::Rejected).
// With a hook set, the dialog is shown and handed to the hook instead of entering a local
// event loop.
int execDialog(QDialog& dialog);

// Installs the hook that drives every following modal dialog; an empty function restores the
// real modal loop.
void setDialogHook(DialogHook hook);
