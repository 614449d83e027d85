#include "PictureText.h"

#include <QBuffer>

#include <cstring>

namespace wordmill {

namespace {

// Scanning for holes is linear in the bytes passed; a text full of runs could
// make the decoder pass the same bytes again and again. The budget bounds the
// total work to a small multiple of the largest picture.
constexpr qint64 WorkBudget = 8 * MaxPictureSize;

class PictureDecoder
{
public:
    PictureDecoder(QByteArray &Out, QStringView Text) : Out(Out), Text(Text) {}

    void run()
    {
        uchar C = 0;
        while (next(C)) {
            bool Ok = false;
            if (C >= 33 && C <= 37) {
                Ok = stridedRun(C - 32);
            } else {
                uchar B = 0;
                Ok = decodeByte(C, B) && writeByte(B) && skipHoles();
            }
            if (!Ok)
                return;
        }
    }

private:
    bool next(uchar &C)
    {
        if (Index >= Text.size())
            return false;
        C = uchar(Text.at(Index++).unicode() & 0xFF);
        return true;
    }

    bool decodeByte(uchar C, uchar &B)
    {
        if (C == 32 || C >= 56) {
            B = C;
            return true;
        }
        if (C == 38) {
            B = 0;
            return true;
        }
        uchar N = 0;
        if (!next(N))
            return false;
        B = uchar(((int(C) - 40) * 16 + (int(N) - 40)) & 0xFF);
        return true;
    }

    bool readCount(qint64 &Count)
    {
        uchar C = 0;
        if (!next(C))
            return false;
        if (C > 39) {
            Count = C - 39;
            return true;
        }
        qint64 Number = 0;
        for (int Digits = int(C) - 32; Digits > 0; --Digits) {
            uchar D = 0;
            if (!next(D))
                return false;
            Number = Number * 88 + (D == 38 ? 0 : int(D) - 39);
        }
        Count = 87 + Number;
        // No run can be longer than the largest picture.
        return Count <= MaxPictureSize;
    }

    bool spend(qint64 Work)
    {
        Budget -= Work;
        return Budget >= 0;
    }

    bool writeByte(uchar B)
    {
        if (Pos < Out.size()) {
            Out[Pos] = char(B);
        } else {
            if (Out.size() >= MaxPictureSize)
                return false;
            Out.append(char(B));
        }
        ++Pos;
        return spend(1);
    }

    // Moves a write position that stands on a written byte on to the next
    // hole, or to the end.
    bool skipHoles()
    {
        if (Pos >= Out.size() || uchar(Out.at(Pos)) == Marker)
            return true;
        const char *Data = Out.constData();
        const qsizetype From = Pos + 1;
        const void *Hit = std::memchr(Data + From, Marker, size_t(Out.size() - From));
        const qsizetype To = Hit ? static_cast<const char *>(Hit) - Data : Out.size();
        const bool Ok = spend(To - Pos);
        Pos = To;
        return Ok;
    }

    bool markerAhead(uchar Value) const
    {
        const qsizetype End = qMin(Pos + 4, Out.size());
        for (qsizetype I = Pos + 1; I < End; ++I) {
            if (uchar(Out.at(I)) == Value)
                return true;
        }
        return false;
    }

    // The run byte equals the hole marker: pick another marker that none of
    // the next bytes holds and turn the holes ahead into the new marker.
    bool changeMarker()
    {
        const uchar Old = Marker;
        ++Marker;
        if (Out.size() - Pos < 2)
            return true;
        while (markerAhead(Marker))
            ++Marker;
        char *Data = Out.data();
        for (qsizetype I = Pos + 1; I < Out.size(); ++I) {
            if (uchar(Data[I]) == Old)
                Data[I] = char(Marker);
        }
        return spend(Out.size() - Pos);
    }

    bool stridedRun(int Stride)
    {
        qint64 Count = 0;
        uchar C = 0;
        uchar B = 0;
        if (!readCount(Count) || !next(C) || !decodeByte(C, B))
            return false;

        if (Stride == 1) {
            for (qint64 N = 0; N < Count; ++N) {
                if (!writeByte(B) || !skipHoles())
                    return false;
            }
        } else {
            if (B == Marker && !changeMarker())
                return false;
            const qsizetype Start = Pos;
            // The first copy goes to Start at the end; keep its place.
            if (Start >= Out.size() && !writeByte(Marker))
                return false;
            Pos = Start + 1;
            if (!skipHoles())
                return false;
            for (qint64 N = 0; N < Count; ++N) {
                for (int Gap = 1; Gap < Stride; ++Gap) {
                    if (Pos < Out.size() - 1) {
                        ++Pos;
                        if (!spend(1) || !skipHoles())
                            return false;
                    } else if (!writeByte(Marker)) {
                        return false;
                    }
                }
                if (!writeByte(B) || !skipHoles())
                    return false;
            }
            Pos = Start;
        }
        return writeByte(B) && skipHoles();
    }

    QByteArray &Out;
    QStringView Text;
    qsizetype Index = 0;
    qsizetype Pos = 0;
    uchar Marker = '_';
    qint64 Budget = WorkBudget;
};

} // namespace

void DecodePictureText(QByteArray &Stream, const QString &Text)
{
    Stream.clear();
    PictureDecoder(Stream, Text).run();
}

void DecodePictureText(QBuffer &Stream, const QString &Text)
{
    QByteArray Bytes;
    DecodePictureText(Bytes, Text);
    Stream.close();
    Stream.setData(Bytes);
    Stream.open(QIODevice::ReadWrite);
}

} // namespace wordmill
