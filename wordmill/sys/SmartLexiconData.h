#pragma once

#include <wordmill/sys/LexiconNames.h>
#include <wordmill/sys/NamedItems.h>

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace wordmill {

// Smart strings: translations found by their design text. One unnamed
// collection holds the global strings; any number of named collections (smart
// lexicons) hold the quoted texts of lexicons and the resource strings of
// translators, each under its owner's qualified name.
//
// Operations with a lexicon name work on the global strings when the name is
// empty and otherwise on the smart lexicon of exactly that name. A smart
// lexicon that cannot be opened reads as empty text, descent 255, count 0,
// maximum -1, false or -1, and takes no writes. NewLexicon and LexiconExists
// compare names without regard to letter case, but opening needs the exact
// name: a lexicon created as "Form1.Lexicon1" is not opened as
// "form1.lexicon1".
class TSmartLexiconData
{
public:
    static constexpr int MaxLexicons = 0xFFFF;

    TSmartLexiconData();
    ~TSmartLexiconData();
    TSmartLexiconData(const TSmartLexiconData &) = delete;
    TSmartLexiconData &operator=(const TSmartLexiconData &) = delete;

    TNamedItems &GlobalLexicon() { return fGlobalLexicon; }
    const TNamedItems &GlobalLexicon() const { return fGlobalLexicon; }

    // Creates the smart lexicon when no name matches (letter case ignored)
    // and opens it; otherwise opens the present one. An empty name (the
    // global strings) creates nothing.
    void NewLexicon(const QString &name);

    void AddItem(const QString &designed, const QString &translated, quint16 langDescent);
    void AddItem(const QString &lexName, const QString &designed, const QString &translated,
                 quint16 langDescent);
    void WriteItem(const QString &designed, const QString &translated, quint16 langDescent);
    void WriteItem(const QString &lexName, const QString &designed, const QString &translated,
                   quint16 langDescent);
    void ChangeItem(const QString &designed, const QString &translated);
    void ChangeItem(const QString &lexName, const QString &designed, const QString &translated);
    void RemoveItem(int itemNumber);
    void RemoveItem(const QString &locStr);
    void RemoveItem(const QString &lexName, int itemNumber);
    void RemoveItem(const QString &lexName, const QString &locStr);

    QString GetLocStr(int itemNumber) const;
    QString GetLocStr(const QString &lexName, int itemNumber) const;
    QString ReadItem(int itemNumber) const;
    QString ReadItem(const QString &locStr) const;
    QString ReadItem(const QString &lexName, int itemNumber) const;
    QString ReadItem(const QString &lexName, const QString &locStr) const;
    QString ReadItem(int itemNumber, quint16 &langDescent) const;
    QString ReadItem(const QString &locStr, quint16 &langDescent) const;
    QString ReadItem(const QString &lexName, int itemNumber, quint16 &langDescent) const;
    QString ReadItem(const QString &lexName, const QString &locStr, quint16 &langDescent) const;

    // Position of a translation from a closer language than `langDescent`
    // (see TNamedItems::Find); -1 otherwise.
    int FindTranslate(const QString &locStr, quint16 langDescent) const;
    int FindTranslate(const QString &lexName, const QString &locStr, quint16 langDescent) const;

    quint16 ItemsCount() const;
    quint16 ItemsCount(const QString &lexName) const;
    int MaxItemNr() const;
    int MaxItemNr(const QString &lexName) const;
    bool IsIncluded(int itemNumber) const;
    bool IsIncluded(const QString &locStr) const;
    bool IsIncluded(const QString &lexName, int itemNumber) const;
    bool IsIncluded(const QString &lexName, const QString &locStr) const;

    bool LexiconExists(const QString &lexName) const;
    quint16 LexiconCount() const { return quint16(Names.Count()); }
    // Name at that position; empty outside.
    QString LexiconName(int index) const;

    void ClearGlobals();
    void Clear();
    void NewLanguage();

private:
    // The global strings for an empty name, else the opened smart lexicon or
    // null.
    const TNamedItems *Collection(const QString &lexName) const;
    TNamedItems *Collection(const QString &lexName);
    // Smart lexicons open by their exact name only: a name that differs in
    // letter case finds the lexicon but does not open it.
    int OpenLexicon(const QString &name) const { return Names.Open(name, true); }

    TNamedItems fGlobalLexicon;
    TLexiconNames Names;
    std::vector<std::unique_ptr<TNamedItems>> LexiconsData;
};

} // namespace wordmill
