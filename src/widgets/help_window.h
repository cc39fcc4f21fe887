#pragma once
// HelpWindow: the program's own help window, showing the user manual (docs/manual.md, built into
// the program) with its links followed inside the window.

#include <QWidget>

class QTextBrowser;

class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    // A separate top-level window that stays with `parent`; not shown.
    explicit HelpWindow(QWidget* parent = nullptr);

private:
    QTextBrowser* m_browser;
};
