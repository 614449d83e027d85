#include "ResourcesList.h"

#include <wordmill/sys/OneLineForm.h>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

const QString CurrentHeader = u"1;"_s;

// The older stored lists keep every character as "~" and its decimal code,
// with an optional space after the digits. Only the low eight bits of a
// code count; a code above 65535 stays as written.
QString decodeAnsiEscapes(const QString &text)
{
    if (!text.contains(u'~'))
        return text;
    QString result;
    result.reserve(text.size());
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        qsizetype j = i + 1;
        quint32 code = 0;
        while (c == u'~' && j < n && j - i <= 6 && text.at(j) >= u'0' && text.at(j) <= u'9') {
            code = code * 10 + (text.at(j).unicode() - u'0');
            ++j;
        }
        const bool digits = j > i + 1;
        const bool endOfDigits = j >= n || text.at(j) < u'0' || text.at(j) > u'9';
        if (c != u'~' || !digits || !endOfDigits || code > 0xFFFF) {
            // not an escape: copy up to the end of what was examined
            result.append(text.mid(i, digits ? j - i : 1));
            i = digits ? j : i + 1;
            continue;
        }
        result.append(QChar(char16_t(code & 0xFF)));
        i = j < n && text.at(j) == u' ' ? j + 1 : j;
    }
    return result;
}

QString stringValue(const QVariant &value)
{
    if (value.metaType().id() != QMetaType::QString)
        throw EResourcesListError(TResourcesList::ReadErrorText());
    return value.toString();
}

quint32 integerValue(const QVariant &value)
{
    bool ok = false;
    qint64 number = 0;
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Long:
        number = value.toLongLong(&ok);
        break;
    case QMetaType::Double: {
        const double d = value.toDouble();
        ok = std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 1e12;
        number = ok ? qint64(d) : 0;
        break;
    }
    default:
        break;
    }
    if (!ok || number < std::numeric_limits<qint32>::min() ||
        number > std::numeric_limits<quint32>::max())
        throw EResourcesListError(TResourcesList::ReadErrorText());
    return quint32(number);
}

} // namespace

// ---- TResourceInfo

void TResourceInfo::SetUnitId(quint16 Value)
{
    UnitNr = (UnitNr & ~UnitMask) | (Value & UnitMask);
}

void TResourceInfo::SetRepetity(quint16 Value)
{
    UnitNr = (UnitNr & ~(UnitMask << RepetityShift)) | (quint32(Value & UnitMask) << RepetityShift);
}

void TResourceInfo::SetBlind(bool Value)
{
    UnitNr = Value ? UnitNr | BlindBit : UnitNr & ~BlindBit;
}

void TResourceInfo::SetLinked(bool Value)
{
    UnitNr = Value ? UnitNr | LinkedBit : UnitNr & ~LinkedBit;
}

void TResourceInfo::LinkFound(quint16 InUnitId)
{
    if (!Linked()) {
        SetLinked(true);
        SetUnitId(InUnitId);
        return;
    }
    if (Repetity() < UnitMask)
        SetRepetity(Repetity() + 1);
}

bool TResourceInfo::LinkRemove()
{
    if (Repetity() > 0) {
        SetRepetity(Repetity() - 1);
        return false;
    }
    SetLinked(false);
    return true;
}

// ---- TResourcesList

const QString &TResourcesList::ReadErrorText()
{
    static const QString text = u"Wordmill can not retrieve a list of resource strings!"_s;
    return text;
}

int TResourcesList::IndexByName(const QString &Name) const
{
    for (int i = 0; i < Count(); ++i)
        if (Info(i)->Name == Name)
            return i;
    return -1;
}

bool TResourcesList::HasDesignForm(const QString &LocStr) const
{
    if (!fDesignFormsValid) {
        fDesignForms.clear();
        fDesignForms.reserve(Count());
        fItems.ForEach([this](const QString &, const TResourceInfo *info) {
            fDesignForms.insert(info->DesignForm, 0);
        });
        fDesignFormsValid = true;
    }
    return fDesignForms.contains(LocStr);
}

QString TResourcesList::DesignStrings(int Index) const
{
    const TResourceInfo *info = Info(Index);
    return info ? info->DesignForm : QString();
}

void TResourcesList::SetDesignStrings(int Index, const QString &Value)
{
    if (TResourceInfo *info = Info(Index)) {
        info->DesignForm = Value;
        DesignFormsChanged();
    }
}

int TResourcesList::Register(const QString &ResourceStr, const QString &DesignStr,
                             const QString &ResourceName, quint16 UnitId, bool Known)
{
    if (ResourceStr.isEmpty() || DesignStr.isEmpty())
        return -1;
    int index = fItems.IndexOf(ResourceStr);
    if (index < 0)
        index = fItems.AddObject(ResourceStr, std::make_unique<TResourceInfo>());
    TResourceInfo &info = *fItems.Objects(index);
    if (Known && info.Linked()) {
        info.LinkFound(UnitId);
    } else {
        info = TResourceInfo();
        info.DesignForm = DesignStr;
        info.Name = ResourceName;
        if (Known) {
            info.LinkFound(UnitId);
        } else {
            info.SetUnitId(UnitId);
            info.SetBlind(true);
        }
        DesignFormsChanged();
    }
    if (UnitId == 0)
        fUnsortedItemsExists = true;
    return index;
}

