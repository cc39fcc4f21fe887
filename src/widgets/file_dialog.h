#pragma once
// The file dialogs of the application (open and save names). Tests answer them through a hook
// set before the action, so no real dialog appears.

#include <QString>

#include <functional>

class QWidget;

// What a file dialog asks, as handed to the hook.
struct FileDialogRequest
{
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    QWidget* parent = nullptr;
    QString caption;
    QString proposed;      // the folder, or the file name offered in a save dialog
    QString filter;        // Qt filter list, e.g. "Channel Data (*.sin);;All Files (*)"
    QString defaultSuffix; // without the dot; empty for open dialogs
    // Where a save dialog that offers a choice of formats puts the filter the user picked (its
    // first, unless the hook sets another); null for the other dialogs.
    QString* chosenFilter = nullptr;
};

// Answers a file dialog in place of the user: the chosen path, or an empty string for Cancel.
using FileDialogHook = std::function<QString(const FileDialogRequest&)>;

// Asks for an existing file to open; returns its path, or an empty string when cancelled.
QString getOpenFileName(QWidget* parent, const QString& caption, const QString& proposed,
                        const QString& filter);

// Asks for the name to save under; asks before replacing an existing file. A chosen name
// without an extension gets `defaultSuffix`. Returns an empty string when cancelled. With
// `chosenFilter`, the filters of `filter` are a choice of formats and the one picked goes there.
QString getSaveFileName(QWidget* parent, const QString& caption, const QString& proposed,
                        const QString& filter, const QString& defaultSuffix,
                        QString* chosenFilter = nullptr);

// Installs the hook that answers every following file dialog; an empty function restores the
// real dialogs.
void setFileDialogHook(FileDialogHook hook);
