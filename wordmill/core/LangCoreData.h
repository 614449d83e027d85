#pragma once

#include <wordmill/core/EditorTypes.h>
#include <wordmill/core/FlagsList.h>
#include <wordmill/core/LanguageEntry.h>
#include <wordmill/core/Spans.h>
#include <wordmill/sys/ComponentStructure.h>
#include <wordmill/sys/IndexedItems.h>
#include <wordmill/sys/LangIDs.h>
#include <wordmill/sys/LexiconData.h>
#include <wordmill/sys/NamedItems.h>
#include <wordmill/sys/SmartLexiconData.h>
#include <wordmill/sys/WordList.h>

#include <QPointer>
#include <QStringList>

namespace wordmill {

class TCustomResourcesTranslator;
class TWordmillCore;
class TLangFormLexicon;

// The engine's data object: the language list, the translation data of the
// current language merged with its superior chain, the client registry and
// the editor's work data.
//
// The editor side knows no window: it reaches the editor's page through five
// abstract operations (EditorExecute, AddEditorRow, GetEditorRow,
// EditorOpened, EditorSelect) that a subclass implements. While the editor
// runs, DataStruct, DataLexicon and SmartLexicon hold the edited (target)
// language and CurrentSuperiorLang is the language it is translated from.
// The editor calls, in this order: PrepareForEditor; EditorAction with
// eaLoadLangForEdit, or with eaLoadLangForCreate followed by NewLanguage and
// CompleteSourceData; LoadGroups; per group chosen ChangeEditorClient and
// LoadObjects, per object StoreEditorPage and NewEditorPage; on saving
// StoreChanges, StoreNewGlobals and EditorAction(eaSaveLang); at the end
// ClearWorkData.
class TLangCoreData
{
public:
    explicit TLangCoreData(TWordmillCore *OwnedEngine = nullptr);
    virtual ~TLangCoreData();
    TLangCoreData(const TLangCoreData &) = delete;
    TLangCoreData &operator=(const TLangCoreData &) = delete;

    // The language list: entry 0 is always the design language. The engine
    // lists the languages again when a setting that shapes the list changed;
    // the accessors below do that first, so they never show a stale list.
    QList<TLanguageEntry> LanguageList;
    const QList<TLanguageEntry> &LanguageEntries() const;
    QStringList Languages() const;
    QStringList LangCodes() const;
    QStringList FileNames() const;
    QStringList EditableLangs() const;
    // What selectors and the language menu show, made from the language list
    // by TWordmillCore::RebuildLanguageMenu: the languages followed by the
    // editor entries, and one flag per entry.
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
    // Kind of the selected group.
    TEditorModes EditorMode = emClient;
    // Index in ClientGroups of the selected group, -1 for none.
    int SelectedClient = -1;
    // Index of the group whose page is built, -1 for none. Store operations
    // and row queries do nothing while it differs from SelectedClient.
    int PageFromClient = -1;
    // The library's own texts 0 to 49 as they were when the editor opened.
    QStringList EditorLex;
    // The groups, in the order LoadGroups listed their names; not owned.
    QList<QPointer<QObject>> ClientGroups;
    // Designed text of each work item: by work line index or item number.
    TIndexedItems DesignedList;
    // Per row of the page: its work key (work line index, item number or
    // position in WorkSmartLexicon).
    TWordList WorkIndexes;
    // Per row of a component page: its line in SourceStruct.
    TWordList SourceIndexes;
    // The selected client's lines with their working translations.
    TComponentStructure WorkStruct;
    // Source language: the lines of every client.
    TComponentStructure SourceStruct;
    // The selected lexicon's items with their working translations.
    TIndexedItems WorkLexicon;
    // Source language: the items of every lexicon.
    TLexiconData SourceLexicon;
    // Working copy of the global strings. Descent 0 or 1: the edited
    // language's own (saved when still used); 2: added without saving.
    TNamedItems WorkGlobalLexicon;
    // The selected translator's strings with their working translations.
    TNamedItems WorkSmartLexicon;
    // Source language: smart strings of every translator, and the global
    // strings.
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

