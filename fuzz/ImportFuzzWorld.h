#pragma once

// A form with an engine and one of each kind of place an import can fill
// (a client's property lines, a lexicon, a resource-string translator), two
// languages to import into, and a file the fuzzed bytes are written to.

#include "TestEngine.h"

#include <wordmill/WordmillCore.h>
#include <wordmill/WordmillSys.h>
#include <wordmill/core/ImportExport.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace import_fuzz {

using namespace wordmill;
using namespace Qt::StringLiterals;

class FuzzClient : public TWordmillCPC
{
public:
    using TWordmillCPC::TWordmillCPC;
    void ProcessAll(bool) override {}
};

struct World
{
    QTemporaryDir temp;
    TDataModule form;
    TestEngine *engine;

    explicit World(bool editorOpen)
    {
        form.setObjectName(u"Form1"_s);
        SetComponentLoading(&form, true);
        engine = new TestEngine(&form, std::make_unique<TestLangData>(editorOpen));
        engine->setObjectName(u"Engine1"_s);
        engine->langsDir = temp.path() + u'/';
        engine->SetDesignLangISOCode(u"en"_s);
        engine->SetDesignLanguageName(u"English"_s);
        engine->SetDefaultLanguage(u"English"_s);
        engine->SetTranslateWordmill(true);
        auto *client = new FuzzClient(&form);
        client->setObjectName(u"Client1"_s);
        client->DesignStruct.AddTextProperty(u"Button1"_s, u"Form1"_s, 0, u"Cancel"_s, QString());
        client->DesignStruct.AddTextProperty(u"Label1"_s, u"Form1"_s, 0, u"Name"_s, QString());
        client->SetWordmillEngine(engine);
        auto *lexicon = new TDesignedLexicon(&form);
        lexicon->setObjectName(u"Lexicon1"_s);
        lexicon->SetItems({u"Cancel"_s, u"Open"_s, u"Close"_s});
        lexicon->SetWordmillEngine(engine);
        auto *translator = new TCustomResourcesTranslator(&form);
        translator->setObjectName(u"Translator1"_s);
        translator->RegisterResourceString(u"Cancel"_s);
        translator->RegisterResourceString(u"&Paste"_s);
        translator->SetWordmillEngine(engine);
        QFile german(temp.filePath(u"de.lng"_s));
        german.open(QIODevice::WriteOnly);
        german.write(
            "[LANGUAGE_FILE]\r\n0\t%LANGUAGE_NAME=\"Deutsch\"\t%CODE=de;\t%FILEVER=WMLF1;\r\n"
            "0\t\"Abbrechen\"\t%COMPONENT=Button1;\t%OWNER=Form1;\r\n"
            "0\t%LEXICON_STRINGS\r\n0\t%SMART_STRINGS\r\n");
        german.close();
        SetComponentLoading(&form, false);
        engine->Loaded();
    }

    // Writes the bytes to the import file and imports them, as the editor
    // or the program would; an import failure is an expected outcome.
    void Import(const uint8_t *data, size_t size, bool toCurrentLanguage)
    {
        const QString path = temp.filePath(u"import.txt"_s);
        {
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                return;
            file.write(reinterpret_cast<const char *>(data), qsizetype(size));
        }
        try {
            engine->ImportFromFile(path, toCurrentLanguage);
        } catch (const EImportExport &) {
        } catch (const EWordmillFileError &) {
        }
    }
};

} // namespace import_fuzz
