#pragma once

#include "BindingFixture.h"
#include "EditorPageData.h"
#include "LanguageFiles.h"
#include "TestEngine.h"

#include <wordmill/WordmillComp.h>
#include <wordmill/WordmillCore.h>
#include <wordmill/core/ProgrammableLexicon.h>
#include <wordmill/core/ResourcesTranslator.h>

#include <QLabel>
#include <QPushButton>

namespace editor_test {

using namespace Qt::StringLiterals;

// A form "Form1" with a label and two buttons, a client, two lexicons (the
// second uses global strings), a resource-string translator and an engine
// whose data object holds the editor's page in memory. The language folder
// holds "English" (translated from the design language) and "Deutsch"
// (translated from English).
//
// Design texts: Label1 "Popisek", Button1 "Zavřít", Button2 "Uložit";
// Lexicon1 "Ahoj", "Konec", "Zavřít"; Lexicon2 "Zavřít", "Uložit", "Soubor".
// Translator1's strings as loaded (design form): unit "Dialogs" "&Open"
// ("&Otevřít") and "Cancel" ("Zrušit"), unit "Menus" "a=b" ("a=b"), no unit
// "Quit" ("Konec").
class EditorFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        form = std::make_unique<wordmill::TForm>();
        form->setObjectName(u"Form1"_s);
        auto data = std::make_unique<EditorPageData>();
        page = data.get();
        engine = new TestEngine(form.get(), std::move(data));
        engine->setObjectName(binding_test::FreshEngineName());
        engine->langsDir = dir.path() + u'/';
        engine->SetDesignLanguageName(u"čeština"_s);
        engine->SetDesignLangISOCode(u"cs"_s);

        Add<QLabel>(u"Label1"_s)->setText(u"Popisek"_s);
        Add<QPushButton>(u"Button1"_s)->setText(u"Zavřít"_s);
        Add<QPushButton>(u"Button2"_s)->setText(u"Uložit"_s);
        client = Add<wordmill::TWordmillClient>(u"WordmillClient1"_s);
        lexicon1 = Add<wordmill::TDesignedLexicon>(u"Lexicon1"_s);
        lexicon1->SetItems({u"Ahoj"_s, u"Konec"_s, u"Zavřít"_s});
        lexicon2 = Add<wordmill::TDesignedLexicon>(u"Lexicon2"_s);
        lexicon2->SetItems({u"Zavřít"_s, u"Uložit"_s, u"Soubor"_s});
        lexicon2->SetGlobalLexicon(true);
        translator = Add<wordmill::TCustomResourcesTranslator>(u"Translator1"_s);
        translator->UnitList.Strings = {u"Unsorted"_s, u"Dialogs"_s, u"Menus"_s};
        translator->List.RegisterKnown(u"&Open"_s, u"&Otevřít"_s, u"SOpen"_s, 1);
        translator->List.RegisterKnown(u"Cancel"_s, u"Zrušit"_s, u"SCancel"_s, 1);
        translator->List.RegisterKnown(u"a=b"_s, u"a=b"_s, u"SEquals"_s, 2);
        translator->RegisterResourceString(u"Quit"_s, u"Konec"_s);
        translator->ListChanged();
        client->SetWordmillEngine(engine);
        lexicon1->SetWordmillEngine(engine);
        lexicon2->SetWordmillEngine(engine);
        translator->SetWordmillEngine(engine);

