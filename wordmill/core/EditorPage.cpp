// The translation editor's pages: the work data of the selected group, the
// rows of a page, and storing the edited rows back.

#include <wordmill/core/LangCoreData.h>

#include <wordmill/core/Lexicon.h>
#include <wordmill/core/ResourcesTranslator.h>
#include <wordmill/core/WordmillCPC.h>
#include <wordmill/core/WordmillEngineCore.h>
#include <wordmill/sys/LanguageNames.h>
#include <wordmill/sys/OneLineForm.h>
#include <wordmill/toolkit/ComponentNames.h>

#include <QScopeGuard>
#include <QSet>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

// Global strings of the edited language: descent 0 or 1, not 2 (added
// while editing without being saved).
constexpr quint16 EditedGlobalLimit = 2;

// Rows and work keys are 16-bit numbers; this one stands for "no line".
constexpr quint16 NoLine = 0xFFFF;

// Any descent, the global bit included.
constexpr quint16 AnyDescent = 512;

QString encoded(QString text)
{
    EncodeControlChars(text);
    return text;
}

constexpr quint16 LowByte(quint16 descent)
{
    return descent & 0xFF;
}

} // namespace

int TLangCoreData::WorkKey(int Row) const
{
    return Row >= 0 && Row < WorkIndexes.Count() ? WorkIndexes.GetWord(Row) : -1;
}

int TLangCoreData::SourceLine(int Row) const
{
    if (Row < 0 || Row >= SourceIndexes.Count())
        return -1;
    const quint16 line = SourceIndexes.GetWord(Row);
    return line == NoLine ? -1 : line;
}

TEditorModes TLangCoreData::ChangeEditorClient(int ClientIndex)
{
    TEditorModes mode = emIndexedLexicon;
    // The mode is the group's even when loading it fails half-way.
    const auto setMode = qScopeGuard([&] { EditorMode = mode; });

    StoreChanges();
    WorkLexicon.Clear();
    WorkStruct.Clear();
    DesignedList.Clear();
    WorkSmartLexicon.Clear();
    SelectedClient = ClientIndex >= 0 && ClientIndex < ClientGroups.size() ? ClientIndex : -1;
    QObject *group = Group(SelectedClient);
    if (!group)
        return mode;

    if (auto *cpc = qobject_cast<TWordmillCPC *>(group)) {
        mode = emClient;
        WorkStruct.Assign(cpc->DesignStruct);
        const bool globals = AllowedGlobals();
        for (int l = 0; l < WorkStruct.Count(); ++l) {
            const QString designed = WorkStruct.Translation(l);
            DesignedList.Add(l, designed, DescentOwn);
            const int data = DataStruct.Find(l, WorkStruct);
            if (data >= 0) {
                WorkStruct.SetupLineBy(l, data, DataStruct, ChangeableOwnTranslation);
                continue;
            }
            const int global = globals ? WorkGlobalLexicon.Find(designed, EditedGlobalLimit) : -1;
            if (global >= 0) {
                WorkStruct.SetTranslation(l, WorkGlobalLexicon.Get(global));
                WorkStruct.SetDescent(l, DescentGlobal);
                continue;
            }
            const int source = SourceStruct.Find(l, WorkStruct);
            if (source >= 0)
                WorkStruct.SetupLineBy(l, source, SourceStruct, 0);
        }
        return mode;
    }

    if (auto *translator = qobject_cast<TCustomResourcesTranslator *>(group)) {
        mode = emResources;
        LoadTranslator(translator);
        return mode;
    }

    auto *list = qobject_cast<TWordmillList *>(group);
    if (!list)
        return mode;
    const QString name = QualifiedName(list);
    const bool globals = AllowedGlobals();
    for (int i = 0; i <= list->MaxIndex(); ++i) {
        if (!list->IsDefined(i))
            continue;
        const QString designed = list->GetLocStr(i);
        DesignedList.Add(i, designed, DescentOwn);
        QString text = designed;
        quint16 descent = DescentNone;
        const int global = globals ? WorkGlobalLexicon.Find(designed, EditedGlobalLimit) : -1;
        if (DataLexicon.IsIncluded(name, i)) {
            text = DataLexicon.ReadItem(name, i, descent);
        } else if (global >= 0) {
            text = WorkGlobalLexicon.Get(global);
            descent = DescentGlobal;
        } else if (SourceLexicon.IsIncluded(name, i)) {
            text = SourceLexicon.ReadItem(name, i, descent);
        }
        WorkLexicon.Add(i, text, descent);
    }
    return mode;
}

