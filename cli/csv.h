#pragma once
// The CSV reader and writer live in the core, shared with the window's copy and paste.
#include "image/csv.h"
