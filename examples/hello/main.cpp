// A window whose texts Wordmill translates: the label, the window title and
// a lexicon message follow the language picked in the selector.
//
//   wordmill-hello            opens the window
//   wordmill-hello --print    prints the texts in English and in German

#include <wordmill/WordmillComp.h>
#include <wordmill/WordmillCore.h>

#include <QApplication>
#include <QLabel>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

int PrintTexts(wordmill::TWidgetFormReader &reader)
{
    auto *engine = qobject_cast<wordmill::TWordmillEngine *>(
        reader.FindComponent(u"WordmillEngine1"_s));
    auto *greeting = qobject_cast<QLabel *>(reader.FindComponent(u"Greeting"_s));
    auto *messages = qobject_cast<wordmill::TDesignedLexicon *>(
        reader.FindComponent(u"Messages"_s));
    auto *form = qobject_cast<QWidget *>(reader.Form());
    if (!engine || !greeting || !messages || !form)
        return 1;
    QTextStream out(stdout);
    for (const QString &code : {u"de"_s, u"en"_s}) {
        const QString language = engine->Translate(code);
        out << language << u": "_s << form->windowTitle() << u" | "_s << greeting->text()
            << u" | "_s << messages->Item(0) << Qt::endl;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // The engine starts when the application is first activated.
    wordmill::InstallApplicationActivationWatcher();

    wordmill::TForm form;
    wordmill::TWidgetFormReader reader(&form);
    QString error;
    if (!reader.ReadResource(u":/forms/HelloForm.json"_s, &error)) {
        QTextStream(stderr) << u"wordmill-hello: the window cannot be read: "_s << error
                            << Qt::endl;
        return 1;
    }
    if (application.arguments().contains(u"--print"_s))
        return PrintTexts(reader);

    form.show();
    return application.exec();
}
