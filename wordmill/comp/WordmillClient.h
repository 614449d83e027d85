#pragma once

#include <wordmill/core/WordmillCPC.h>

class QAction;
class QMenu;
class QWidget;

namespace wordmill {

// The component a developer puts on a form (or data module) to have all its
// components translated. It knows the widget classes: which text properties
// each has, under which property number and item address their texts are
// stored, and how to read and write them.
//
// Five sets decide which kinds of properties it handles. A component's
// dynamic property "Tag" narrows them for that component (TTagRule).
// Language selectors are never translated: their items are language names.
// A tool tip is looked up only when one was collected.
//
// The first switch after collecting builds a binding table (TBindingTable);
// later switches replay it as long as the owner's components, their names
// and item counts are the same. Tag and class are read when the table is
// built: a Tag changed later counts after RecreateTransStruct.
class TWordmillClient : public TWordmillCPC
{
    Q_OBJECT
    Q_PROPERTY(quint32 TransStringProp READ TransStringProp WRITE SetTransStringProp)
    Q_PROPERTY(quint32 TransTStringsProp READ TransTStringsProp WRITE SetTransTStringsProp)
    Q_PROPERTY(quint32 TransStructuredProp READ TransStructuredProp WRITE SetTransStructuredProp)
    Q_PROPERTY(quint32 TransOtherProp READ TransOtherProp WRITE SetTransOtherProp)
    Q_PROPERTY(quint32 TransAdditions READ TransAdditions WRITE SetTransAdditions)
    Q_PROPERTY(bool GlobalLexicon READ GlobalLexicon WRITE SetGlobalLexicon)

public:
    // Values of a component's "Tag" property that narrow what is translated.
    enum TTagRule : int {
        trLeaveAlone = -799, // the component is left alone
        trNoHints = -798,    // no hints (tool tips, placeholder texts)
        trNoEditText = -797, // no edit texts
        trOnlyEditText = -790,
        trOnlyHints = -789,
    };

    // The classes the dispatch knows, each standing for one or more widget
    // classes (IsHandledClass).
    enum TClientClass {
        ccForm,        // a top-level window: QWidget, QDialog, QMainWindow
        ccAction,      // QAction (menu items are actions)
        ccMenu,        // QMenu
        ccLabel,       // QLabel
        ccButton,      // QAbstractButton
        ccGroupBox,    // QGroupBox
        ccTitledPane,  // QDockWidget, QToolBar: a window title shown as caption
        ccEdit,        // QLineEdit
        ccComboBox,    // QComboBox
        ccValuedLabel, // TValuedLabel
        ccStatusBar,   // QStatusBar
        ccControl,     // QWidget
        ccFileDialog,  // QFileDialog
        ccMemo,        // QPlainTextEdit, QTextEdit
        ccListBox,     // QListWidget
        ccTabs,        // QTabWidget, QTabBar
        ccPages,       // QToolBox
        ccTreeView,    // QTreeWidget
        ccListView,    // QTableWidget
        ccMessageBox,  // QMessageBox
        ccTrayIcon,    // QSystemTrayIcon
        ccActionBar    // QMenuBar, QToolBar, QMenu: actions that are no components
    };
    Q_ENUM(TClientClass)

    // Takes over the owner's OnCreate when the owner is a form or data
    // module, so that the engine starts before the form's own code.
    explicit TWordmillClient(QObject *owner = nullptr);
    ~TWordmillClient() override;

    TTranslateStringProperties TransStringProp() const { return fTransStringProp; }
    void SetTransStringProp(TTranslateStringProperties Value);
    TTranslateTStringsProperties TransTStringsProp() const { return fTransTStringsProp; }
    void SetTransTStringsProp(TTranslateTStringsProperties Value);
    TTranslateStructuredProperties TransStructuredProp() const { return fTransStructuredProp; }
    void SetTransStructuredProp(TTranslateStructuredProperties Value);
    TTranslateOtherProperties TransOtherProp() const { return fTransOtherProp; }
    void SetTransOtherProp(TTranslateOtherProperties Value);
    TAdditionSet TransAdditions() const { return fTransAdditions; }
    void SetTransAdditions(TAdditionSet Value);

    bool TranslatesStringProp(int Element) const override;
    bool TranslatesStringsProp(int Element) const override;
    bool TranslatesStructuredProp(int Element) const override;
    bool TranslatesOtherProp(int Element) const override;
    // Also refuses a caption that equals the action's caption once the
    // accelerator markers are gone and letter case is ignored.
    bool AcceptsText(int PropertyID, const QString &Value,
                     const QString &ActionText) const override;
    void ProcessComponent(QObject *Component, bool Collect) override;
    void ProcessAll(bool Collect) override;

    // Component is one of the classes K stands for, and not a subclass that
    // K leaves to others.
    virtual bool IsExcludedClass(const QObject *Component, TClientClass K) const;
    virtual bool IsHandledClass(const QObject *Component, TClientClass K) const;

private:
    // Sets the working sets for one component; false when it is skipped.
    bool ApplyTagRule(const QObject *Component);
    // One text property: Collect records what Read gives; the apply pass
    // assigns the current language's text where it differs, and records the
    // binding while the table is being built.
    template <typename Getter, typename Setter>
    void Text(QObject *Component, int PropertyID, const QString &ActionText, bool Collect,
              Getter Read, Setter Assign);
    // The component being recorded has texts the binding table cannot hold.
    void MarkGeneric();

    void ProcessCaption(QObject *Component, bool Collect, const QString &ActionText);
    void ProcessHints(QObject *Component, bool Collect, QAction *Action);
    void ProcessLists(QObject *Component, bool Collect);
    void ProcessStructured(QObject *Component, bool Collect);
    void ProcessFilter(QObject *Component, bool Collect);
    void ProcessActionBar(QWidget *Bar, bool Collect);
    void ProcessBarItem(QWidget *Bar, QAction *Item, bool Collect, QList<QMenu *> &Visited);
    void ProcessMessageBox(QObject *Component, bool Collect);

    TTranslateStringProperties fTransStringProp = DefaultTransStringProp;
    TTranslateStringProperties CmpTransStringProp = DefaultTransStringProp;
    TTranslateTStringsProperties fTransTStringsProp = DefaultTransTStringsProp;
    TTranslateTStringsProperties CmpTransTStringsProp = DefaultTransTStringsProp;
    TTranslateStructuredProperties fTransStructuredProp = DefaultTransStructuredProp;
    TTranslateStructuredProperties CmpTransStructuredProp = DefaultTransStructuredProp;
    TTranslateOtherProperties fTransOtherProp = DefaultTransOtherProp;
    TTranslateOtherProperties CmpTransOtherProp = DefaultTransOtherProp;
    TAdditionSet fTransAdditions = 0;
};

} // namespace wordmill
