// In-place editing of the channel grid: the grid's events, the Enter key and the status-bar
// hints. The editors themselves are created (hidden) by OnInitialUpdate.
#include "editor/tern_view.h"

#include <QKeyEvent>

bool CTernView::PreTranslateMessage(QWidget* focus, QKeyEvent* event)
{
    Q_UNUSED(focus);
    Q_UNUSED(event);
    return false;
}

void CTernView::OnSetCursor(QWidget* under)
{
    Q_UNUSED(under);
}

void CTernView::OnDblClickGrid() {}

void CTernView::OnEnterCellGrid() {}

void CTernView::OnLeaveCellGrid() {}

void CTernView::OnKeyPressGrid(short* KeyAscii)
{
    Q_UNUSED(KeyAscii);
}

void CTernView::OnMouseDownGrid(short Button, short Shift, int x, int y)
{
    Q_UNUSED(Button);
    Q_UNUSED(Shift);
    Q_UNUSED(x);
    Q_UNUSED(y);
}
