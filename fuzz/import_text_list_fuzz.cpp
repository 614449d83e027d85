// Feeds arbitrary bytes without tabs (so always read as a text list) to
// ImportFromFile, into a new or listed language and into the current one.

#include "ImportFuzzWorld.h"

#include <vector>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<uint8_t> bytes(data, data + size);
    for (uint8_t &byte : bytes)
        if (byte == '\t')
            byte = ' ';
    import_fuzz::World world(false);
    world.Import(bytes.data(), bytes.size(), false);
    world.engine->Translate(u"de"_s);
    world.Import(bytes.data(), bytes.size(), true);
    return 0;
}
