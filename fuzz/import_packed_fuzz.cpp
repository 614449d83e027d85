// Feeds arbitrary bytes to ImportFromFile into the current language while
// the editor is reported open, so that they are tried as a packed
// multi-language file first.

#include "ImportFuzzWorld.h"

#include <wordmill/core/PackedImport.h>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    (void)wordmill::ReadPackedImport(bytes, [](const QString &code) { return code == u"de"_s; });
    import_fuzz::World world(true);
    world.engine->Translate(u"de"_s);
    world.Import(data, size, true);
    return 0;
}
