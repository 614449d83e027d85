// Feeds arbitrary text to the picture-text decoder (only low bytes count, so
// every input byte becomes one character).
#include <wordmill/sys/PictureText.h>

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    const QString Text = QString::fromLatin1(reinterpret_cast<const char *>(Data), qsizetype(Size));
    QByteArray Picture;
    wordmill::DecodePictureText(Picture, Text);
    if (Picture.size() > wordmill::MaxPictureSize)
        __builtin_trap();
    return 0;
}