void TLangCoreData::LoadTranslator(const TCustomResourcesTranslator *Translator)
{
    const QString name = QualifiedName(Translator);
    const bool globals = AllowedGlobals();
    // When the program's own texts are in the edited language they are its
    // current translation.
    const QString original = Translator->OriginalLanguage();
    QString originalCode = original;
    const bool currentTexts =
        !original.isEmpty() && (original.compare(EditorLang, Qt::CaseInsensitive) == 0 ||
                                (NormalizeISOCode(originalCode) && Engine &&
                                 originalCode == Engine->CurrentLanguageISO()));
    for (int i = 0; i <= Translator->MaxIndex(); ++i) {
        const QString designed = Translator->GetLocStr(i);
        QString text = designed;
        quint16 descent = DescentNone;
        bool found = true;
        const int own = SmartLexicon.FindTranslate(name, designed, DescentNone);
        const int global = globals ? WorkGlobalLexicon.Find(designed, EditedGlobalLimit) : -1;
        if (own >= 0) {
            text = SmartLexicon.ReadItem(name, own, descent);
        } else if (global >= 0) {
            text = WorkGlobalLexicon.Get(global);
            descent = DescentGlobal;
        } else if (currentTexts) {
            text = encoded(Translator->List.Strings(i));
            descent = 1;
            // With global strings the program's text becomes the global
            // translation of its design form.
            if (globals && text != designed) {
                WorkGlobalLexicon.Add(designed, text, 1);
                descent = DescentGlobal;
            }
        } else {
            found = false;
        }
        if (!found) {
            const int source = SourceSmartLexicon.FindTranslate(name, designed, AnyDescent);
            if (source >= 0)
                text = SourceSmartLexicon.ReadItem(name, source, descent);
        }
        WorkSmartLexicon.Add(designed, text, descent);
    }
}

void TLangCoreData::LoadObjects(QStringList &List)
{
    List.clear();
    if (EditorMode == emResources) {
        if (const TCustomResourcesTranslator *translator = SelectedTranslator()) {
            // Unit 0 holds the strings of no known unit.
            if (translator->List.UnsortedItemsExists())
                List.append(translator->UnitList.GetNameEx(0));
            for (int u = 1; u < translator->UnitList.Count(); ++u)
                List.append(translator->UnitList.GetNameEx(u));
        }
        return;
    }
    if (EditorMode == emClient) {
        QSet<QString> seen;
        for (int l = 0; l < WorkStruct.Count(); ++l) {
            const QString component = WorkStruct.ComponentName(l);
            if (!seen.contains(component)) {
                seen.insert(component);
                List.append(component);
            }
        }
    }
}

void TLangCoreData::NewEditorPage(const QString &ObjectName,
                                  const QStringList &WordmillAdditionNames)
{
    LastSearch.clear();
    WorkIndexes.Clear();
    SourceIndexes.Clear();
    switch (EditorMode) {
    case emClient:
        // Rows address their lines by 16-bit numbers.
        for (int l = 0; l < WorkStruct.Count() && l < NoLine; ++l) {
            const QString component = WorkStruct.ComponentName(l);
            if (!ObjectName.isEmpty() && component != ObjectName)
                continue;
            const int source = SourceStruct.Find(l, WorkStruct);
            WorkIndexes.AddWord(quint16(l));
            SourceIndexes.AddWord(source >= 0 && source < NoLine ? quint16(source) : NoLine);
            QString label = WorkStruct.GetPropertyName(l, WordmillAdditionNames);
            if (ObjectName.isEmpty())
                label = component + u'.' + label;
            QString text;
            if (!(WorkStruct.Changeable(l) & ChangeableTranslatable))
                text = SourceStruct.Translation(source);
            else if (WorkStruct.IsGlobal(l))
                text = GetGlobalTranslate(DesignedList.Get(l));
            else
                text = WorkStruct.Translation(l);
            AddEditorRow(label, text);
        }
        break;
    case emIndexedLexicon:
        for (int i = 0; i <= WorkLexicon.MaxIndex(); ++i) {
            if (!WorkLexicon.IsIncluded(i))
                continue;
            WorkIndexes.AddWord(quint16(i));
            const QString text = WorkLexicon.IsGlobal(i) ? GetGlobalTranslate(DesignedList.Get(i))
                                                         : WorkLexicon.Get(i);
            AddEditorRow(u"Item["_s + QString::number(i) + u']', text);
        }
        break;
    case emResources:
        NewResourcesPage(ObjectName);
        break;
    case emSmartLexicon:
        break;
    }
    PageFromClient = SelectedClient;
}

