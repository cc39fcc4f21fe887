#include "widgets/file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>

#include <utility>

namespace {

FileDialogHook& fileDialogHook()
{
    static FileDialogHook hook;
    return hook;
}

QString withSuffix(const QString& path, const QString& suffix)
{
    if (path.isEmpty() || suffix.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + suffix;
}

} // namespace

QString getOpenFileName(QWidget* parent, const QString& caption, const QString& proposed,
                        const QString& filter)
{
    if (const auto& hook = fileDialogHook())
        return hook({FileDialogRequest::Mode::Open, parent, caption, proposed, filter, {}});

    QFileDialog dialog(parent, caption, proposed, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString getSaveFileName(QWidget* parent, const QString& caption, const QString& proposed,
                        const QString& filter, const QString& defaultSuffix, QString* chosenFilter)
{
    if (chosenFilter)
        *chosenFilter = filter.section(QStringLiteral(";;"), 0, 0);
    if (const auto& hook = fileDialogHook()) {
        return withSuffix(hook({FileDialogRequest::Mode::Save, parent, caption, proposed, filter,
                                defaultSuffix, chosenFilter}),
                          defaultSuffix);
    }

    QFileDialog dialog(parent, caption, proposed, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    if (chosenFilter)
        *chosenFilter = dialog.selectedNameFilter();
    return withSuffix(dialog.selectedFiles().constFirst(), defaultSuffix);
}

void setFileDialogHook(FileDialogHook hook)
{
    fileDialogHook() = std::move(hook);
}
