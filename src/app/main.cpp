// orvo: the desktop application. An optional argument names a channel data file to open.
#include "app/tern_app.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvo"));
    QApplication::setDesktopFileName(QStringLiteral("orvo"));

    CTernApp theApp;
    if (!theApp.InitInstance(QApplication::arguments().mid(1)))
        return 1;
    return application.exec();
}