void TLangCoreData::NewResourcesPage(const QString &ObjectName)
{
    const TCustomResourcesTranslator *translator = SelectedTranslator();
    const int unit = ResourceUnit(ObjectName);
    if (!translator || unit < 0 || WorkSmartLexicon.Count() == 0)
        return;
    QSet<int> shown;
    const TResourcesList &list = translator->List;
    for (int r = 0; r < list.Count(); ++r) {
        const TResourceInfo *info = list.Info(r);
        if (!info || info->UnitId() != unit)
            continue;
        const QString designed = translator->GetLocStr(r);
        const int work = WorkSmartLexicon.Find(designed, AnyDescent);
        if (work < 0 || work >= NoLine || shown.contains(work))
            continue;
        shown.insert(work);
        WorkIndexes.AddWord(quint16(work));
        // A label is the grid's name column: it must not hold "=".
        QString label = list.Strings(r);
        label.replace(u'=', u'~');
        const QString text = WorkSmartLexicon.IsGlobal(work) ? GetGlobalTranslate(designed)
                                                             : WorkSmartLexicon.Get(work);
        AddEditorRow(encoded(label), text);
    }
}

int TLangCoreData::GetEditorRowsCount() const
{
    if (EditorMode == emResources)
        return WorkIndexes.Count();
    return qMax(WorkIndexes.Count(), int(WorkSmartLexicon.Count()));
}

bool TLangCoreData::ChangeableEditorItem(int Row) const
{
    const int line = WorkKey(Row);
    if (line < 0 || line >= WorkStruct.Count())
        return true;
    return WorkStruct.Changeable(line) & ChangeableTranslatable;
}

QString TLangCoreData::GetOriginalForEditorItem(int EditorItem) const
{
    const int key = WorkKey(EditorItem);
    if (key < 0)
        return QString();
    if (EditorMode == emResources)
        return WorkSmartLexicon.GetLocStr(key);
    return DesignedList.Get(key);
}

QString TLangCoreData::GetSourceForEditorItem(int EditorItem) const
{
    const int key = WorkKey(EditorItem);
    if (key < 0)
        return QString();
    switch (EditorMode) {
    case emClient:
        return SourceStruct.Translation(SourceLine(EditorItem));
    case emIndexedLexicon:
        return SourceLexicon.ReadItem(ClientName(-1), key);
    case emResources:
        return SourceSmartLexicon.ReadItem(ClientName(-1), WorkSmartLexicon.GetLocStr(key));
    case emSmartLexicon:
        break;
    }
    return QString();
}

void TLangCoreData::RememberCell(const QString &Content, int WorkIndex, quint16 Descent,
                                 bool SaveNewGlobals)
{
    if (IsGlobalDescent(Descent)) {
        const QString designed = EditorMode == emResources ? WorkSmartLexicon.GetLocStr(WorkIndex)
                                                           : DesignedList.Get(WorkIndex);
        WorkGlobalLexicon.SaveChangedGlobalItem(designed, Content, SaveNewGlobals);
        return;
    }
    switch (EditorMode) {
    case emClient:
        WorkStruct.SetTranslation(WorkIndex, Content);
        break;
    case emIndexedLexicon:
        WorkLexicon.Write(WorkIndex, Content, Descent);
        break;
    case emResources:
        WorkSmartLexicon.Write(WorkIndex, Content, Descent);
        break;
    case emSmartLexicon:
        break;
    }
}

