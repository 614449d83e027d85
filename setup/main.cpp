#include "Unit1.h"

#include <wordmill/ctrls/ActivationWatcher.h>

#include <QApplication>
#include <QFont>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // The window is designed in Tahoma; where it is missing, a face of
    // similar width keeps the captions inside their buttons.
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    wordmill::InstallApplicationActivationWatcher();

    TForm1 Form1;
    Form1.show();
    return application.exec();
}