        Write(u"english.lng"_s,
              {LanguageHeader(u"English"_s, u"\t%CODE=en;\t%FILEVER=WMLF1;"_s),
               Component(u"Label1"_s, u"Label"_s), Component(u"Button1"_s, u"Close"_s),
               u"0\t%LEXICON_STRINGS"_s, u"0\t%LEXICON_NAME=Form1.Lexicon1;"_s, u"0\t\"Hello\""_s,
               u"1\t\"End\""_s, u"0\t%LEXICON_NAME=Form1.Lexicon2;"_s, u"0\t\"Close\""_s,
               u"0\t%SMART_STRINGS"_s, u"0\t\"Uložit\""_s, u"0\t\"Save\""_s,
               u"0\t%LEXICON_NAME=Form1.Translator1;"_s, u"0\t\"Zrušit\""_s, u"0\t\"Cancel\""_s});
        Write(u"deutsch.lng"_s,
              {LanguageHeader(u"Deutsch"_s,
                              u"\t%CODE=de;\t%SUPERIOR_LANGUAGE=English;\t%FILEVER=WMLF1;"_s),
               Component(u"Label1"_s, u"Beschriftung"_s), u"0\t%LEXICON_STRINGS"_s,
               u"0\t%LEXICON_NAME=Form1.Lexicon1;"_s, u"0\t\"Hallo\""_s, u"0\t%SMART_STRINGS"_s,
               u"0\t\"Soubor\""_s, u"0\t\"Datei\""_s});
        engine->RefreshLanguages();
        engine->Initialize(false);
    }

    void TearDown() override { form.reset(); }

    template <typename T> T *Add(const QString &name)
    {
        return binding_test::OwnedComponent<T>(form.get(), name);
    }

    static QString Component(const QString &name, const QString &text)
    {
        return binding_test::CaptionLine(name, text);
    }

    // Writes a language file of these lines after the signature.
    void Write(const QString &fileName, const QStringList &lines)
    {
        ASSERT_TRUE(
            WriteLanguageFile(dir.filePath(fileName), QStringList{u"[LANGUAGE_FILE]"_s} + lines));
    }

    // The window's steps up to editing: a new language "Neu" (code "nn")
    // from Source, or an existing language.
    void CreateFrom(const QString &source)
    {
        page->PrepareForEditor();
        ASSERT_TRUE(page->EditorAction(wordmill::eaLoadLangForCreate, source));
        page->NewLanguage();
        page->CompleteSourceData();
        page->EditorLang = u"Neu"_s;
        page->EditorISO = u"nn"_s;
        ASSERT_TRUE(page->LoadGroups(groups));
        ASSERT_TRUE(page->EditorAction(wordmill::eaCreateLang));
    }
    void Edit(const QString &language)
    {
        page->PrepareForEditor();
        ASSERT_TRUE(page->EditorAction(wordmill::eaLoadLangForEdit, language));
        page->EditorLang = language;
        page->EditorISO = engine->CurrentLanguageISO();
        ASSERT_TRUE(page->LoadGroups(groups));
        page->WorkGlobalLexicon.AssignGlobals(page->SmartLexicon);
    }
    // Selects a group by name and builds the page of Object (every line of
    // a client when empty).
    void Open(const QString &group, const QString &object = {})
    {
        const int index = int(groups.indexOf(group));
        ASSERT_GE(index, 0) << group.toStdString();
        page->ChangeEditorClient(index);
        page->BuildPage(object);
    }
    // Shows another object of the selected group, storing the page shown.
    void ShowObject(const QString &object)
    {
        page->StoreEditorPage();
        page->BuildPage(object);
    }
    // The window's save: stores, writes the file and lets the engine find it.
    void Save(const QString &fileName)
    {
        page->StoreChanges();
        page->StoreNewGlobals();
        page->EditorAction(wordmill::eaSaveLang, dir.filePath(fileName));
        page->ClearWorkData();
        engine->RefreshLanguages();
    }
    // The row whose label is Label, or -1.
    int Row(const QString &label) const { return int(page->Labels().indexOf(label)); }
    QString Shown(const QString &name) const
    {
        if (auto *label = form->findChild<QLabel *>(name))
            return label->text();
        if (auto *button = form->findChild<QPushButton *>(name))
            return button->text();
        return {};
    }

    QTemporaryDir dir;
    std::unique_ptr<wordmill::TForm> form;
    TestEngine *engine = nullptr;
    EditorPageData *page = nullptr;
    wordmill::TWordmillClient *client = nullptr;
    wordmill::TDesignedLexicon *lexicon1 = nullptr;
    wordmill::TDesignedLexicon *lexicon2 = nullptr;
    wordmill::TCustomResourcesTranslator *translator = nullptr;
    QStringList groups;
};

} // namespace editor_test
