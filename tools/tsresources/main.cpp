// wordmill-tsresources: fills the resource-string translator of a form's
// stored definition from the Qt translation sources (.ts) lupdate writes for
// the application, so that the translator knows every text the application
// fetches through QCoreApplication::translate.
//
//   wordmill-tsresources [--component NAME] [--output FILE] FORM.json FILE.ts...
//
// The translator's "Units" and "Resources" lists are replaced by what the
// .ts files hold; everything else in the definition stays as it is. Without
// --output the definition is rewritten in place.

#include <wordmill/core/ResourcesTranslator.h>
#include <wordmill/core/TsReader.h>
#include <wordmill/sys/SaveFile.h>
#include <wordmill/toolkit/StoredLists.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

using namespace wordmill;
using namespace Qt::StringLiterals;

namespace {

int failWith(const QString &message)
{
    std::fprintf(stderr, "wordmill-tsresources: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"wordmill-tsresources"_s);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Fills a form's resource-string translator from Qt translation sources."_s);
    parser.addHelpOption();
    const QCommandLineOption componentOption(
        u"component"_s, u"Name of the translator (default: the first one)."_s, u"name"_s);
    const QCommandLineOption outputOption(
        u"output"_s, u"Where to write the definition (default: in place)."_s, u"file"_s);
    parser.addOption(componentOption);
    parser.addOption(outputOption);
    parser.addPositionalArgument(u"form"_s, u"The form's stored definition (JSON)."_s);
    parser.addPositionalArgument(u"ts"_s, u"Translation sources written by lupdate."_s, u"ts..."_s);
    parser.process(app);
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() < 2)
        parser.showHelp(1);

    const QString formFile = arguments.first();
    QFile input(formFile);
    if (!input.open(QIODevice::ReadOnly))
        return failWith(formFile + u": "_s + input.errorString());
    QJsonParseError parseError;
    QJsonDocument document = QJsonDocument::fromJson(input.readAll(), &parseError);
    input.close();
    if (!document.isObject())
        return failWith(formFile + u": "_s + parseError.errorString());

    QJsonObject root = document.object();
    QJsonArray components = root.value(u"components"_s).toArray();
    const QString wanted = parser.value(componentOption);
    qsizetype found = -1;
    for (qsizetype i = 0; i < components.size() && found < 0; ++i) {
        const QJsonObject component = components.at(i).toObject();
        if (component.value(u"class"_s).toString() == u"TCustomResourcesTranslator"_s &&
            (wanted.isEmpty() || component.value(u"name"_s).toString() == wanted))
            found = i;
    }
    if (found < 0)
        return failWith(formFile + u": no resource-string translator"_s +
                        (wanted.isEmpty() ? QString() : u" named "_s + wanted));

    TCustomResourcesTranslator translator;
    for (const QString &tsFile : arguments.mid(1)) {
        QString error;
        if (!ReadTsFile(tsFile, translator.List, translator.UnitList, &error))
            return failWith(error);
    }

    QJsonObject component = components.at(found).toObject();
    QJsonObject properties = component.value(u"properties"_s).toObject();
    properties.remove(u"Units"_s);
    properties.remove(u"Resources"_s);
    for (const TStoredList &list : translator.WriteStoredLists(nullptr))
        properties.insert(list.Name, StoredListToJson(list.Values));
    component.insert(u"properties"_s, properties);
    components.replace(found, component);
    root.insert(u"components"_s, components);

    const QString outputFile = parser.isSet(outputOption) ? parser.value(outputOption) : formFile;
    const QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);
    const QString failure = SaveFileContents(outputFile, bytes);
    if (!failure.isEmpty())
        return failWith(outputFile + u": "_s + failure);
    std::printf("%s: %d texts in %d units\n", qPrintable(outputFile),
                translator.RegisteredStrings(), translator.UnitList.Count());
    return 0;
}
