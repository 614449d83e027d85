// Reads arbitrary text as a flag section and as hexadecimal digits, then
// checks that the writer and the reader agree on what was read.
#include <wordmill/sys/FlagBuffer.h>
#include <wordmill/sys/LanguageFile.h>
#include <wordmill/sys/TextLines.h>

#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    const QString Text = QString::fromUtf8(reinterpret_cast<const char *>(Data), qsizetype(Size));

    QByteArray Bytes;
    const int Max = Size > 0 ? int(Data[0]) - 16 : 0;
    const int Count = wordmill::HexToBin(Text, Bytes, Max);
    if (Count != Bytes.size() || Count < 0 || Count > qMax(Max, 0) || Count > Text.size() / 2)
        __builtin_trap();

    const QStringList Lines = wordmill::SplitTextLines(Text);
    wordmill::ReadFlagIcon(Lines, 0);
    const QByteArray Picture = wordmill::FlagIconBuffer().data();
    if (wordmill::FlagIconBuffer().pos() != 0 || Picture.size() > Lines.size() * 256)
        __builtin_trap();

    QStringList Written;
    wordmill::WriteFlagIcon(Written);
    wordmill::ReadFlagIcon(Written, 1);
    if (wordmill::FlagIconBuffer().data() != Picture)
        __builtin_trap();
    return 0;
}
