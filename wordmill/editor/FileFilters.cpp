#include "FileFilters.h"

#include <wordmill/sys/TextHelpers.h>

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

// A title may not contain the pair separator.
QString Title(QString Text)
{
    ReplaceChar(Text, u'|', u';');
    return Text;
}

} // namespace

QString LanguageFilesFilter(const QString &LanguageFiles, const QString &Extension)
{
    const QString x = AsciiLowerCase(Extension);
    return Title(LanguageFiles) + u" (*"_s + x + u")|*"_s + x;
}

QString BuildImportFilter(const QString &LanguageFiles, const QString &LexiconFiles,
                          const QString &OlderFiles, const QString &TextFiles,
                          const QString &Extension)
{
    const QString a = Title(LanguageFiles);
    const QString b = Title(LexiconFiles);
    const QString x = AsciiLowerCase(Extension);
    QString all = u"*.wlx;*"_s + x;
    if (x != u".lng"_s)
        all += u";*.lng"_s;
    if (x != u".txt"_s)
        all += u";*.txt"_s;
    return a + u" ("_s + all + u")|"_s + all + u'|' + b + u" (*.wlx)|*.wlx|"_s + a + u" (*"_s + x +
           u")|*"_s + x + u'|' + Title(OlderFiles) + u" (*.lng)|*.lng|"_s + Title(TextFiles) +
           u" (*.txt)|*.txt"_s;
}

QString ExportFilter(const QString &LexiconFiles, const QString &TextFiles)
{
    return Title(LexiconFiles) + u" (*.wlx)|*.wlx|"_s + Title(TextFiles) + u" (*.txt)|*.txt"_s;
}

QStringList FileDialogFilters(const QString &Filter)
{
    QStringList filters;
    const QStringList parts = Filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        const QString patterns = QString(parts.at(i + 1)).replace(u';', u' ').trimmed();
        // "Text files (*.txt)" already names its patterns: Qt reads them
        // from the last parentheses, so they are given once, Qt's way.
        const qsizetype open = description.lastIndexOf(u'(');
        if (open >= 0 && description.endsWith(u')'))
            description = description.left(open).trimmed();
        filters.append(description + u" ("_s + patterns + u')');
    }
    return filters;
}

QString ExportFileName(const QString &FileName, int FilterIndex)
{
    const QString suffix = QFileInfo(FileName).suffix();
    if (suffix.size() + 1 == 4)
        return FileName;
    return FileName + (FilterIndex == 2 ? u".txt"_s : u".wlx"_s);
}

} // namespace wordmill
