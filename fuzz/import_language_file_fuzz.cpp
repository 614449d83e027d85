// Feeds arbitrary bytes to ImportFromFile as a lexicon file or language
// file, into a new or listed language and into the current one.

#include "ImportFuzzWorld.h"

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    import_fuzz::World world(false);
    world.Import(data, size, false);
    world.engine->Translate(u"de"_s);
    world.Import(data, size, true);
    return 0;
}
