#include "OneLineForm.h"

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

constexpr char16_t Apostrophe = u'\'';

bool isDigit(QChar C)
{
    return C >= u'0' && C <= u'9';
}

} // namespace

QString FormatCharCode(int Code)
{
    return u"'#"_s + QString::number(Code) + u'\'';
}

bool EncodeControlChars(QString &S)
{
    qsizetype First = 0;
    while (First < S.size() && S.at(First).unicode() >= 32)
        ++First;
    if (First == S.size())
        return false;

    QString Result;
    Result.reserve(S.size() + 8);
    Result.append(QStringView(S).left(First));
    for (qsizetype I = First; I < S.size(); ++I) {
        const char16_t C = S.at(I).unicode();
        if (C >= 32)
            Result.append(QChar(C));
        else if (C != 0)
            Result.append(FormatCharCode(C));
    }
    S = Result;
    return true;
}

bool EncodeChar(QString &S, QChar Ch)
{
    if (!S.contains(Ch))
        return false;
    S.replace(Ch, FormatCharCode(Ch.unicode()));
    return true;
}

void DecodeControlChars(QString &S)
{
    const qsizetype Len = S.size();
    const QChar *Data = S.constData();
    QString Result;
    qsizetype PendingStart = 0; // start of the text not yet copied to Result
    bool Decoded = false;

    // Most texts hold no escape at all: find the first apostrophe with the
    // library's vectorised search instead of walking every character.
    qsizetype I = S.indexOf(Apostrophe);
    if (I < 0)
        return;
    while (I < Len) {
        if (Data[I] != Apostrophe) {
            ++I;
            continue;
        }
        qsizetype EscapeStart = I; // the pending text ends before the apostrophe
        qsizetype J = I + 1;
        if (J < Len && Data[J] == u' ')
            ++J;
        bool Any = false;
        // A "#" needs at least one character after it to be an escape.
        while (J < Len - 1 && Data[J] == u'#') {
            qsizetype K = J + 1;
            if (!isDigit(Data[K]))
                break;
            quint32 Code = 0;
            bool TooLarge = false;
            while (K < Len && isDigit(Data[K])) {
                Code = Code * 10 + (Data[K].unicode() - u'0');
                ++K;
                if (Code > 65535) {
                    TooLarge = true;
                    break;
                }
            }
            if (TooLarge)
                break;
            if (K < Len && Data[K] == u' ')
                ++K;
            // A closing apostrophe ends the escape: a "#" after it is text,
            // so that a line break before "#1" survives a round trip.
            const bool Closed = K < Len && Data[K] == Apostrophe;
            if (Closed)
                ++K;
            if (!Decoded) {
                Result.reserve(Len);
                Decoded = true;
            }
            Result.append(QStringView(Data + PendingStart, EscapeStart - PendingStart));
            Result.append(QChar(char16_t(Code)));
            PendingStart = K;
            EscapeStart = K;
            J = K;
            Any = true;
            if (Closed)
                break;
        }
        I = Any ? J : I + 1;
    }
    if (!Decoded)
        return;
    Result.append(QStringView(Data + PendingStart, Len - PendingStart));
    S = Result;
}

QString TrimControlChars(const QString &S, bool KeepEscaped)
{
    const qsizetype Len = S.size();
    if (Len == 0)
        return QString();

    // Leading run of characters up to code 32: cut through its last control character.
    qsizetype Start = 0;
    for (qsizetype I = 0; I < Len && S.at(I).unicode() <= 32; ++I) {
        if (S.at(I).unicode() < 32)
            Start = I + 1;
    }
    // Trailing run: cut from its first control character to the end.
    qsizetype End = Len;
    for (qsizetype I = Len - 1; I >= Start && S.at(I).unicode() <= 32; --I) {
        if (S.at(I).unicode() < 32)
            End = I;
    }

    QString Result = S.mid(Start, End - Start);
    if (KeepEscaped) {
        EncodeControlChars(Result);
    } else {
        for (QChar &C : Result) {
            if (C == u'\r' || C == u'\n')
                C = u' ';
        }
    }
    return Result;
}

} // namespace wordmill
