#include "ItemAddress.h"

namespace wordmill {

QString SanitizeName(const QString &S)
{
    QString Result = S;
    for (QChar &C : Result) {
        if (C == u'.')
            C = u':';
        else if (C == u',' || C == u';' || C == u'"')
            C = u' ';
    }
    return Result;
}

QString MakeIdentifier(const QString &S)
{
    QString Result;
    Result.reserve(S.size() + 1);
    for (QChar C : S) {
        const bool Digit = C >= u'0' && C <= u'9';
        if (Digit) {
            if (Result.isEmpty())
                Result.append(u'_');
            Result.append(C);
        } else if (C.unicode() > 64) {
            Result.append(C);
        }
    }
    return Result;
}

QString IndexText(int N)
{
    return QString::number(N);
}

QString AppendIndex(const QString &S, int N)
{
    return S + u',' + QString::number(N);
}

QString AppendIndexText(const QString &S, const QString &T)
{
    return S + u',' + T;
}

QString AppendPropertyID(const QString &S, int N)
{
    return S + u'.' + QString::number(N & 127);
}

QString AppendSubID(const QString &S, int N)
{
    return S + u'.' + QString::number(N);
}

QString AppendName(const QString &S, const QString &T)
{
    return S + u'.' + T;
}

} // namespace wordmill
