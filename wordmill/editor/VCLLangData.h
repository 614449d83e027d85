#pragma once

#include <wordmill/core/LangCoreData.h>

#include <memory>

namespace wordmill {

class TLanguageManager;

// The data object of an engine that has the built-in editor: it runs the
// editor window from start to end and gives the work data its page, the
// rows of the window's grid. The engine component creates its data object
// as this class.
class TVCLLangData : public TLangCoreData
{
public:
    explicit TVCLLangData(TWordmillCore *OwnedEngine = nullptr);
    ~TVCLLangData() override;

    // The window of the current run; none outside a run.
    TLanguageManager *Editor() const { return fEditor.get(); }

    // Runs the editor: 0 creates a new language, 1 edits one. Returns the
    // name of the language saved, or empty when nothing was saved.
    QString EditorExecute(int EMode) override;
    void AddEditorRow(const QString &PropertyName, const QString &Value) override;
    QString GetEditorRow(int Row) override;
    bool EditorOpened() override;
    void EditorSelect(int Row, int Start, int Len, TEditorSearch Column) override;
    // Switches the window's edit events off (the next page switches them on
    // again), then stores the page and the group.
    void StoreChanges() override;

    // The file the edited language is saved to: its own file when editing,
    // the chosen name in the language folder when creating.
    QString TargetFileName() const;

    // Handlers of the window's language combo box, add button and group
    // combo box.
    void LanguageSelected();
    void CreateLanguage();
    void GroupChanged();

private:
    void PrepareWindow(int EMode, const QString &AboutLine);
    // Shows the groups in the group box, none chosen; false when there are
    // none to edit.
    bool ListGroups();
    QWidget *MainWindow() const;

    std::unique_ptr<TLanguageManager> fEditor;
};

} // namespace wordmill
