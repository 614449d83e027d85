// The translation editor's text search over the rows of a page.

#include <wordmill/core/LangCoreData.h>

#include <wordmill/core/WordmillEngineCore.h>
#include <wordmill/sys/TextHelpers.h>

#include <QScopeGuard>

namespace wordmill {

bool TLangCoreData::SearchWord(const QString &Searched, int StartRow, TEditorSearchMode Mode)
{
    const int rows = GetEditorRowsCount();
    const bool repeated = LastSearch == Searched;
    // Set last: selecting the row found starts a new search otherwise.
    const auto remember = qScopeGuard([&] { LastSearch = Searched; });
    if (rows <= 0 || Searched.isEmpty())
        return false;

    const QString lower = AsciiLowerCase(Searched);
    int first = qMax(StartRow, 0);
    if (repeated)
        ++first; // the same text again: go on after the row found last
    if (first >= rows)
        first = 0;

    // A hit selects the text found; the exact spelling is tried before the
    // one lowered in A to Z only, which keeps every other letter as it is.
    const auto matchIn = [&](int row, const QString &text, TEditorSearch column) {
        for (const QString *sub : {&Searched, &lower}) {
            const QString haystack = sub == &Searched ? text : AsciiLowerCase(text);
            if (sub->size() > haystack.size())
                continue;
            const qsizetype at = haystack.indexOf(*sub);
            if (at >= 0) {
                EditorSelect(row, int(at), int(sub->size()), column);
                return true;
            }
        }
        return false;
    };

    // When the source language is the design language its texts are the
    // designed texts: they are not searched twice.
    const bool original =
        Mode.testFlag(seOriginal) && (!Mode.testFlag(seSource) || !Engine ||
                                      CurrentSuperiorLang.Name != Engine->DesignLanguageName());
    for (int n = 0; n < rows; ++n) {
        const int row = (first + n) % rows;
        if (Mode.testFlag(seItem) && matchIn(row, GetEditorRow(row), seItem))
            return true;
        if (Mode.testFlag(seSource) && matchIn(row, GetSourceForEditorItem(row), seSource))
            return true;
        if (original && matchIn(row, GetOriginalForEditorItem(row), seOriginal))
            return true;
    }
    return false;
}

} // namespace wordmill
