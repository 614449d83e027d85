#include "Unit1.h"

#include "ctrls/WidgetFormReader.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    wordmill::InstallApplicationActivationWatcher();

    TForm1 Form1;
    Form1.show();
    return application.exec();
}
