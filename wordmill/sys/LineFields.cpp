#include "LineFields.h"

#include <wordmill/sys/OneLineForm.h>

namespace wordmill {

QString LineValue(const QString &Line)
{
    const qsizetype Tab = Line.indexOf(u'\t');
    if (Tab < 0)
        return QString();
    return Line.mid(Tab + 1);
}

QString ExtractField(const QString &Line, const QString &Key)
{
    if (Key.isEmpty())
        return QString();
    const qsizetype KeyPos = Line.indexOf(Key);
    if (KeyPos < 0)
        return QString();
    const qsizetype Start = KeyPos + Key.size();
    const qsizetype End = Line.indexOf(u';', Start);
    if (End < 0)
        return QString();
    return Line.mid(Start, End - Start);
}

QString ExtractQuoted(const QString &Line)
{
    const qsizetype First = Line.indexOf(u'"');
    if (First < 0)
        return QString();
    const qsizetype Last = Line.lastIndexOf(u'"');
    if (Last <= First)
        return QString();
    return Line.mid(First + 1, Last - First - 1);
}

QString ExtractQuotedText(const QString &Line)
{
    QString Text = ExtractQuoted(Line);
    EncodeControlChars(Text);
    return Text;
}

bool TryLineID(const QStringList &List, int Index, int &ID)
{
    if (Index < 0 || Index >= List.size())
        return false;
    const QString &Line = List.at(Index);
    const qsizetype Tab = Line.indexOf(u'\t');
    if (Tab <= 0)
        return false;
    bool Ok = false;
    const int Value = QStringView(Line).left(Tab).toInt(&Ok, 10);
    if (!Ok)
        return false;
    ID = Value;
    return true;
}

} // namespace wordmill
