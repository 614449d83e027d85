#include "NamedItems.h"

#include <wordmill/sys/SmartLexiconData.h>

#include <memory>

namespace wordmill {

namespace {

// Descents given to edited global strings: 1 marks a pair the translator
// saved as a global string, 2 a pair first met while editing.
constexpr quint16 SavedGlobalDescent = 1;
constexpr quint16 NewGlobalDescent = 2;

} // namespace

TNamedItems::TNamedItems(const QString &name) : fListName(name) {}

QString TNamedItems::Get(int itemNr) const
{
    return fItems.Translation(itemNr);
}

QString TNamedItems::Get(const QString &locStr) const
{
    if (locStr.isEmpty())
        return {};
    const TLangTranslation *item = fItems.ObjectOf(locStr);
    return item ? item->Translation : QString();
}

QString TNamedItems::Get(const QString &locStr, quint16 &langDescent) const
{
    const TLangTranslation *item = locStr.isEmpty() ? nullptr : fItems.ObjectOf(locStr);
    langDescent = item ? item->Descent : DescentNone;
    return item ? item->Translation : QString();
}

QString TNamedItems::GetLocStr(int itemNr) const
{
    return fItems.Strings(itemNr);
}

quint16 TNamedItems::LangDescent(int itemNr) const
{
    return fItems.Descent(itemNr);
}

void TNamedItems::SetLangDescent(int itemNr, quint16 langDescent)
{
    fItems.SetDescent(itemNr, langDescent);
}

quint16 TNamedItems::GetLangDescent(const QString &locStr) const
{
    quint16 descent = DescentNone;
    Get(locStr, descent);
    return descent;
}

bool TNamedItems::IsIncluded(int itemNr) const
{
    return itemNr >= 0 && itemNr < fItems.Count();
}

bool TNamedItems::IsIncluded(const QString &locStr) const
{
    return !locStr.isEmpty() && fItems.IndexOf(locStr) >= 0;
}

bool TNamedItems::IsGlobal(int itemNr) const
{
    return IsIncluded(itemNr) && IsGlobalDescent(fItems.Descent(itemNr));
}

bool TNamedItems::IsGlobal(const QString &locStr) const
{
    return IsIncluded(locStr) && IsGlobalDescent(GetLangDescent(locStr));
}

int TNamedItems::Find(const QString &locStr, quint16 langDescent) const
{
    if (langDescent == 0 || locStr.isEmpty())
        return -1;
    int index = -1;
    if (!fItems.Find(locStr, index))
        return -1;
    return fItems.Descent(index) < langDescent ? index : -1;
}

void TNamedItems::Add(const QString &designed, const QString &translated, quint16 langDescent)
{
    fItems.AddLine(designed, translated, langDescent);
}

void TNamedItems::Write(int itemNr, const QString &text, quint16 langDescent)
{
    if (TLangTranslation *item = fItems.Objects(itemNr))
        *item = TLangTranslation{text, langDescent};
}

void TNamedItems::Set(const QString &designed, const QString &translated, quint16 langDescent)
{
    if (fItems.Count() >= TNamedItemsList::MaxTexts) {
        // Full: only present texts take the new values.
        if (TLangTranslation *present = fItems.ObjectOf(designed))
            *present = TLangTranslation{translated, langDescent};
        return;
    }
    fItems.FindOrAdd(
        designed, [] { return TLangTranslation(); }, nullptr, nullptr, &designed) =
        TLangTranslation{translated, langDescent};
}

void TNamedItems::Write(const QString &designed, const QString &translated, quint16 langDescent)
{
    if (!designed.isEmpty())
        Set(designed, translated, langDescent);
}

void TNamedItems::SaveChangedGlobalItem(const QString &designed, const QString &translated,
                                        bool saveNewGlobals)
{
    if (designed.isEmpty())
        return;
    if (saveNewGlobals) {
        Set(designed, translated, SavedGlobalDescent);
        return;
    }
    if (TLangTranslation *item = fItems.ObjectOf(designed))
        item->Translation = translated;
    else
        Set(designed, translated, NewGlobalDescent);
}

void TNamedItems::Change(int itemNr, const QString &text)
{
    fItems.SetTranslation(itemNr, text);
}

void TNamedItems::Change(const QString &designed, const QString &translated)
{
    if (designed.isEmpty())
        return;
    if (TLangTranslation *item = fItems.ObjectOf(designed))
        item->Translation = translated;
}

void TNamedItems::Remove(int itemNr)
{
    fItems.Delete(itemNr);
}

void TNamedItems::Remove(const QString &locStr)
{
    if (!locStr.isEmpty())
        fItems.Delete(fItems.IndexOf(locStr));
}

void TNamedItems::AssignGlobals(const TSmartLexiconData &source)
{
    const TNamedItemsList &globals = source.GlobalLexicon().Items();
    if (&globals == &fItems)
        return;
    fItems.AssignFrom(globals, [](const TLangTranslation &item) {
        return std::make_unique<TLangTranslation>(item);
    });
}

void TNamedItems::Clear()
{
    fItems.Clear();
}

void TNamedItems::NewLanguage()
{
    fItems.InheritAll();
}

} // namespace wordmill
