// Reads the header of arbitrary bytes taken as a language file, flag included.
#include <wordmill/sys/FlagBuffer.h>
#include <wordmill/sys/LanguageFile.h>
#include <wordmill/sys/LanguageNames.h>
#include <wordmill/sys/TextLines.h>

#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    const QByteArray Bytes(reinterpret_cast<const char *>(Data), qsizetype(Size));
    const QStringList Lines = wordmill::SplitTextLines(wordmill::DecodeText(Bytes));

    wordmill::TLangIDs IDs;
    wordmill::ReadLangHeader(Lines, u"[LANGUAGE_FILE]"_s, true, IDs);
    QString Code = IDs.Code;
    if (!Code.isEmpty() && (!wordmill::NormalizeISOCode(Code) || Code != IDs.Code))
        __builtin_trap();

    QBuffer Stream;
    Stream.setData(Bytes);
    wordmill::TLangIDs StreamIDs;
    wordmill::ReadLangStreamHeader(Stream, u"[LANGUAGE_FILE]"_s, true, StreamIDs);
    if (StreamIDs != IDs)
        __builtin_trap();

    // A large file in another encoding is decoded at its two ends only: its
    // header reads as from the whole text in the machine's UTF-16. The input
    // is repeated to pass the size from which the ends are read in parts.
    QByteArray Large = Bytes;
    while (!Bytes.isEmpty() && Large.size() <= 20000)
        Large += Bytes;
    const wordmill::TLangFileHeaderInfo Parts =
        wordmill::ReadLanguageHeader(Large, u"[LANGUAGE_FILE]"_s, true);
    const wordmill::TLangFileHeaderInfo Whole = wordmill::ReadLanguageHeader(
        wordmill::EncodeText(wordmill::DecodeText(Large), QStringConverter::Utf16),
        u"[LANGUAGE_FILE]"_s, true);
    if (Parts.IDs != Whole.IDs || Parts.Flag != Whole.Flag)
        __builtin_trap();
    return 0;
}
