#pragma once

#include <wordmill/core/FlagsList.h>
#include <wordmill/core/Spans.h>
#include <wordmill/sys/ComponentStructure.h>
#include <wordmill/sys/IndexedItems.h>
#include <wordmill/sys/LangIDs.h>
#include <wordmill/sys/LexiconData.h>
#include <wordmill/sys/NamedItems.h>
#include <wordmill/sys/SmartLexiconData.h>
#include <wordmill/sys/WordList.h>

#include <QStringList>

namespace wordmill {

class TWordmillCore;
class TLangFormLexicon;

// Kinds of editor groups.
enum TEditorModes { emClient, emIndexedLexicon, emSmartLexicon, emResources };

// The engine's data object: the language list, the translation data of the
// current language merged with its superior chain, the client registry and
// the editor's work data.
class TLangCoreData
{
public:
    explicit TLangCoreData(TWordmillCore *OwnedEngine = nullptr);
    virtual ~TLangCoreData();
    TLangCoreData(const TLangCoreData &) = delete;
    TLangCoreData &operator=(const TLangCoreData &) = delete;

    QString LastSearch;
    // The language list. Languages, LangCodes and FileNames are parallel;
    // entry 0 is always the design language.
    QStringList Languages;
    QStringList EditableLangs;
    QStringList LangCodes;
    QStringList FileNames;
    // What selectors and the language menu show: the languages followed by
    // the editor entries; Flags is parallel to it.
    QStringList LangMenu;
    TFlagsList Flags;
    TSpans SpanClients;
    TWordmillCore *Engine = nullptr;
    TLangIDs CurrentSuperiorLang;
    QString DesignLangISO;
    QString EditorISO;
    QString EditorLang;
    // Translation data of the current language.
    TComponentStructure DataStruct;
    TLexiconData DataLexicon;
    TSmartLexiconData SmartLexicon;
    TLangFormLexicon *LangFormLexicon = nullptr;
    // The editor's work data.
    TEditorModes EditorMode = emClient;
    int SelectedClient = -1;
    int PageFromClient = -1;
    QStringList EditorLex;
    QList<QObject *> ClientGroups;
    TIndexedItems DesignedList;
    TWordList WorkIndexes;
    TWordList SourceIndexes;
    TComponentStructure WorkStruct;
    TComponentStructure SourceStruct;
    TIndexedItems WorkLexicon;
    TLexiconData SourceLexicon;
    TNamedItems WorkGlobalLexicon;
    TNamedItems WorkSmartLexicon;
    TSmartLexiconData SourceSmartLexicon;

    // Position of a language name in the list (letter case ignored), or -1.
    int IndexOfLanguage(const QString &Name) const;
    // Position of a language found by code first, then by name, or -1.
    int IndexOfLanguageOrCode(const QString &ISOorLangName) const;

    QString GetFile(const QString &ISOorLangName) const;
    QString GetFile(int LanguageIndex) const;
    QString GetCode(const QString &LanguageName) const;
    QString GetCode(int LanguageIndex) const;
    bool Exists(const QString &ISOorLangName) const;
    QBuffer *Flag(const QString &ISOorLangName);
    QBuffer *Flag(int LanguageIndex);
    QString LangsDir() const;

    // Marks everything loaded so far as inherited one level further.
    void NewLanguage();
    // Empties the translation data and the current superior language.
    void Clear();

    // ---- import and export
    // Exports the current translation data under that name and code, with
    // the flag buffer as it stands.
    void ExportLanguage(const QString &FileName, const QString &LangName, const QString &LangISO);
    // Writes a lexicon file, or a text list for a name ending in ".txt" (any
    // letter case); nothing when FileName or LangName is empty.
    void WriteExportFile(const QString &FileName, const QString &LangName, const QString &Code);
    // Gives Translated to every place bound to the engine whose design text
    // is Designed and that the language does not translate itself (or any,
    // with OverwritingAllowed); returns the number of places.
    int AddTranslate(const QString &Designed, const QString &Translated, bool OverwritingAllowed);

    // Whether the editor window is open.
    virtual bool EditorOpened() { return false; }

    // Runs the translation editor in creator (0) or editor (1) mode and
    // returns the language to switch to; empty when nothing was saved. The
    // core has no editor window: it returns at once.
    virtual QString EditorExecute(int EMode) { return QString(); }
};

} // namespace wordmill
