#pragma once

#include <wordmill/sys/LexiconNames.h>

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace wordmill {

class TIndexedItems;

// The translations of several lexicons, one indexed store per lexicon, found
// by the lexicon's qualified name ("Form1.Lexicon1") without regard to letter
// case. Operations on an absent lexicon read as empty text, descent 255,
// count 0 and maximum -1, and write nothing; writers create the lexicon with
// NewLexicon first.
class TLexiconData
{
public:
    static constexpr int MaxLexicons = 0xFFFF;

    TLexiconData();
    ~TLexiconData();
    TLexiconData(const TLexiconData &) = delete;
    TLexiconData &operator=(const TLexiconData &) = delete;

    // Creates an empty lexicon of that name unless one exists, and opens it.
    // An empty name creates nothing.
    void NewLexicon(const QString &name);
    void DeleteLexicon(const QString &lexName);

    void WriteItem(const QString &lexName, int itemNumber, const QString &text,
                   quint16 langDescent);
    void ChangeItem(const QString &lexName, int itemNumber, const QString &text);
    void RemoveItem(const QString &lexName, int itemNumber);
    QString ReadItem(const QString &lexName, int itemNumber) const;
    // The text and its descent; 255 and an empty text when absent.
    QString ReadItem(const QString &lexName, int itemNumber, quint16 &langDescent) const;

    quint16 LexiconCount() const { return quint16(Names.Count()); }
    // Name at that position; empty outside.
    QString LexiconName(int index) const;
    quint16 ItemsCount(const QString &lexName) const;
    // The store's MaxIndex; -1 when the lexicon does not exist.
    int MaxItemNr(const QString &lexName) const;
    bool IsIncluded(const QString &lexName, int itemNumber) const;
    bool LexiconExists(const QString &lexName) const;

    void Clear();
    void NewLanguage();

private:
    // The store of that lexicon, or null.
    TIndexedItems *OpenLexicon(const QString &name) const;

    TLexiconNames Names;
    std::vector<std::unique_ptr<TIndexedItems>> LexiconsDatas;
};

} // namespace wordmill
