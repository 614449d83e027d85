#include "LexiconNames.h"

namespace wordmill {

int TLexiconNames::IndexOf(const QString &name) const
{
    for (qsizetype i = 0; i < fNames.size(); ++i)
        if (fNames.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

int TLexiconNames::Open(const QString &name, bool ExactCase) const
{
    if (name.isEmpty())
        return -1;
    if (fOpenedIndex >= 0 && name == fOpenedName)
        return fOpenedIndex;
    const int index = IndexOf(name);
    if (index < 0 || (ExactCase && fNames.at(index) != name)) {
        Forget();
        return -1;
    }
    fOpenedName = name;
    fOpenedIndex = index;
    return index;
}

int TLexiconNames::Append(const QString &name)
{
    fNames.append(name);
    fOpenedName = name;
    fOpenedIndex = int(fNames.size()) - 1;
    return fOpenedIndex;
}

void TLexiconNames::RemoveAt(int index)
{
    // The remembered position may belong to another name once the list
    // shifts.
    Forget();
    if (index >= 0 && index < fNames.size())
        fNames.removeAt(index);
}

void TLexiconNames::Clear()
{
    Forget();
    fNames.clear();
}

void TLexiconNames::Forget() const
{
    fOpenedName.clear();
    fOpenedIndex = -1;
}

} // namespace wordmill
