#include "TextLines.h"

#include <QByteArray>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QSysInfo>

namespace wordmill {

namespace {

QString decodeWith(QStringConverter::Encoding Encoding, QByteArrayView Bytes)
{
    // The mark has been cut off already; a second one belongs to the text.
    QStringDecoder Decoder(Encoding, QStringConverter::Flag::ConvertInitialBom);
    return Decoder.decode(Bytes);
}

} // namespace

TTextEncoding DetectTextEncoding(QByteArrayView Bytes)
{
    if (Bytes.startsWith("\xFF\xFE"))
        return {QStringConverter::Utf16LE, 2, 2};
    if (Bytes.startsWith("\xFE\xFF"))
        return {QStringConverter::Utf16BE, 2, 2};
    if (Bytes.startsWith("\xEF\xBB\xBF"))
        return {QStringConverter::Utf8, 3, 1};
    return {};
}

QString DecodeTextPart(QByteArrayView Part, QStringConverter::Encoding Encoding)
{
    return decodeWith(Encoding, Part);
}

QString DecodeText(QByteArrayView Bytes)
{
    const TTextEncoding Found = DetectTextEncoding(Bytes);
    return decodeWith(Found.Encoding, Bytes.sliced(Found.MarkSize));
}

QStringView TextView(QByteArrayView Bytes, QString &Storage)
{
    const char *Mark = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "\xFF\xFE" : "\xFE\xFF";
    const qsizetype Size = Bytes.size() - 2;
    const char *Data = Bytes.data() + 2;
    // An odd last byte is the decoder's to judge.
    if (Bytes.startsWith(Mark) && Size % 2 == 0 &&
        reinterpret_cast<quintptr>(Data) % alignof(char16_t) == 0)
        return QStringView(reinterpret_cast<const char16_t *>(Data), Size / 2);
    Storage = DecodeText(Bytes);
    return Storage;
}

QByteArray EncodeText(QStringView Text, QStringConverter::Encoding Encoding)
{
    const bool unicode =
        Encoding != QStringConverter::System && Encoding != QStringConverter::Latin1;
    QStringEncoder Encoder(Encoding, unicode ? QStringConverter::Flag::WriteBom
                                             : QStringConverter::Flag::Default);
    return Encoder.encode(Text);
}

QList<QStringView> SplitLineViews(QStringView Text)
{
    QList<QStringView> Lines;
    qsizetype Start = 0;
    const qsizetype Len = Text.size();
    for (qsizetype I = 0; I < Len; ++I) {
        const QChar C = Text.at(I);
        if (C != u'\r' && C != u'\n')
            continue;
        Lines.append(Text.sliced(Start, I - Start));
        if (C == u'\r' && I + 1 < Len && Text.at(I + 1) == u'\n')
            ++I;
        Start = I + 1;
    }
    if (Start < Len)
        Lines.append(Text.sliced(Start));
    return Lines;
}

QStringList SplitTextLines(QStringView Text)
{
    QStringList Lines;
    for (const QStringView Line : SplitLineViews(Text))
        Lines.append(Line.toString());
    return Lines;
}

bool LoadTextLines(QIODevice &Device, QStringList &Lines)
{
    Lines.clear();
    const bool WasOpen = Device.isOpen();
    if (!WasOpen && !Device.open(QIODevice::ReadOnly))
        return false;
    if (!Device.isReadable()) {
        if (!WasOpen)
            Device.close();
        return false;
    }
    const QByteArray Bytes = Device.readAll();
    const bool Failed = Bytes.isEmpty() && !Device.atEnd() && !Device.isSequential();
    if (!WasOpen)
        Device.close();
    if (Failed)
        return false;
    Lines = SplitTextLines(DecodeText(Bytes));
    return true;
}

bool LoadTextFile(const QString &FileName, QStringList &Lines)
{
    QFile File(FileName);
    return LoadTextLines(File, Lines);
}

} // namespace wordmill
