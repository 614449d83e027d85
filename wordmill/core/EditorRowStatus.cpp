// The translation editor's row status: colours and their hints, the
// selection of a row, the status switch and the test for untranslated rows.

#include <wordmill/core/LangCoreData.h>

#include <wordmill/core/EditorColors.h>
#include <wordmill/core/ResourcesTranslator.h>

#include <QSet>

namespace wordmill {

namespace {

constexpr quint16 EditedGlobalLimit = 2;

constexpr quint16 LowByte(quint16 descent)
{
    return descent & 0xFF;
}

// Whether a working global string gives Designed a non-empty translation.
bool hasGlobalTranslation(const TNamedItems &Globals, const QString &Designed)
{
    const int global = Globals.Find(Designed, EditedGlobalLimit);
    return global >= 0 && !Globals.Get(global).isEmpty();
}

} // namespace

quint32 TLangCoreData::GetItemColor(quint16 ItemDescent, bool NoTrans)
{
    if (ItemDescent == DescentNone)
        return EditorColor::InternalLanguage;
    if (ItemDescent > DescentNone)
        return EditorColor::GlobalSourceTranslation;
    return NoTrans ? EditorColor::KeepSourceTranslation : EditorColor::SourceTranslation;
}

quint32 TLangCoreData::GetItemColor(quint16 ItemDescent, const QString &ItemContent,
                                    const QString &Original)
{
    const bool global = ItemDescent > DescentNone;
    const bool inherited = LowByte(ItemDescent) != DescentOwn;
    if (ItemContent.isEmpty()) {
        if (inherited)
            return global ? EditorColor::InvalidGlobalTranslation : EditorColor::InvalidTranslation;
        return IsGlobalDescent(ItemDescent) ? EditorColor::GlobalTranslationRemoved
                                            : EditorColor::CancelTranslation;
    }
    // Only an inherited text is compared with its reference: an own text
    // equal to the source is still the language's own translation.
    if (inherited && ItemContent == Original) {
        if (ItemDescent == DescentNone)
            return EditorColor::InternalLanguage;
        return global ? EditorColor::GlobalSourceTranslation : EditorColor::SourceTranslation;
    }
    if (global)
        return EditorColor::GlobalTranslation;
    return Original.isEmpty() ? EditorColor::TranslatedWithoutSource : EditorColor::Translated;
}

quint32 TLangCoreData::GetItemColor(int EditorIndex, const QString &ObjectName,
                                    const QString &CurrentString)
{
    const int key = WorkKey(EditorIndex);
    if (PageFromClient != SelectedClient || key < 0)
        return EditorColor::NotEvaluated;
    switch (EditorMode) {
    case emClient: {
        if (WorkStruct.Count() == 0 || SourceIndexes.Count() == 0)
            return EditorColor::NotEvaluated;
        const int source = SourceLine(EditorIndex);
        const quint16 changeable = WorkStruct.Changeable(key);
        if (changeable & ChangeableOld) {
            if (CurrentString == WorkStruct.Translation(key))
                return EditorColor::RestoredTranslation;
            // Changed: the row is no longer a restored one.
            WorkStruct.SetChangeable(key, changeable & quint16(~ChangeableOld));
            return EditorColor::Translated;
        }
        if (!(changeable & ChangeableTranslatable))
            return EditorColor::KeepSourceTranslation;
        const quint16 descent = WorkStruct.Descent(key);
        QString reference = SourceStruct.Translation(source);
        if (IsGlobalDescent(descent) && !SourceStruct.IsGlobal(source))
            reference = GetGlobalSource(DesignedList.Get(key));
        return GetItemColor(descent, CurrentString, reference);
    }
    case emIndexedLexicon: {
        const quint16 descent = WorkLexicon.LangDescent(key);
        quint16 sourceDescent = DescentNone;
        QString reference = SourceLexicon.ReadItem(ObjectName, key, sourceDescent);
        if (IsGlobalDescent(descent) && !IsGlobalDescent(sourceDescent))
            reference = GetGlobalSource(DesignedList.Get(key));
        return GetItemColor(descent, CurrentString, reference);
    }
    case emResources: {
        const quint16 descent = WorkSmartLexicon.LangDescent(key);
        const QString designed = WorkSmartLexicon.GetLocStr(key);
        quint16 sourceDescent = DescentNone;
        QString reference = SourceSmartLexicon.ReadItem(ObjectName, designed, sourceDescent);
        if (IsGlobalDescent(descent) && !IsGlobalDescent(sourceDescent))
            reference = GetGlobalSource(designed);
        return GetItemColor(descent, CurrentString, reference);
    }
    case emSmartLexicon:
        break;
    }
    return EditorColor::NotEvaluated;
}

QString TLangCoreData::GetColorHint(quint32 Color) const
{
    const int item = EditorColorHintItem(Color);
    return item >= 0 ? EditorLex.value(item) : QString();
}

void TLangCoreData::CollectSameOriginal(int EditorItem, TWordList *SameLocStr) const
{
    if (!SameLocStr)
        return;
    SameLocStr->Clear();
    if (!AllowedGlobals())
        return;
    const QString designed = DesignedList.Get(WorkKey(EditorItem));
    for (int r = 0; r < WorkIndexes.Count(); ++r)
        if (r != EditorItem && DesignedList.Get(WorkKey(r)) == designed)
            SameLocStr->AddWord(quint16(r));
}

QString TLangCoreData::SelectEditorItem(int EditorItem, TWordList *SameLocStr, quint32 &SourceColor)
{
    LastSearch.clear();
    QString result;
    quint16 sourceDescent = DescentOwn;
    bool noTrans = true;
    const int key = WorkKey(EditorItem);
    if (SelectedClient >= 0 && key >= 0) {
        switch (EditorMode) {
        case emClient: {
            const int source = SourceLine(EditorItem);
            result = SourceStruct.Translation(source);
            sourceDescent = SourceStruct.Descent(source);
            noTrans = !(SourceStruct.Changeable(source) & ChangeableTranslatable);
            CollectSameOriginal(EditorItem, SameLocStr);
            break;
        }
        case emIndexedLexicon:
            result = SourceLexicon.ReadItem(ClientName(-1), key, sourceDescent);
            noTrans = false;
            CollectSameOriginal(EditorItem, SameLocStr);
            break;
        case emResources: {
            const QString name = ClientName(-1);
            const QString designed = WorkSmartLexicon.GetLocStr(key);
            result = SourceSmartLexicon.ReadItem(name, designed, sourceDescent);
            noTrans = false;
            if (SameLocStr) {
                SameLocStr->Clear();
                if (AllowedGlobals())
                    for (int r = 0; r < WorkIndexes.Count(); ++r)
                        if (r != EditorItem && WorkSmartLexicon.GetLocStr(WorkKey(r)) == designed)
                            SameLocStr->AddWord(quint16(r));
            }
            break;
        }
        case emSmartLexicon:
            break;
        }
    } else if (SameLocStr) {
        SameLocStr->Clear();
    }
    SourceColor = GetItemColor(sourceDescent, noTrans);
    return result;
}

bool TLangCoreData::SwitchEditorItem(int EditorItem, const QString &Content, bool &AllowNoTrans,
                                     QString &NewText)
{
    NewText.clear();
    const int key = WorkKey(EditorItem);
    if (SelectedClient < 0 || SelectedClient != PageFromClient || key < 0)
        return false;
    const bool globals = AllowedGlobals();

    if (EditorMode == emClient) {
        quint16 changeable = WorkStruct.Changeable(key);
        quint16 descent = WorkStruct.Descent(key);
        const QString source = SourceStruct.Translation(SourceLine(EditorItem));
        if (!(changeable & ChangeableTranslatable)) {
            // Keeping the source translation goes back to an own translation.
            changeable = ChangeableTranslatable;
            AllowNoTrans = false;
        } else {
            RememberCell(Content, key, descent, false);
            if (!AllowNoTrans && globals) {
                AllowNoTrans = true; // own and global swap first
            } else {
                changeable = 0;
                NewText = source;
            }
            // The global bit, inverted at each step, tells the keep-source
            // state where to return.
            if (globals) {
                descent ^= DescentGlobal;
                WorkStruct.SetDescent(key, descent);
            }
        }
        WorkStruct.SetChangeable(key, changeable);
        if (changeable != 0) {
            if (IsGlobalDescent(descent)) {
                NewText = GetGlobalTranslate(DesignedList.Get(key));
                if (NewText.isEmpty() && Content != source)
                    NewText = Content;
            } else {
                NewText = WorkStruct.Translation(key);
                if (NewText.isEmpty())
                    NewText = source;
            }
        }
        return true;
    }

    if (!globals || (EditorMode != emIndexedLexicon && EditorMode != emResources))
        return false;
    const bool resources = EditorMode == emResources;
    const QString designed = resources ? WorkSmartLexicon.GetLocStr(key) : DesignedList.Get(key);
    const QString source = resources ? SourceSmartLexicon.ReadItem(ClientName(-1), designed)
                                     : SourceLexicon.ReadItem(ClientName(-1), key);
    const quint16 descent =
        resources ? WorkSmartLexicon.LangDescent(key) : WorkLexicon.LangDescent(key);
    RememberCell(Content, key, descent, false);
    const quint16 switched = descent ^ DescentGlobal;
    if (resources)
        WorkSmartLexicon.SetLangDescent(key, switched);
    else
        WorkLexicon.SetLangDescent(key, switched);
    if (IsGlobalDescent(descent)) {
        // Leaving the global translation: the row's own text, else the
        // source's.
        NewText = resources ? WorkSmartLexicon.Get(key) : WorkLexicon.Get(key);
        if (NewText.isEmpty())
            NewText = source;
    } else {
        NewText = GetGlobalTranslate(designed);
        if (NewText.isEmpty() && Content != source)
            NewText = Content;
    }
    return true;
}

bool TLangCoreData::IsUntranslated(const QString &ClientName, const QString &ObjectName)
{
    switch (EditorMode) {
    case emClient:
        for (int l = 0; l < WorkStruct.Count(); ++l) {
            if (!ObjectName.isEmpty() && WorkStruct.ComponentName(l) != ObjectName)
                continue;
            const quint16 changeable = WorkStruct.Changeable(l);
            if (!(changeable & ChangeableTranslatable))
                continue;
            if (changeable & ChangeableOld)
                return true;
            const quint16 descent = WorkStruct.Descent(l);
            if (IsGlobalDescent(descent)) {
                if (!hasGlobalTranslation(WorkGlobalLexicon, DesignedList.Get(l)))
                    return true;
                continue;
            }
            if (LowByte(descent) == DescentOwn)
                continue;
            const QString text = WorkStruct.Translation(l);
            if (text.isEmpty() || text == SourceStruct.GetString(l, WorkStruct))
                return true;
        }
        return false;
    case emIndexedLexicon:
        for (int i = 0; i <= WorkLexicon.MaxIndex(); ++i) {
            if (!WorkLexicon.IsIncluded(i))
                continue;
            const quint16 descent = WorkLexicon.LangDescent(i);
            if (IsGlobalDescent(descent)) {
                if (!hasGlobalTranslation(WorkGlobalLexicon, DesignedList.Get(i)))
                    return true;
                continue;
            }
            if (LowByte(descent) == DescentOwn)
                continue;
            const QString text = WorkLexicon.Get(i);
            if (text.isEmpty() || text == SourceLexicon.ReadItem(ClientName, i))
                return true;
        }
        return false;
    case emResources: {
        const TCustomResourcesTranslator *translator = SelectedTranslator();
        const int unit = ResourceUnit(ObjectName);
        if (!translator || unit < 0)
            return false;
        QSet<QString> designs;
        for (int r = 0; r < translator->List.Count(); ++r)
            if (const TResourceInfo *info = translator->List.Info(r);
                info && info->UnitId() == unit)
                designs.insert(translator->GetLocStr(r));
        for (int i = 0; i <= WorkSmartLexicon.MaxIndex(); ++i) {
            const QString designed = WorkSmartLexicon.GetLocStr(i);
            if (!designs.contains(designed))
                continue;
            const quint16 descent = WorkSmartLexicon.LangDescent(i);
            if (IsGlobalDescent(descent)) {
                if (!hasGlobalTranslation(WorkGlobalLexicon, designed))
                    return true;
                continue;
            }
            if (LowByte(descent) == DescentOwn)
                continue;
            const QString text = WorkSmartLexicon.Get(i);
            if (text.isEmpty() || text == SourceSmartLexicon.ReadItem(ClientName, designed))
                return true;
        }
        return false;
    }
    case emSmartLexicon:
        break;
    }
    return false;
}

} // namespace wordmill
