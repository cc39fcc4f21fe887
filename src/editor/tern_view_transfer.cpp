// Read From Radio and Write To Radio: the commands that open the progress dialog, and the
// transfer they start.
#include "editor/tern_view.h"

void CTernView::OnReadFromRadio() {}

void CTernView::OnWriteToRadio() {}
