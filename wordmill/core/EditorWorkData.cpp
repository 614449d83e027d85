// The translation editor's data: opening and saving the edited language,
// the source data and the groups.

#include <wordmill/core/LangCoreData.h>

#include <wordmill/core/Lexicon.h>
#include <wordmill/core/ProgrammableLexicon.h>
#include <wordmill/core/ResourcesTranslator.h>
#include <wordmill/core/WordmillCPC.h>
#include <wordmill/core/WordmillEngineCore.h>
#include <wordmill/sys/LanguageNames.h>
#include <wordmill/sys/Logging.h>
#include <wordmill/toolkit/ComponentNames.h>

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

// Shown at the bottom of the editor window.
const QString AboutLine = u"Wordmill localization library, version 1.0"_s;

// Number of the library's own texts the editor uses.
constexpr int EditorLexCount = 50;

// The global translation of Designed closer than Descent (bit 8 set), or
// nothing: then Text and Descent stay.
void takeCloserGlobal(const TSmartLexiconData &Smart, const QString &Designed, QString &Text,
                      quint16 &Descent)
{
    const int global = Smart.FindTranslate(Designed, Descent);
    if (global < 0)
        return;
    quint16 globalDescent = DescentNone;
    Text = Smart.ReadItem(global, globalDescent);
    Descent = globalDescent | DescentGlobal;
}

} // namespace

QObject *TLangCoreData::Group(int Index) const
{
    return Index >= 0 && Index < ClientGroups.size() ? ClientGroups.at(Index).data() : nullptr;
}

TCustomResourcesTranslator *TLangCoreData::SelectedTranslator() const
{
    return qobject_cast<TCustomResourcesTranslator *>(Group(SelectedClient));
}

int TLangCoreData::ResourceUnit(const QString &ObjectName) const
{
    const TCustomResourcesTranslator *translator = SelectedTranslator();
    if (!translator)
        return -1;
    const int unit = translator->UnitList.IndexOfName(ObjectName);
    // Strings of no unit have a page even when the unit list has no entry
    // for them; it has no name.
    if (unit < 0 && ObjectName.isEmpty() && translator->List.UnsortedItemsExists() &&
        translator->UnitList.Count() == 0)
        return 0;
    return unit;
}

QString TLangCoreData::ClientName(int ClientIndex) const
{
    return TSpans::SpanNameOf(Group(ClientIndex < 0 ? SelectedClient : ClientIndex));
}

bool TLangCoreData::AllowedGlobals() const
{
    const auto *group = qobject_cast<const TWordmillComponent *>(Group(SelectedClient));
    return group && group->GlobalLexicon();
}

bool TLangCoreData::EditorAction(TEditorActions act, const QString &Param)
{
    switch (act) {
    case eaLoadLangForEdit: {
        // An embedded language is edited in a copy in the language folder.
        const int index = IndexOfLanguage(Param);
        if (index < 0) {
            qCWarning(lcWordmill) << "cannot edit" << Param << ": no such language";
        } else if (!QFileInfo(GetFile(index)).isFile() && !Engine->ExtractResourceLanguage(index)) {
            qCWarning(lcWordmill) << "cannot edit" << Param << ": its file" << GetFile(index)
                                  << "is missing and cannot be copied from the program";
            return false;
        }
        return Engine->LoadLanguage(Param, llAddLines | llMarkOld | llReadFlag, QString());
    }
    case eaLoadLangForCreate:
        if (IndexOfLanguage(Param) < 0)
            qCWarning(lcWordmill) << "cannot create a language from" << Param
                                  << ": no such language";
        return Engine->LoadLanguage(Param, llAsSuperior, QString());
    case eaCreateLang: {
        // The new language is named current; there is nothing to switch to
        // yet.
        QString code = EditorISO;
        NormalizeISOCode(code);
        Engine->fCurrentLanguage = EditorLang;
        Engine->fCurrentLangISO = code;
        return true;
    }
    case eaSaveLang:
        // The writer skips a nameless language; for the editor that would be
        // a save that did not happen.
        if (EditorLang.isEmpty() || Param.isEmpty())
            throw EWordmillFileError(
                u"The edited language has no name or no file to be saved in"_s);
        Engine->SaveLanguageFile(EditorLang, CurrentSuperiorLang.Name, EditorISO, Param);
        return true;
    }
    return false;
}

QString TLangCoreData::PrepareForEditor()
{
    ClearWorkData();
    EditorMode = emIndexedLexicon;
    // The editor speaks the library's interface language of this moment:
    // loading the edited language must not change its texts.
    if (LangFormLexicon)
        for (int i = 0; i < EditorLexCount; ++i)
            EditorLex.append(LangFormLexicon->GetItem(i));
    return AboutLine;
}

