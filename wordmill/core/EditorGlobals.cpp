// The translation editor's global strings: the working copy, writing it
// back, and reading it for the rows.

#include <wordmill/core/LangCoreData.h>

#include <wordmill/core/Lexicon.h>
#include <wordmill/core/ResourcesTranslator.h>
#include <wordmill/core/WordmillCPC.h>
#include <wordmill/toolkit/ComponentNames.h>

namespace wordmill {

namespace {

// Descents of the working global strings.
constexpr quint16 LoadedGlobal = 0; // the edited language's own, as loaded
constexpr quint16 SavedGlobal = 1;  // its own, or set to be saved while editing

} // namespace

void TLangCoreData::LoadNewWorkGlobals()
{
    const TNamedItems &globals = SmartLexicon.GlobalLexicon();
    for (int i = 0; i <= globals.MaxIndex(); ++i) {
        if ((globals.LangDescent(i) & 0xFF) != DescentOwn)
            continue;
        const QString designed = globals.GetLocStr(i);
        if (!WorkGlobalLexicon.IsIncluded(designed))
            WorkGlobalLexicon.Write(designed, globals.Get(i), SavedGlobal);
    }
}

void TLangCoreData::StoreNewGlobals()
{
    SmartLexicon.ClearGlobals();
    const auto keep = [this](const QString &designed) {
        quint16 descent = DescentNone;
        const QString text = WorkGlobalLexicon.Get(designed, descent);
        if (descent == SavedGlobal && !text.isEmpty())
            SmartLexicon.WriteItem(designed, text, DescentOwn);
    };

    // A global string set to be saved is kept while some text without a
    // translation of its own still uses it.
    for (const QPointer<QObject> &group : std::as_const(ClientGroups)) {
        if (auto *cpc = qobject_cast<TWordmillCPC *>(group.data())) {
            const TComponentStructure &design = cpc->DesignStruct;
            for (int l = 0; l < design.Count(); ++l)
                if (DataStruct.Find(design.LineID(l)) < 0)
                    keep(design.Translation(l));
        } else if (auto *translator = qobject_cast<TCustomResourcesTranslator *>(group.data())) {
            const QString name = QualifiedName(translator);
            for (int n = 0; n <= translator->MaxIndex(); ++n) {
                const QString designed = translator->GetLocStr(n);
                if (!SmartLexicon.IsIncluded(name, designed))
                    keep(designed);
            }
        } else if (auto *list = qobject_cast<TWordmillList *>(group.data())) {
            const QString name = QualifiedName(list);
            for (int n = 0; n <= list->MaxIndex(); ++n)
                if (list->IsDefined(n) && !DataLexicon.IsIncluded(name, n))
                    keep(list->GetLocStr(n));
        }
    }

    // The language's own global strings as loaded are kept whatever uses
    // them: they may serve forms that are not open now.
    for (int i = 0; i <= WorkGlobalLexicon.MaxIndex(); ++i) {
        const QString text = WorkGlobalLexicon.Get(i);
        if (WorkGlobalLexicon.LangDescent(i) == LoadedGlobal && !text.isEmpty())
            SmartLexicon.WriteItem(WorkGlobalLexicon.GetLocStr(i), text, DescentOwn);
    }
}

QString TLangCoreData::GetGlobalSource(const QString &LocStr) const
{
    return SourceSmartLexicon.ReadItem(LocStr);
}

QString TLangCoreData::GetGlobalTranslate(const QString &LocStr) const
{
    if (WorkGlobalLexicon.IsIncluded(LocStr))
        return WorkGlobalLexicon.Get(LocStr);
    return GetGlobalSource(LocStr);
}

bool TLangCoreData::EditorItemIsGlobal(int Row, int &WorkIndex)
{
    if (EditorMode == emSmartLexicon) {
        WorkIndex = Row;
        return WorkSmartLexicon.IsGlobal(Row);
    }
    WorkIndex = WorkKey(Row);
    switch (EditorMode) {
    case emClient:
        return WorkStruct.IsGlobal(WorkIndex) && WorkStruct.ValidItem(WorkIndex);
    case emIndexedLexicon:
        return WorkIndex >= 0 && WorkLexicon.IsGlobal(WorkIndex);
    case emResources:
        return WorkSmartLexicon.IsGlobal(WorkIndex);
    case emSmartLexicon:
        break;
    }
    return false;
}

} // namespace wordmill