int TResourcesList::RegisterKnown(const QString &ResourceStr, const QString &DesignStr,
                                  const QString &ResourceName, quint16 UnitId)
{
    return Register(ResourceStr, DesignStr, ResourceName, UnitId, true);
}

int TResourcesList::RegisterCustom(const QString &ResourceStr, const QString &DesignStr,
                                   const QString &ResourceName, quint16 UnitId)
{
    return Register(ResourceStr, DesignStr, ResourceName, UnitId, false);
}

bool TResourcesList::Equal(const TResourcesList &List) const
{
    if (Count() != List.Count() || LibraryLangCode != List.LibraryLangCode)
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Strings(i) != List.Strings(i) || !(*Info(i) == *List.Info(i)))
            return false;
    return true;
}

bool TResourcesList::DifferDesignForm(const QString &ResourceStr) const
{
    return DifferDesignForm(IndexOf(ResourceStr));
}

bool TResourcesList::DifferDesignForm(int ResourceIndex) const
{
    const TResourceInfo *info = Info(ResourceIndex);
    if (!info)
        return false;
    QString escaped = Strings(ResourceIndex);
    EncodeControlChars(escaped);
    return escaped != info->DesignForm;
}

QString TResourcesList::ReadResource(int Row, QString &ResourceStr, QString &DesignStr,
                                     int &UnitId) const
{
    const TResourceInfo *info = Info(Row);
    if (!info) {
        ResourceStr.clear();
        DesignStr.clear();
        UnitId = -1;
        return QString();
    }
    ResourceStr = Strings(Row);
    DesignStr = info->DesignForm;
    UnitId = info->UnitId();
    return info->Name;
}

void TResourcesList::ReadList(const QVariantList &Values)
{
    Clear();
    if (Values.isEmpty())
        return;
    try {
        const QString header = stringValue(Values.first());
        const bool ansi = header.startsWith(u"ANSI"_s);
        if (!ansi && !header.startsWith(u'1'))
            throw EResourcesListError(ReadErrorText());
        const qsizetype semicolon = header.indexOf(u';');
        LibraryLangCode = semicolon >= 0 ? header.mid(semicolon + 1, 2) : QString();
        const qsizetype count = Values.size();
        for (qsizetype i = 1; i + 3 < count; i += 4) {
            const QString name = stringValue(Values.at(i));
            QString key = stringValue(Values.at(i + 1));
            QString design = stringValue(Values.at(i + 2));
            const quint32 unitNr = integerValue(Values.at(i + 3));
            if (ansi) {
                key = decodeAnsiEscapes(key);
                design = decodeAnsiEscapes(design);
                EncodeControlChars(design);
            }
            if (key.isEmpty())
                continue;
            int index = fItems.IndexOf(key);
            if (index < 0)
                index = fItems.AddObject(key, std::make_unique<TResourceInfo>());
            TResourceInfo &info = *fItems.Objects(index);
            info.Name = name;
            info.DesignForm = design;
            info.UnitNr = unitNr;
            if (info.UnitId() == 0)
                fUnsortedItemsExists = true;
        }
    } catch (const EResourcesListError &) {
        Clear();
        throw;
    }
    DesignFormsChanged();
}

QVariantList TResourcesList::WriteList() const
{
    QVariantList values;
    values.reserve(1 + 4 * Count());
    values.append(CurrentHeader + LibraryLangCode);
    fItems.ForEach([&values](const QString &key, const TResourceInfo *info) {
        values << info->Name << key << info->DesignForm << qint64(info->UnitNr);
    });
    return values;
}

void TResourcesList::Assign(const TResourcesList &Source)
{
    if (&Source == this)
        return;
    fItems.AssignFrom(Source.fItems, [](const TResourceInfo &info) {
        return std::make_unique<TResourceInfo>(info);
    });
    LibraryLangCode = Source.LibraryLangCode;
    fUnsortedItemsExists = Source.fUnsortedItemsExists;
    DesignFormsChanged();
}

void TResourcesList::Clear()
{
    fItems.Clear();
    LibraryLangCode.clear();
    fUnsortedItemsExists = false;
    DesignFormsChanged();
}

// ---- TUnitList

QString TUnitList::GetNameEx(int Index) const
{
    if (Index < 0 || Index >= Count())
        return QString();
    const QString &entry = Strings.at(Index);
    const qsizetype separator = entry.indexOf(u'=');
    return separator >= 0 ? entry.left(separator) : entry;
}

int TUnitList::IndexOfName(const QString &Name) const
{
    return OtherIndexOfName(Name, -1);
}

int TUnitList::OtherIndexOfName(const QString &Name, int BannedIndex) const
{
    for (int i = 0; i < Count(); ++i)
        if (i != BannedIndex && GetNameEx(i).compare(Name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int TUnitList::AddUnit(const QString &Name)
{
    const int index = IndexOfName(Name);
    if (index >= 0)
        return index;
    Strings.append(Name);
    return Count() - 1;
}

} // namespace wordmill
