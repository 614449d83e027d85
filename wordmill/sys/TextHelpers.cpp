#include "TextHelpers.h"

namespace wordmill {

QString AsciiLowerCase(const QString &S)
{
    QString Result = S;
    for (QChar &C : Result) {
        if (C >= u'A' && C <= u'Z')
            C = QChar(char16_t(C.unicode() + (u'a' - u'A')));
    }
    return Result;
}

void ReplaceChar(QString &S, QChar Old, QChar New)
{
    if (S.contains(Old))
        S.replace(Old, New);
}

bool ContainsLetter(const QString &S)
{
    for (QChar C : S) {
        if (C.unicode() >= 65)
            return true;
    }
    return false;
}

int LastPos(const QString &Sub, int FirstPos, const QString &S)
{
    if (FirstPos <= 0)
        return 0;
    if (Sub.isEmpty())
        return FirstPos;
    const qsizetype Last = S.lastIndexOf(Sub);
    if (Last >= 0 && Last + 1 >= FirstPos)
        return int(Last + 1);
    return FirstPos;
}

QString TrimText(const QString &S)
{
    qsizetype Start = 0;
    qsizetype End = S.size();
    while (Start < End && S.at(Start).unicode() <= 32)
        ++Start;
    while (End > Start && S.at(End - 1).unicode() <= 32)
        --End;
    if (Start == 0 && End == S.size())
        return S;
    return S.mid(Start, End - Start);
}

} // namespace wordmill
