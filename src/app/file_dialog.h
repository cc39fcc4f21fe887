#pragma once
// The file dialogs live with the other window services.
#include "ui/file_dialog.h"