void TLangCoreData::StoreEditorPage()
{
    if (SelectedClient < 0 || SelectedClient != PageFromClient)
        return;
    const int rows = WorkIndexes.Count();
    switch (EditorMode) {
    case emClient:
        for (int r = 0; r < rows; ++r) {
            const QString text = GetEditorRow(r);
            const int line = WorkKey(r);
            const int source = SourceLine(r);
            const quint16 descent = WorkStruct.Descent(line);
            quint16 changeable = WorkStruct.Changeable(line);
            const QString sourceText = SourceStruct.Translation(source);
            const bool differs = text != sourceText;
            const bool sourceGlobal = SourceStruct.IsGlobal(source);
            // Bit 2 decides whether the line goes into the edited language.
            bool keep = false;
            if (!text.isEmpty() && !IsGlobalDescent(descent))
                keep = LowByte(descent) == DescentOwn ||
                       (changeable & ChangeableTranslatable) !=
                           (SourceStruct.Changeable(source) & ChangeableTranslatable) ||
                       differs || text != WorkStruct.Translation(line) || sourceGlobal;
            if (keep)
                changeable |= ChangeableOwnTranslation;
            else
                changeable &= quint16(~ChangeableOwnTranslation);
            WorkStruct.SetChangeable(line, changeable);
            RememberCell(text, line, descent, differs || !sourceGlobal);
        }
        break;
    case emIndexedLexicon: {
        const QString name = ClientName(-1);
        for (int r = 0; r < rows; ++r) {
            QString text = GetEditorRow(r);
            const int item = WorkKey(r);
            const quint16 descent = WorkLexicon.LangDescent(item);
            quint16 sourceDescent = DescentNone;
            const QString sourceText = SourceLexicon.ReadItem(name, item, sourceDescent);
            const bool differs = text != sourceText;
            if (IsGlobalDescent(descent)) {
                // The text belongs to the global string; the item keeps no
                // text of its own but stays global.
                WorkLexicon.Write(item, QString(), descent);
            } else if (LowByte(descent) != DescentOwn && !differs &&
                       !IsGlobalDescent(sourceDescent) && text == WorkLexicon.Get(item)) {
                text.clear(); // an unchanged inherited text is not made the language's own
            }
            RememberCell(text, item, descent, differs || !IsGlobalDescent(sourceDescent));
        }
        break;
    }
    case emResources: {
        const QString name = ClientName(-1);
        for (int r = 0; r < rows; ++r) {
            const QString text = GetEditorRow(r);
            const int item = WorkKey(r);
            quint16 sourceDescent = DescentNone;
            const QString sourceText =
                SourceSmartLexicon.ReadItem(name, WorkSmartLexicon.GetLocStr(item), sourceDescent);
            RememberCell(text, item, WorkSmartLexicon.LangDescent(item),
                         text != sourceText || !IsGlobalDescent(sourceDescent));
        }
        break;
    }
    case emSmartLexicon:
        break;
    }
}

void TLangCoreData::StoreGroup()
{
    if (SelectedClient < 0 || SelectedClient != PageFromClient)
        return;
    switch (EditorMode) {
    case emClient:
        for (int l = 0; l < WorkStruct.Count(); ++l) {
            const int data = DataStruct.Find(l, WorkStruct);
            if (WorkStruct.Changeable(l) & ChangeableOwnTranslation) {
                if (data < 0)
                    DataStruct.Copy(l, WorkStruct);
                else
                    DataStruct.SetupLineBy(data, l, WorkStruct, 0);
            } else if (data >= 0) {
                DataStruct.DeleteLine(data);
            }
        }
        break;
    case emIndexedLexicon: {
        if (WorkLexicon.Count() == 0)
            break;
        const QString name = ClientName(-1);
        DataLexicon.NewLexicon(name);
        for (int i = 0; i <= WorkLexicon.MaxIndex(); ++i) {
            if (!WorkLexicon.IsIncluded(i))
                continue;
            const QString text = WorkLexicon.Get(i);
            if (text.isEmpty())
                DataLexicon.RemoveItem(name, i);
            else
                DataLexicon.WriteItem(name, i, text, DescentOwn);
        }
        break;
    }
    case emResources: {
        if (WorkSmartLexicon.Count() == 0)
            break;
        const QString name = ClientName(-1);
        SmartLexicon.NewLexicon(name);
        for (int i = 0; i <= WorkSmartLexicon.MaxIndex(); ++i) {
            const QString designed = WorkSmartLexicon.GetLocStr(i);
            const QString text = WorkSmartLexicon.Get(i);
            const quint16 descent = WorkSmartLexicon.LangDescent(i);
            bool own = false;
            if (!IsGlobalDescent(descent) && !text.isEmpty()) {
                quint16 sourceDescent = DescentNone;
                const QString sourceText =
                    SourceSmartLexicon.ReadItem(name, designed, sourceDescent);
                own = LowByte(descent) == DescentOwn || text != sourceText ||
                      IsGlobalDescent(sourceDescent);
            }
            if (own)
                SmartLexicon.WriteItem(name, designed, text, DescentOwn);
            else
                SmartLexicon.RemoveItem(name, designed);
        }
        break;
    }
    case emSmartLexicon:
        break;
    }
}

void TLangCoreData::StoreChanges()
{
    StoreEditorPage();
    StoreGroup();
}

} // namespace wordmill
