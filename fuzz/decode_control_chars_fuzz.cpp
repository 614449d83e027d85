// Feeds arbitrary UTF-16 text to the one-line form functions.
#include <wordmill/sys/OneLineForm.h>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    const QString Input(reinterpret_cast<const QChar *>(Data), qsizetype(Size / 2));

    QString Decoded = Input;
    wordmill::DecodeControlChars(Decoded);
    // Decoding only ever shortens a text: an escape is longer than its character.
    if (Decoded.size() > Input.size())
        __builtin_trap();

    QString Encoded = Input;
    wordmill::EncodeControlChars(Encoded);
    for (QChar C : Encoded) {
        if (C.unicode() < 32)
            __builtin_trap();
    }

    // Escaping a text free of apostrophes and decoding it gives it back
    // (without its code-0 characters).
    if (!Input.contains(u'\'')) {
        QString Expected = Input;
        Expected.remove(QChar(u'\0'));
        QString RoundTrip = Input;
        wordmill::EncodeControlChars(RoundTrip);
        wordmill::DecodeControlChars(RoundTrip);
        if (RoundTrip != Expected)
            __builtin_trap();
    }

    wordmill::TrimControlChars(Input, false);
    wordmill::TrimControlChars(Input, true);
    return 0;
}
