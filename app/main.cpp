// The program's start-up sequence.
#include <QMainWindow>

#include "platform/rtl/application.h"

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    TApplication::setApplicationName(QStringLiteral("orvalo5"));
    TApplication::setApplicationDisplayName(QStringLiteral("Orvalo 5"));

    QMainWindow mainWindow;
    mainWindow.setWindowTitle(QStringLiteral("Orvalo 5"));
    mainWindow.resize(1024, 700);
    mainWindow.show();
    return app.exec();
}