void TLangCoreData::ClearWorkData()
{
    EditorLex.clear();
    SelectedClient = -1;
    PageFromClient = -1;
    ClientGroups.clear();
    LastSearch.clear();
    WorkIndexes.Clear();
    SourceIndexes.Clear();
    DesignedList.Clear();
    WorkStruct.Clear();
    SourceStruct.Clear();
    WorkLexicon.Clear();
    SourceLexicon.Clear();
    WorkGlobalLexicon.Clear();
    WorkSmartLexicon.Clear();
    SourceSmartLexicon.Clear();
}

void TLangCoreData::CompleteSourceData()
{
    SourceStruct.Clear();
    SourceLexicon.Clear();
    SourceSmartLexicon.Clear();

    for (int i = 0; i <= SmartLexicon.MaxItemNr(); ++i) {
        quint16 descent = DescentNone;
        const QString text = SmartLexicon.ReadItem(i, descent);
        SourceSmartLexicon.WriteItem(SmartLexicon.GetLocStr(i), text, descent);
    }

    for (QObject *client : SpanClients.Components()) {
        if (auto *cpc = qobject_cast<TWordmillCPC *>(client)) {
            const TComponentStructure &design = cpc->DesignStruct;
            for (int l = 0; l < design.Count(); ++l) {
                TSimpleStructLine line = design.GetSimple(l);
                const int found = DataStruct.Find(line.LineID);
                if (found >= 0) {
                    quint16 descent = DataStruct.Descent(found) & 0xFF;
                    QString text = DataStruct.Translation(found);
                    if (descent != DescentOwn && cpc->GlobalLexicon())
                        takeCloserGlobal(SmartLexicon, line.Translation, text, descent);
                    line.Changeable = DataStruct.Changeable(found) & quint16(~ChangeableOld);
                    line.Descent = descent;
                    if (!text.isEmpty())
                        line.Translation = text;
                } else if (cpc->GlobalLexicon()) {
                    // A line the source does not translate shows a global
                    // string there, as it does for lexicon items.
                    QString text;
                    quint16 descent = DescentNone;
                    takeCloserGlobal(SmartLexicon, line.Translation, text, descent);
                    if (!text.isEmpty()) {
                        line.Translation = text;
                        line.Descent = descent;
                    }
                }
                SourceStruct.AddLine(line);
            }
        } else if (auto *translator = qobject_cast<TCustomResourcesTranslator *>(client)) {
            // A translator's strings are smart strings of its own name.
            const QString name = QualifiedName(translator);
            SourceSmartLexicon.NewLexicon(name);
            for (int n = 0; n <= translator->MaxIndex(); ++n) {
                const QString designed = translator->GetLocStr(n);
                quint16 descent = DescentNone;
                QString text = SmartLexicon.ReadItem(name, designed, descent);
                if (descent != DescentOwn && translator->GlobalLexicon())
                    takeCloserGlobal(SmartLexicon, designed, text, descent);
                if (text.isEmpty())
                    SourceSmartLexicon.WriteItem(name, designed, designed, DescentNone);
                else
                    SourceSmartLexicon.WriteItem(name, designed, text, descent);
            }
        } else if (auto *list = qobject_cast<TWordmillList *>(client)) {
            const QString name = QualifiedName(list);
            SourceLexicon.NewLexicon(name);
            for (int n = 0; n <= list->MaxIndex(); ++n) {
                if (!list->IsDefined(n))
                    continue;
                const QString designed = list->GetLocStr(n);
                QString text = designed;
                quint16 descent = DescentNone;
                if (DataLexicon.IsIncluded(name, n))
                    text = DataLexicon.ReadItem(name, n, descent);
                if (descent != DescentOwn && list->GlobalLexicon())
                    takeCloserGlobal(SmartLexicon, designed, text, descent);
                SourceLexicon.WriteItem(name, n, text, descent);
            }
        }
    }

    DataStruct.Clear();
    DataLexicon.Clear();
    SmartLexicon.Clear();
}

bool TLangCoreData::LoadGroups(QStringList &List)
{
    ClientGroups.clear();
    List.clear();
    const auto addGroup = [&](QObject *client) {
        const QString name = TSpans::SpanNameOf(client);
        if (List.contains(name, Qt::CaseInsensitive))
            return; // a second client of that name is not a group of its own
        List.append(name);
        ClientGroups.append(client);
    };
    for (QObject *client : SpanClients.Components()) {
        if (client == LangFormLexicon)
            continue;
        if (qobject_cast<TWordmillCPC *>(client) || qobject_cast<TWordmillList *>(client))
            addGroup(client);
    }
    // The library's own texts, unless it speaks the edited language itself.
    if (LangFormLexicon && Engine && Engine->TranslateWordmill() &&
        !LangFormLexicon->InternalLanguages(EditorLang, EditorISO, false))
        addGroup(LangFormLexicon);
    return true;
}

} // namespace wordmill
