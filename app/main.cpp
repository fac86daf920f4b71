#include "app/Form1.h"
#include "platform/desktop/DesktopPlatform.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    platform::DesktopPlatform desktop;
    Form1 form(desktop.services());
    form.show();
    return application.exec();
}
