// Print, Print Preview and Print Setup of the settings report.
#include "editor/tern_view.h"

void CTernView::OnFilePrint() {}

void CTernView::OnFilePrintPreview() {}

void CTernView::OnFilePrintSetup() {}
