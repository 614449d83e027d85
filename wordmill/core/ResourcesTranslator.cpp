#include "ResourcesTranslator.h"

#include <wordmill/core/WordmillEngineCore.h>
#include <wordmill/sys/OneLineForm.h>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

const QString UnitsList = u"Units"_s;
const QString ResourcesList = u"Resources"_s;

} // namespace

TCustomResourcesTranslator::TCustomResourcesTranslator(QObject *owner) : TWordmillList(owner)
{
    TranslatorRegistry().Add(this);
}

TCustomResourcesTranslator::~TCustomResourcesTranslator()
{
    MarkComponentDestroying(this);
    QObject::disconnect(m_engineGone);
    TranslatorRegistry().Remove(this);
}

void TCustomResourcesTranslator::RegisterResourceString(const QString &Resource,
                                                        const QString &InDesignLanguage)
{
    QString design = InDesignLanguage.isEmpty() ? Resource : InDesignLanguage;
    EncodeControlChars(design);
    const int index = List.RegisterCustom(Resource, design, QString(), 0);
    if (index < 0 || IsLoading())
        return;
    TTranslatorRegistry &registry = TranslatorRegistry();
    if (registry.InBatch()) {
        registry.NoteChanged(this);
        return;
    }
    // One entry changed: registering many strings one by one stays linear.
    const QString shown = CurrentText(index);
    std::string text = Resource.toStdString();
    fTexts.insert_or_assign(text, shown);
    registry.PublishText(this, text, shown);
}

QString TCustomResourcesTranslator::GetItem(int ItemNr)
{
    if (!IsDefined(ItemNr))
        return QString();
    if (fWordmillEngine)
        return fWordmillEngine->TranslateString(List.DesignStrings(ItemNr), this, -1);
    QString text = List.DesignStrings(ItemNr);
    DecodeControlChars(text);
    return text;
}

QString TCustomResourcesTranslator::CurrentText(int Index)
{
    // An engine that has not started yet shows the design language, which
    // has no translations: asking it would start it from a table rebuild.
    if (fWordmillEngine && fWordmillEngine->IsInitialized() && fWordmillEngine->LData())
        return GetItem(Index);
    QString text = List.DesignStrings(Index);
    DecodeControlChars(text);
    return text;
}

void TCustomResourcesTranslator::RebuildTexts()
{
    TResourceTexts texts;
    texts.reserve(std::size_t(List.Count()));
    for (int i = 0; i < List.Count(); ++i) {
        const QString text = CurrentText(i);
        if (!text.isEmpty())
            texts.emplace(List.Strings(i).toStdString(), text);
    }
    fTexts = std::move(texts);
}

void TCustomResourcesTranslator::Refresh()
{
    TTranslatorRegistry &registry = TranslatorRegistry();
    if (registry.InBatch()) {
        registry.NoteChanged(this);
        return;
    }
    RebuildTexts();
    registry.Publish();
}

void TCustomResourcesTranslator::ListChanged()
{
    if (!IsLoading())
        Refresh();
}

void TCustomResourcesTranslator::LanguageChanged(QObject *Sender)
{
    WatchEngine();
    Refresh();
    TranslatorRegistry().AnnounceLanguageChange();
    TWordmillList::LanguageChanged(Sender);
}

void TCustomResourcesTranslator::Loaded()
{
    TWordmillList::Loaded();
    WatchEngine();
    Refresh();
}

void TCustomResourcesTranslator::WatchEngine()
{
    if (m_watchedEngine == fWordmillEngine.data())
        return;
    QObject::disconnect(m_engineGone);
    m_watchedEngine = fWordmillEngine.data();
    if (!m_watchedEngine)
        return;
    // Without its engine the translator shows the design forms again.
    m_engineGone = connect(m_watchedEngine, &QObject::destroyed, this, [this] {
        m_watchedEngine = nullptr;
        if (!IsDestroying())
            Refresh();
    });
}

QStringList TCustomResourcesTranslator::StoredListNames() const
{
    return {UnitsList, ResourcesList};
}

bool TCustomResourcesTranslator::ReadStoredList(const QString &Name, const QVariantList &Values,
                                                QString &Error)
{
    if (Name == UnitsList) {
        UnitList.Strings.clear();
        for (const QVariant &value : Values)
            UnitList.Strings.append(value.toString());
        return true;
    }
    if (Name != ResourcesList) {
        Error = objectName() + u": no stored list "_s + Name;
        return false;
    }
    try {
        List.ReadList(Values);
    } catch (const EResourcesListError &error) {
        Error = error.Message;
        ListChanged();
        return false;
    }
    ListChanged();
    return true;
}

QList<TStoredList> TCustomResourcesTranslator::WriteStoredLists(const QObject *Ancestor) const
{
    bool write = false;
    if (!Ancestor) {
        write = List.Count() > 0;
    } else {
        const auto *ancestor = qobject_cast<const TCustomResourcesTranslator *>(Ancestor);
        write = !ancestor || ancestor->metaObject() != metaObject() ||
                !List.Equal(ancestor->List) || UnitList.Strings != ancestor->UnitList.Strings;
    }
    if (!write)
        return {};
    QVariantList units;
    units.reserve(UnitList.Count());
    for (const QString &unit : UnitList.Strings)
        units.append(unit);
    return {{UnitsList, units}, {ResourcesList, List.WriteList()}};
}

} // namespace wordmill
