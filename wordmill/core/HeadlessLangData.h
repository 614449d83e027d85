#pragma once

#include <wordmill/core/LangCoreData.h>

namespace wordmill {

// The data object of an engine that has no editor window, such as an engine
// of a program built on the core alone. Running the editor saves nothing and
// there is no page: no row is added, every row reads empty.
class THeadlessLangData final : public TLangCoreData
{
public:
    using TLangCoreData::TLangCoreData;

    QString EditorExecute(int EMode) override;
    void AddEditorRow(const QString &PropertyName, const QString &Value) override {}
    QString GetEditorRow(int Row) override { return QString(); }
    bool EditorOpened() override { return false; }
    void EditorSelect(int Row, int Start, int Len, TEditorSearch Column) override {}
    // Without a page there is nothing to take into the work data: storing
    // would empty every row's text.
    void StoreChanges() override {}
};

} // namespace wordmill
