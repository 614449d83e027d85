// Feeds arbitrary bytes to the engine as a language file whose superior
// language exists, then reads every translation back.

#include <wordmill/WordmillCore.h>
#include <wordmill/WordmillSys.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

using namespace wordmill;
using namespace Qt::StringLiterals;

namespace {

class FuzzEngine : public TWordmillCore
{
public:
    explicit FuzzEngine(QObject *owner) : TWordmillCore(owner) { AfterConstruction(); }
    QString dir;
    QString GetLangsDir() const override { return dir; }
    void FillSpecialFlag(QIODevice &, int) override {}
    void RefreshControl(QObject *, int) override {}
};

struct World
{
    QTemporaryDir temp;
    TDataModule form;
    FuzzEngine *engine;
    TDesignedLexicon *lexicon;

    World()
    {
        form.setObjectName(u"Form1"_s);
        engine = new FuzzEngine(&form);
        engine->dir = temp.path() + u'/';
        engine->SetDesignLanguageName(u"design"_s);
        lexicon = new TDesignedLexicon(&form);
        lexicon->setObjectName(u"Lexicon1"_s);
        lexicon->SetItems({u"a"_s, u"b"_s, u"c"_s});
        lexicon->SetWordmillEngine(engine);
        QFile base(temp.filePath(u"base.lng"_s));
        base.open(QIODevice::WriteOnly);
        base.write("[LANGUAGE_FILE]\r\n0\t%LANGUAGE_NAME=\"Base\"\t%SUPERIOR_LANGUAGE=Fuzz;\r\n"
                   "0\t\"t\"\t%COMPONENT=C;\t%OWNER=Form1;\r\n0\t%LEXICON_STRINGS\r\n"
                   "0\t%LEXICON_NAME=Form1.Lexicon1;\r\n1\t\"B\"\r\n0\t%SMART_STRINGS\r\n"
                   "0\t\"x\"\r\n0\t\"y\"\r\n");
        base.close();
        // The fuzzed file is listed under a fixed name whatever its header says.
        engine->RefreshLanguages();
        TLangCoreData &d = *engine->LData();
        d.Languages.append(u"Fuzz"_s);
        d.FileNames.append(temp.filePath(u"fuzz.lng"_s));
        d.LangCodes.append(QString());
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static World world;
    {
        QFile file(world.temp.filePath(u"fuzz.lng"_s));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qsizetype(size));
    }
    for (int flags : {0, llAddLines | llMarkOld | llReadFlag}) {
        world.engine->LoadLanguage(u"Fuzz"_s, flags, QString());
        for (int i = 0; i < 4; ++i)
            (void)world.lexicon->Item(i);
        (void)world.lexicon->CompleteString(u"«#1; «\"x\"»"_s);
        TComponentStructure &s = world.engine->LData()->DataStruct;
        for (int i = 0; i < s.Count() && i < 64; ++i)
            (void)s.GetFull(i);
    }
    return 0;
}
