#include "FlagSection.h"

#include <wordmill/sys/FlagBuffer.h>

#include <QBuffer>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

constexpr int BytesPerLine = 50;
// A data line is read up to this many bytes; the writer puts 50 on a line.
constexpr int MaxBytesPerLine = 256;

int hexDigit(QChar C)
{
    const char16_t U = C.unicode();
    if (U >= u'0' && U <= u'9')
        return U - u'0';
    if (U >= u'A' && U <= u'F')
        return U - u'A' + 10;
    if (U >= u'a' && U <= u'f')
        return U - u'a' + 10;
    return -1;
}

} // namespace

int HexToBin(QStringView Hex, QByteArray &Buf, int Max)
{
    const qsizetype Pairs = Hex.size() / 2;
    const int Limit = Max <= 0 ? 0 : int(qMin<qsizetype>(Pairs, Max));
    Buf.resize(Limit);
    int Count = 0;
    for (; Count < Limit; ++Count) {
        const int High = hexDigit(Hex.at(2 * Count));
        const int Low = hexDigit(Hex.at(2 * Count + 1));
        if (High < 0 || Low < 0)
            break;
        Buf[Count] = char(High * 16 + Low);
    }
    Buf.resize(Count);
    return Count;
}

void WriteFlagIcon(QStringList &List)
{
    List.append(u"0\t%FLAG_ICON"_s);
    const QByteArray Data = FlagIconBuffer().data();
    qsizetype Offset = 0;
    for (int Line = 0;; ++Line) {
        const QByteArray Chunk = Data.mid(Offset, BytesPerLine);
        List.append(QString::number(Line) + u'\t' + QString::fromLatin1(Chunk.toHex().toUpper()));
        Offset += Chunk.size();
        if (Chunk.size() < BytesPerLine)
            break;
    }
    FlagIconBuffer().seek(0);
}

void ReadFlagIcon(const QStringList &List, int Index)
{
    QByteArray Picture;
    QByteArray Bytes;
    for (qsizetype I = qMax(Index, 0); I < List.size(); ++I) {
        const QString &Line = List.at(I);
        const qsizetype Tab = Line.indexOf(u'\t');
        if (Tab < 0)
            continue;
        HexToBin(QStringView(Line).mid(Tab + 1), Bytes, MaxBytesPerLine);
        Picture.append(Bytes);
    }
    QBuffer &Buffer = FlagIconBuffer();
    Buffer.close();
    Buffer.setData(Picture);
    Buffer.open(QIODevice::ReadWrite);
}

} // namespace wordmill
