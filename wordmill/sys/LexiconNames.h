#pragma once

#include <QString>
#include <QStringList>

namespace wordmill {

// The names of a store's lexicons, in the order they were added and found
// without regard to letter case. The name opened last is remembered, so that
// a run of operations on one lexicon needs no search for each item.
class TLexiconNames
{
public:
    int Count() const { return int(fNames.size()); }
    // Name at that position; empty outside.
    QString Name(int index) const { return fNames.value(index); }
    // Position of the name in any letter case, or -1. Not remembered.
    int IndexOf(const QString &name) const;
    // Position of the name, remembered for the next call; -1 when absent or
    // empty. With ExactCase a name spelled in other letter case is absent.
    int Open(const QString &name, bool ExactCase = false) const;
    // Adds a name and opens it; returns its position.
    int Append(const QString &name);
    void RemoveAt(int index);
    void Clear();

private:
    void Forget() const;

    QStringList fNames;
    mutable QString fOpenedName;
    mutable int fOpenedIndex = -1;
};

} // namespace wordmill
