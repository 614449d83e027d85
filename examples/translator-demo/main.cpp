// A small application whose texts, and Qt's own, follow the language picked
// in its language combo box: a resource-string translator filled from the
// application's .ts file places Wordmill's language files in Qt's
// translation lookup.
//
//   translator-demo [--language NAME_OR_CODE] [--message] [--menu]

#include "DemoWindow.h"

#include <wordmill/comp/WordmillEngine.h>
#include <wordmill/ctrls/ActivationWatcher.h>

#include <QApplication>
#include <QCommandLineParser>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption language(u"language"_s, u"Start in this language."_s, u"name"_s);
    const QCommandLineOption message(u"message"_s, u"Open the question at once."_s);
    const QCommandLineOption menu(u"menu"_s, u"Open the line edit's context menu at once."_s);
    parser.addOption(language);
    parser.addOption(message);
    parser.addOption(menu);
    parser.process(application);
    wordmill::InstallApplicationActivationWatcher();

    DemoWindow window;
    window.show();
    if (parser.isSet(language))
        window.Engine()->SetCurrentLanguage(parser.value(language));
    if (parser.isSet(message))
        window.ShowMessage();
    if (parser.isSet(menu))
        window.ShowContextMenu();
    return application.exec();
}
