// Test Mode: the on-line adjustment dialog, opened with the chosen port and the band's lower edge.
#include "editor/tern_view.h"

void CTernView::OnTestMode() {}
