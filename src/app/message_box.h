#pragma once
// The application's message box lives with the other window services.
#include "ui/message_box.h"
