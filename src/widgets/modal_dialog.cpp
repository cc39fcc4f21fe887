#include "widgets/modal_dialog.h"

#include <QDialog>

#include <utility>

namespace {

DialogHook& dialogHook()
{
    static DialogHook hook;
    return hook;
}

} // namespace

int execDialog(QDialog& dialog)
{
    const DialogHook hook = dialogHook(); // a copy: the hook may replace itself
    if (!hook)
        return dialog.exec();

    dialog.setResult(QDialog::Rejected);
    dialog.show();
    hook(dialog);
    if (dialog.isVisible())
        dialog.reject();
    return dialog.result();
}

void setDialogHook(DialogHook hook)
{
    dialogHook() = std::move(hook);
}
