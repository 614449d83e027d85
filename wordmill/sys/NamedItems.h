#pragma once

#include <wordmill/sys/NamedItemsList.h>

#include <QString>

namespace wordmill {

class TSmartLexiconData;

// A collection of smart strings: design texts with their translations and
// descents, kept in the order of the design texts. Positions (item numbers)
// are positions in that order. Design texts match exactly.
//
// Item numbers are 16-bit; numbers outside 0 to 65535 read as missing and
// write nothing, so they never fold onto another position.
class TNamedItems
{
public:
    explicit TNamedItems(const QString &name = {});
    TNamedItems(const TNamedItems &) = delete;
    TNamedItems &operator=(const TNamedItems &) = delete;

    const QString &ListName() const { return fListName; }
    const TNamedItemsList &Items() const { return fItems; }

    quint16 Count() const { return quint16(fItems.Count()); }
    int MaxIndex() const { return fItems.Count() - 1; }

    // Translation at the position; empty outside.
    QString Get(int itemNr) const;
    // Translation of the design text; empty when absent or empty.
    QString Get(const QString &locStr) const;
    // Translation and descent; empty and 255 when absent.
    QString Get(const QString &locStr, quint16 &langDescent) const;
    // Design text at the position; empty outside.
    QString GetLocStr(int itemNr) const;

    // Descent at the position or of the design text; 255 when absent.
    quint16 LangDescent(int itemNr) const;
    void SetLangDescent(int itemNr, quint16 langDescent);
    quint16 GetLangDescent(const QString &locStr) const;

    bool IsIncluded(int itemNr) const;
    bool IsIncluded(const QString &locStr) const;
    bool IsGlobal(int itemNr) const;
    bool IsGlobal(const QString &locStr) const;

    // Position of `locStr` when its descent (all 16 bits) is below
    // `langDescent`, that is when this collection holds a translation from a
    // closer language than the caller's; -1 otherwise, and always for a
    // descent of 0 or an empty text.
    int Find(const QString &locStr, quint16 langDescent) const;

    // Adds, keeping the translation of the closer language (see AddLine).
    void Add(const QString &designed, const QString &translated, quint16 langDescent);
    // Sets translation and descent at a position inside the list.
    void Write(int itemNr, const QString &text, quint16 langDescent);
    // Sets translation and descent of a present design text, or adds it.
    void Write(const QString &designed, const QString &translated, quint16 langDescent);
    // Stores an edited global string. With `saveNewGlobals` the text gets
    // descent 1; otherwise a present text keeps its descent and a new one
    // gets descent 2.
    void SaveChangedGlobalItem(const QString &designed, const QString &translated,
                               bool saveNewGlobals);
    // New translation, descent kept; nothing when outside or absent.
    void Change(int itemNr, const QString &text);
    void Change(const QString &designed, const QString &translated);
    void Remove(int itemNr);
    void Remove(const QString &locStr);

    // Replaces the content by copies of the global strings of `source`.
    void AssignGlobals(const TSmartLexiconData &source);
    void Clear();
    void NewLanguage();

private:
    void Set(const QString &designed, const QString &translated, quint16 langDescent);

    TNamedItemsList fItems;
    QString fListName;
};

} // namespace wordmill
