// Feeds arbitrary bytes as a language file. What the reader makes of them
// must read back unchanged once written (unless the writer reports that the
// data cannot be written unambiguously); the engine loads the bytes from
// memory over a superior language, reads every translation back and writes
// the result again.

#include "TestEngine.h"

#include <wordmill/WordmillCore.h>
#include <wordmill/WordmillSys.h>

#include <QLoggingCategory>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace wordmill;
using namespace Qt::StringLiterals;

namespace {

const QString Signature = u"[LANGUAGE_FILE]"_s;

struct World
{
    TDataModule form;
    TestEngine *engine;
    TDesignedLexicon *lexicon;

    World()
    {
        // Malformed input is the point here; its warnings are not.
        QLoggingCategory::setFilterRules(u"wordmill=false"_s);
        form.setObjectName(u"Form1"_s);
        engine = new TestEngine(&form);
        engine->SetDesignLanguageName(u"design"_s);
        lexicon = new TDesignedLexicon(&form);
        lexicon->setObjectName(u"Lexicon1"_s);
        lexicon->SetItems({u"a"_s, u"b"_s, u"c"_s});
        lexicon->SetWordmillEngine(engine);
        engine->RefreshLanguages();
        engine->ListMemoryLanguage(
            u"Base"_s, u"base"_s,
            "[LANGUAGE_FILE]\r\n0\t%LANGUAGE_NAME=\"Base\"\t%SUPERIOR_LANGUAGE=Fuzz;\r\n"
            "0\t\"t\"\t%COMPONENT=C;\t%OWNER=Form1;\r\n0\t%LEXICON_STRINGS\r\n"
            "0\t%LEXICON_NAME=Form1.Lexicon1;\r\n1\t\"B\"\r\n0\t%SMART_STRINGS\r\n"
            "0\t\"x\"\r\n0\t\"y\"\r\n");
        // The fuzzed file is listed under a fixed name whatever its header says.
        engine->ListMemoryLanguage(u"Fuzz"_s, u"fuzz"_s, QByteArray());
    }
};

// What the writer carries of the data: a line that is not translatable is
// written without its text, a line's descent and editor mark are not
// written, and the writer states its own file version.
TLanguageFileData carried(TLanguageFileData data)
{
    for (TLangFileHeader &header : data.Headers)
        header.FileVersion.clear();
    for (TFullStructLine &line : data.Components) {
        line.Descent = DescentOwn;
        line.Changeable &= ChangeableTranslatable | ChangeableOld;
        if (!(line.Changeable & ChangeableTranslatable))
            line.Translation.clear();
    }
    return data;
}

void checkRoundTrip(QByteArrayView bytes)
{
    const QString name = ReadLanguageHeader(bytes, Signature, false).IDs.Name;
    if (name.isEmpty())
        return;
    TLanguageFileData first;
    if (!ReadLanguageFile(bytes, Signature, name, first) || !first.NamesLanguage(name) ||
        !LanguageFileAmbiguity(first).isEmpty())
        return;
    for (const auto encoding : {QStringConverter::Utf16LE, QStringConverter::Utf8}) {
        TLanguageFileData second;
        if (!ReadLanguageFile(WriteLanguageFile(first, Signature, encoding), Signature, name,
                              second) ||
            carried(second) != carried(first))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static World world;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    checkRoundTrip(bytes);

    world.engine->memoryLanguages.insert(u"fuzz"_s, bytes.toByteArray());
    for (int flags : {0, llAddLines | llMarkOld | llReadFlag}) {
        world.engine->LoadLanguage(u"Fuzz"_s, flags, QString());
        for (int i = 0; i < 4; ++i)
            (void)world.lexicon->Item(i);
        (void)world.lexicon->CompleteString(u"«#1; «\"x\"»"_s);
        TComponentStructure &s = world.engine->LData()->DataStruct;
        for (int i = 0; i < s.Count() && i < 64; ++i)
            (void)s.GetFull(i);
        // What the engine writes from the loaded data reads back.
        const TLanguageFileData saved = world.engine->LanguageFileData(
            u"Saved"_s, u"Base"_s, world.engine->CurrentLanguageISO());
        if (LanguageFileAmbiguity(saved).isEmpty()) {
            TLanguageFileData reread;
            if (!ReadLanguageFile(WriteLanguageFile(saved, Signature, QStringConverter::Utf16BE),
                                  Signature, u"Saved"_s, reread) ||
                carried(reread) != carried(saved))
                std::abort();
        }
    }
    return 0;
}
