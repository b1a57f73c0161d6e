#include "frmMain.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The Wayland app id: lets a desktop tie the window to its menu entry (on X11 the
    // entry names the window class instead).
    QApplication::setDesktopFileName(QStringLiteral("org.brivant.Brivant"));
    auto* window = new frmMain;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return app.exec();
}
