// Reads arbitrary bytes as a compiled language cache. The cache carries a
// hash of its own body, which random bytes never match: the input is taken
// once as it is and once with its size and hash made to fit, so that the
// reader of the stores behind the check is fuzzed as well.
#include <wordmill/sys/ComponentStructure.h>
#include <wordmill/sys/LanguageCache.h>
#include <wordmill/sys/LexiconData.h>
#include <wordmill/sys/SmartLexiconData.h>

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstring>

using namespace wordmill;

namespace {

// Where the format keeps the file's size and the hash of what follows the
// 32-byte header.
constexpr qsizetype SizeField = 8;
constexpr qsizetype HashField = 16;
constexpr qsizetype HeaderSize = 32;

void Read(const QByteArray &bytes)
{
    TLanguageCacheInfo info;
    QString problem;
    if (!ReadLanguageCacheInfo(bytes, info, &problem)) {
        if (problem.isEmpty())
            __builtin_trap(); // a refusal always says why
        return;
    }
    // The stores refer to the bytes: they go before the bytes do.
    TComponentStructure lines;
    TLexiconData lexicons;
    TSmartLexiconData smart;
    ReadLanguageCacheStores(bytes, lines, lexicons, smart, &problem);
    qsizetype total = 0;
    for (int i = 0; i < lines.Count(); ++i)
        total += lines.LineID(i).size() + lines.Translation(i).size();
    for (int l = 0; l < lexicons.LexiconCount(); ++l) {
        const QString name = lexicons.LexiconName(l);
        for (int n = 0; n <= lexicons.MaxItemNr(name); ++n)
            total += lexicons.ReadItem(name, n).size();
    }
    for (int n = 0; n <= smart.MaxItemNr(); ++n)
        total += smart.GetLocStr(n).size() + smart.ReadItem(smart.GetLocStr(n)).size();
    if (total < 0)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    QByteArray bytes(reinterpret_cast<const char *>(Data), qsizetype(Size));
    Read(bytes);
    if (bytes.size() >= HeaderSize) {
        const quint64 size = quint64(bytes.size());
        const quint64 hash = LanguageCacheHash(QByteArrayView(bytes).sliced(HeaderSize));
        std::memcpy(bytes.data() + SizeField, &size, sizeof size);
        std::memcpy(bytes.data() + HashField, &hash, sizeof hash);
        Read(bytes);
    }
    return 0;
}