    // ---- editor: work data
    // Loads a language for editing or as the source of a new one, names the
    // new language as current, or saves the edited language (Param is the
    // file name). Loads report failure by false; saving throws
    // EWordmillFileError when the file cannot be written.
    bool EditorAction(TEditorActions act, const QString &Param = QString());
    // Resets the work data and snapshots the library's texts; returns the
    // library's about line.
    QString PrepareForEditor();
    void ClearWorkData();
    // Builds the source data from the translation data (the source
    // language, inherited one level), then empties the translation data.
    void CompleteSourceData();
    // Fills ClientGroups and List with the groups and their names.
    bool LoadGroups(QStringList &List);
    // Stores the shown page and group, then loads the work data of group
    // ClientIndex (none when outside the list); returns its kind.
    TEditorModes ChangeEditorClient(int ClientIndex);
    // The objects (pages) of the selected group.
    void LoadObjects(QStringList &List);
    // Builds the rows of a page through AddEditorRow. For a client an empty
    // ObjectName lists every line, labelled "Component.Property".
    void NewEditorPage(const QString &ObjectName, const QStringList &WordmillAdditionNames);
    int GetEditorRowsCount() const;
    // Whether a client row has a translation of its own; true outside.
    bool ChangeableEditorItem(int Row) const;
    // Name of group ClientIndex (-1: the selected one); empty outside.
    QString ClientName(int ClientIndex) const;
    // Whether the selected group uses global strings.
    bool AllowedGlobals() const;
    QString GetOriginalForEditorItem(int EditorItem) const;
    QString GetSourceForEditorItem(int EditorItem) const;
    // Puts a row's text into the work data; a global row's text goes to
    // the working global strings.
    void RememberCell(const QString &Content, int WorkIndex, quint16 Descent, bool SaveNewGlobals);
    // Takes the texts of the page's rows into the work data.
    void StoreEditorPage();
    // Writes the selected group's work data into the translation data.
    virtual void StoreGroup();
    virtual void StoreChanges();

    // ---- editor: global strings
    // Adds the edited language's own global strings to the working copy.
    void LoadNewWorkGlobals();
    // Writes the working global strings back into the translation data.
    void StoreNewGlobals();
    // The source language's global translation of LocStr, or empty.
    QString GetGlobalSource(const QString &LocStr) const;
    // The working global translation of LocStr when there is one, else
    // the source language's.
    QString GetGlobalTranslate(const QString &LocStr) const;
    // Whether the row shows a global translation; WorkIndex is its work key.
    bool EditorItemIsGlobal(int Row, int &WorkIndex);

    // ---- editor: row status and search
    // Colour of a source text.
    static quint32 GetItemColor(quint16 ItemDescent, bool NoTrans);
    // Colour of a text against its reference (source) text.
    static quint32 GetItemColor(quint16 ItemDescent, const QString &ItemContent,
                                const QString &Original);
    // Colour of a row showing CurrentString; ObjectName is the group's name.
    // Changing the text of a restored row drops its old mark.
    quint32 GetItemColor(int EditorIndex, const QString &ObjectName, const QString &CurrentString);
    // Name of the state a colour shows; empty when it has none.
    QString GetColorHint(quint32 Color) const;
    // The source text of a row and its colour; SameLocStr (when given) gets
    // the other rows of the same designed text when the group uses global
    // strings. Starts the next search at this row.
    QString SelectEditorItem(int EditorItem, TWordList *SameLocStr, quint32 &SourceColor);
    // Moves a row on to its next status (own, global, keep source);
    // NewText is the text to show. False when nothing changed.
    bool SwitchEditorItem(int EditorItem, const QString &Content, bool &AllowNoTrans,
                          QString &NewText);
    // Whether an object (all of the group for an empty ObjectName) still has
    // a row that needs translating.
    bool IsUntranslated(const QString &ClientName, const QString &ObjectName);
    // Finds Searched from row StartRow on (after the last hit when the same
    // text is searched again), wrapping once; a hit is shown by EditorSelect.
    bool SearchWord(const QString &Searched, int StartRow, TEditorSearchMode Mode);

    // ---- editor: the page, implemented by the editor's binding
    // Runs the editor in creator (0) or editor (1) mode and returns the
    // language to switch to; empty when nothing was saved.
    virtual QString EditorExecute(int EMode) = 0;
    // Appends a row with a label and a text to the page.
    virtual void AddEditorRow(const QString &PropertyName, const QString &Value) = 0;
    // The text of a row as the user left it: cut at control characters at
    // both ends, the remaining ones escaped.
    virtual QString GetEditorRow(int Row) = 0;
    virtual bool EditorOpened() = 0;
    // Moves the editor to a row; for a hit in the row's own text it selects
    // Len characters from the 0-based position Start.
    virtual void EditorSelect(int Row, int Start, int Len, TEditorSearch Column) = 0;

private:
    QObject *Group(int Index) const;
    TCustomResourcesTranslator *SelectedTranslator() const;
    // The unit of the selected translator whose strings page ObjectName
    // shows, or -1.
    int ResourceUnit(const QString &ObjectName) const;
    void LoadTranslator(const TCustomResourcesTranslator *Translator);
    void NewResourcesPage(const QString &ObjectName);
    // Work key of a row, or -1 outside the page.
    int WorkKey(int Row) const;
    // Line of SourceStruct of a client row, or -1.
    int SourceLine(int Row) const;
    void CollectSameOriginal(int EditorItem, TWordList *SameLocStr) const;

    // The text of the last search: the same text searched again continues
    // after the row found.
    QString LastSearch;
};

} // namespace wordmill
