#pragma once
// The modal-dialog hook lives with the other window services.
#include "ui/modal_dialog.h"
