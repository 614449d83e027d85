#pragma once

#include <wordmill/sys/NamedObjectList.h>

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <stdexcept>

namespace wordmill {

// What the library knows of one resource string: its unit and how it was
// found (packed into UnitNr), its form in the design language and the name
// the program gives it.
//
// UnitNr bits: 0 to 9 the unit (0 for none), 10 to 19 how many further
// times the string turned up while units were scanned, 20 registered by
// code (blind), 21 found in a unit (linked).
class TResourceInfo
{
public:
    static constexpr quint32 UnitMask = 0x3FF;
    static constexpr int RepetityShift = 10;
    static constexpr quint32 BlindBit = 1u << 20;
    static constexpr quint32 LinkedBit = 1u << 21;

    quint32 UnitNr = 0;
    QString DesignForm; // one-line form
    QString Name;

    quint32 GetFlags() const { return UnitNr; }
    quint16 UnitId() const { return quint16(UnitNr & UnitMask); }
    void SetUnitId(quint16 Value);
    quint16 Repetity() const { return quint16((UnitNr >> RepetityShift) & UnitMask); }
    void SetRepetity(quint16 Value);
    bool Blind() const { return UnitNr & BlindBit; }
    void SetBlind(bool Value);
    bool Linked() const { return UnitNr & LinkedBit; }
    void SetLinked(bool Value);

    // A find in a unit: the first one links the entry to InUnitId, every
    // further one raises the repetition count (up to its 10-bit limit).
    void LinkFound(quint16 InUnitId);
    // Takes one find back: false while finds remain, true when the last
    // one is gone (the entry is then no longer linked).
    bool LinkRemove();

    bool operator==(const TResourceInfo &) const = default;
};

// Raised when a stored list of resource strings cannot be read.
class EResourcesListError : public std::runtime_error
{
public:
    explicit EResourcesListError(const QString &message)
        : std::runtime_error(message.toStdString()), Message(message)
    {
    }
    QString Message;
};

// The resource strings a translator knows, sorted by the text as the
// program loads it (letter case significant), one entry per text. Each
// entry owns its TResourceInfo; a later registration of the same text
// replaces the earlier one's data.
class TResourcesList
{
public:
    // The text of a stored list whose header is not understood.
    static const QString &ReadErrorText();

    TResourcesList() = default;
    TResourcesList(const TResourcesList &) = delete;
    TResourcesList &operator=(const TResourcesList &) = delete;

    int Count() const { return fItems.Count(); }
    // The text as loaded; empty outside the list.
    const QString &Strings(int Index) const { return fItems.Strings(Index); }
    int IndexOf(const QString &ResourceStr) const { return fItems.IndexOf(ResourceStr); }
    // Position of the first entry with that resource name, or -1.
    int IndexByName(const QString &Name) const;
    // Whether some entry's design form is exactly LocStr.
    bool HasDesignForm(const QString &LocStr) const;

    // The design form of an entry (one-line form); empty outside the list.
    QString DesignStrings(int Index) const;
    void SetDesignStrings(int Index, const QString &Value);
    // The entry's data; nullptr outside the list.
    TResourceInfo *Info(int Index) const { return fItems.Objects(Index); }

    // A string found in unit UnitId: added and linked; a further find of a
    // linked entry only raises its repetition count. -1 (nothing done) for
    // an empty text or design form, else the entry's position.
    int RegisterKnown(const QString &ResourceStr, const QString &DesignStr,
                      const QString &ResourceName, quint16 UnitId);
    // A string registered by code (blind); the same results.
    int RegisterCustom(const QString &ResourceStr, const QString &DesignStr,
                       const QString &ResourceName, quint16 UnitId);

    // Some entry belongs to no unit.
    bool UnsortedItemsExists() const { return fUnsortedItemsExists; }
    // The two-letter code kept with the stored list.
    QString LibraryLangCode;

    bool Equal(const TResourcesList &List) const;
    // Whether the entry's text, escaped, differs from its design form.
    bool DifferDesignForm(const QString &ResourceStr) const;
    bool DifferDesignForm(int ResourceIndex) const;
    // The entry's name, text, design form and unit; unit -1 and empty
    // texts outside the list.
    QString ReadResource(int Row, QString &ResourceStr, QString &DesignStr, int &UnitId) const;

    // Reads a stored list: a header "1;" + code (or the older "ANSI" list
    // whose texts carry "~NNN " escapes), then four values per entry: name,
    // text and design form (strings) and UnitNr (integer). A list that ends
    // inside an entry stops quietly. Throws EResourcesListError for any
    // other header or a value of the wrong kind; the list is then empty.
    void ReadList(const QVariantList &Values);
    // The stored form ReadList reads.
    QVariantList WriteList() const;

    void Assign(const TResourcesList &Source);
    void Clear();

private:
    int Register(const QString &ResourceStr, const QString &DesignStr, const QString &ResourceName,
                 quint16 UnitId, bool Known);
    void DesignFormsChanged() { fDesignFormsValid = false; }

    TNamedObjectList<TResourceInfo> fItems;
    bool fUnsortedItemsExists = false;
    // Design forms, for IsDefined of the translator; rebuilt after changes.
    mutable QHash<QString, int> fDesignForms;
    mutable bool fDesignFormsValid = false;
};

// The units resource strings belong to: "name" or "name=value" entries; the
// library reads only the name. Names compare without regard to letter case.
class TUnitList
{
public:
    QStringList Strings;

    int Count() const { return int(Strings.size()); }
    // The name part of an entry; empty outside the list.
    QString GetNameEx(int Index) const;
    // The first entry of that name, or -1.
    int IndexOfName(const QString &Name) const;
    // The same, skipping BannedIndex.
    int OtherIndexOfName(const QString &Name, int BannedIndex) const;
    // Adds a unit unless one of that name exists; its position either way.
    int AddUnit(const QString &Name);
};

} // namespace wordmill
