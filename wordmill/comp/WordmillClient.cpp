#include "WordmillClient.h"

#include <wordmill/comp/Accelerators.h>
#include <wordmill/comp/LangCombo.h>
#include <wordmill/comp/LangFlag.h>
#include <wordmill/comp/LangFlagsCombo.h>
#include <wordmill/ctrls/ValuedLabel.h>
#include <wordmill/sys/ClassTable.h>
#include <wordmill/sys/DisplayText.h>
#include <wordmill/sys/ItemAddress.h>
#include <wordmill/sys/Logging.h>
#include <wordmill/toolkit/Form.h>

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QFileDialog>
#include <QFontComboBox>
#include <QGroupBox>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTextEdit>
#include <QToolBar>
#include <QToolBox>
#include <QToolButton>
#include <QTreeWidget>

#include <array>
#include <span>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

using C = TWordmillClient;

// Which widget classes each dispatch class stands for.
const std::array HandledClasses = {
    TClassEntry{C::ccForm, &QWidget::staticMetaObject},
    TClassEntry{C::ccAction, &QAction::staticMetaObject},
    TClassEntry{C::ccMenu, &QMenu::staticMetaObject},
    TClassEntry{C::ccLabel, &QLabel::staticMetaObject},
    TClassEntry{C::ccButton, &QAbstractButton::staticMetaObject},
    TClassEntry{C::ccGroupBox, &QGroupBox::staticMetaObject},
    TClassEntry{C::ccTitledPane, &QDockWidget::staticMetaObject},
    TClassEntry{C::ccTitledPane, &QToolBar::staticMetaObject},
    TClassEntry{C::ccEdit, &QLineEdit::staticMetaObject},
    TClassEntry{C::ccComboBox, &QComboBox::staticMetaObject},
    TClassEntry{C::ccValuedLabel, &TValuedLabel::staticMetaObject},
    TClassEntry{C::ccStatusBar, &QStatusBar::staticMetaObject},
    TClassEntry{C::ccControl, &QWidget::staticMetaObject},
    TClassEntry{C::ccFileDialog, &QFileDialog::staticMetaObject},
    TClassEntry{C::ccMemo, &QPlainTextEdit::staticMetaObject},
    TClassEntry{C::ccMemo, &QTextEdit::staticMetaObject},
    TClassEntry{C::ccListBox, &QListWidget::staticMetaObject},
    TClassEntry{C::ccTabs, &QTabWidget::staticMetaObject},
    TClassEntry{C::ccTabs, &QTabBar::staticMetaObject},
    TClassEntry{C::ccPages, &QToolBox::staticMetaObject},
    TClassEntry{C::ccTreeView, &QTreeWidget::staticMetaObject},
    TClassEntry{C::ccListView, &QTableWidget::staticMetaObject},
    TClassEntry{C::ccMessageBox, &QMessageBox::staticMetaObject},
    TClassEntry{C::ccTrayIcon, &QSystemTrayIcon::staticMetaObject},
    TClassEntry{C::ccActionBar, &QMenuBar::staticMetaObject},
    TClassEntry{C::ccActionBar, &QToolBar::staticMetaObject},
    TClassEntry{C::ccActionBar, &QMenu::staticMetaObject},
};

// Subclasses that a dispatch class leaves alone: the selectors show
// language names, the valued label is translated by its name only, a font
// box lists fonts and a text browser shows a document of its own. Message
// boxes and file dialogs are windows with rows of their own.
const std::array ExcludedClasses = {
    TClassEntry{C::ccLabel, &TValuedLabel::staticMetaObject},
    TClassEntry{C::ccLabel, &TLangFlag::staticMetaObject},
    TClassEntry{C::ccComboBox, &TLangCombo::staticMetaObject},
    TClassEntry{C::ccComboBox, &TLangFlagsCombo::staticMetaObject},
    TClassEntry{C::ccComboBox, &QFontComboBox::staticMetaObject},
    TClassEntry{C::ccMemo, &QTextBrowser::staticMetaObject},
    TClassEntry{C::ccForm, &QMenu::staticMetaObject},
    TClassEntry{C::ccForm, &QFileDialog::staticMetaObject},
    TClassEntry{C::ccForm, &QMessageBox::staticMetaObject},
};

constexpr char TagProperty[] = "Tag";
constexpr char HelpKeywordProperty[] = "HelpKeyword";

constexpr quint32 HintElements = SetOf({pnHint, pnTextHint, pnEditLabelHint, pnBalloonHint});

// The action a control shows: a tool button's default action.
QAction *BoundAction(QObject *Component)
{
    if (auto *button = qobject_cast<QToolButton *>(Component))
        return button->defaultAction();
    return nullptr;
}

// The tool tip an action shows without one of its own: its text without
// accelerator markers and a trailing ellipsis.
QString DerivedToolTip(const QAction *action)
{
    QString text = StripAccelerators(action->text());
    if (text.endsWith(u"..."_s))
        text.chop(3);
    else if (text.endsWith(u'\u2026'))
        text.chop(1);
    return text.trimmed();
}

// The classes of a table a widget class inherits, one bit per class. A pass
// asks about the same few classes over and over: each is worked out once and
// kept in the table's own cache.
quint32 ClassMask(const QMetaObject *meta, std::span<const TClassEntry> table,
                  QHash<const QMetaObject *, quint32> &known)
{
    const auto it = known.constFind(meta);
    if (it != known.constEnd())
        return *it;
    quint32 mask = 0;
    for (const TClassEntry &entry : table)
        if (meta->inherits(entry.Class))
            mask |= 1u << entry.Key;
    known.insert(meta, mask);
    return mask;
}

// The dispatch classes a widget class stands for.
quint32 HandledMask(const QMetaObject *meta)
{
    static QHash<const QMetaObject *, quint32> known;
    return ClassMask(meta, HandledClasses, known);
}

// The dispatch classes a widget class is excluded from.
quint32 ExcludedMask(const QMetaObject *meta)
{
    static QHash<const QMetaObject *, quint32> known;
    return ClassMask(meta, ExcludedClasses, known);
}

// The component's "Tag", 0 when it has none. Most classes have no such
// property and most objects no dynamic ones: both are known without the
// search by name that QObject::property makes on every call.
int TagOf(const QObject *component)
{
    static QHash<const QMetaObject *, int> declared;
    const QMetaObject *meta = component->metaObject();
    auto it = declared.constFind(meta);
    if (it == declared.constEnd())
        it = declared.insert(meta, meta->indexOfProperty(TagProperty));
    if (*it >= 0)
        return meta->property(*it).read(component).toInt();
    if (component->dynamicPropertyNames().isEmpty())
        return 0;
    return component->property(TagProperty).toInt();
}

QString HelpKeywordOf(const QObject *object)
{
    return object ? object->property(HelpKeywordProperty).toString() : QString();
}

QStringList MemoLines(QObject *Component)
{
    if (auto *plain = qobject_cast<QPlainTextEdit *>(Component))
        return plain->toPlainText().split(u'\n');
    return static_cast<QTextEdit *>(Component)->toPlainText().split(u'\n');
}

void SetMemoLines(QObject *Component, const QStringList &Lines)
{
    const QString text = CapDisplayText(Lines.join(u'\n'), Component->objectName());
    if (auto *plain = qobject_cast<QPlainTextEdit *>(Component))
        plain->setPlainText(text);
    else
        static_cast<QTextEdit *>(Component)->setPlainText(text);
}

// A name filter as a description and a mask: "Text files (*.txt *.text)"
// gives "Text files" and "*.txt *.text"; a bare "*.txt" has no description.
QPair<QString, QString> SplitNameFilter(const QString &filter)
{
    static const QRegularExpression pattern(u"^(.*?)\\s*\\(([^()]*)\\)\\s*$"_s);
    const QRegularExpressionMatch match = pattern.match(filter);
    if (!match.hasMatch())
        return {QString(), filter};
    return {match.captured(1), match.captured(2)};
}

QString JoinNameFilter(const QString &description, const QString &mask)
{
    return description.isEmpty() ? mask : description + u" ("_s + mask + u')';
}

} // namespace

TWordmillClient::TWordmillClient(QObject *owner) : TWordmillCPC(owner)
{
    TakeOverOwnerCreate();
}

TWordmillClient::~TWordmillClient() = default;

// ---- settings

void TWordmillClient::SetTransStringProp(TTranslateStringProperties Value)
{
    Value &= StringPropertiesMask;
    if (Value != fTransStringProp)
        ChangeStructureSettings([this, Value] { fTransStringProp = Value; });
}

void TWordmillClient::SetTransTStringsProp(TTranslateTStringsProperties Value)
{
    Value &= TStringsPropertiesMask;
    if (Value != fTransTStringsProp)
        ChangeStructureSettings([this, Value] { fTransTStringsProp = Value; });
}

void TWordmillClient::SetTransStructuredProp(TTranslateStructuredProperties Value)
{
    Value &= StructuredPropertiesMask;
    if (Value != fTransStructuredProp)
        ChangeStructureSettings([this, Value] { fTransStructuredProp = Value; });
}

void TWordmillClient::SetTransOtherProp(TTranslateOtherProperties Value)
{
    Value &= OtherPropertiesMask;
    if (Value != fTransOtherProp)
        ChangeStructureSettings([this, Value] { fTransOtherProp = Value; });
}

void TWordmillClient::SetTransAdditions(TAdditionSet Value)
{
    Value &= AdditionPropertiesMask;
    if (Value != fTransAdditions)
        ChangeStructureSettings([this, Value] { fTransAdditions = Value; });
}

bool TWordmillClient::TranslatesStringProp(int Element) const
{
    return InSet(CmpTransStringProp, Element);
}

bool TWordmillClient::TranslatesStringsProp(int Element) const
{
    return InSet(CmpTransTStringsProp, Element);
}

bool TWordmillClient::TranslatesStructuredProp(int Element) const
{
    return InSet(CmpTransStructuredProp, Element);
}

bool TWordmillClient::TranslatesOtherProp(int Element) const
{
    return InSet(CmpTransOtherProp, Element);
}

// ---- classes

bool TWordmillClient::IsExcludedClass(const QObject *Component, TClientClass K) const
{
    return Component && (ExcludedMask(Component->metaObject()) & (1u << K));
}

bool TWordmillClient::IsHandledClass(const QObject *Component, TClientClass K) const
{
    if (!Component || !(HandledMask(Component->metaObject()) & (1u << K)) ||
        IsExcludedClass(Component, K))
        return false;
    if (K == ccForm) {
        const auto *widget = static_cast<const QWidget *>(Component);
        return widget->isWindow();
    }
    return true;
}

bool TWordmillClient::AcceptsText(int PropertyID, const QString &Value,
                                  const QString &ActionText) const
{
    if (Value == ActionText)
        return false;
    return !(PropertyID == pnCaption &&
             StripAccelerators(Value).compare(StripAccelerators(ActionText), Qt::CaseInsensitive) ==
                 0);
}

bool TWordmillClient::ApplyTagRule(const QObject *Component)
{
    CmpTransStringProp = fTransStringProp;
    CmpTransTStringsProp = fTransTStringsProp;
    CmpTransStructuredProp = fTransStructuredProp;
    CmpTransOtherProp = fTransOtherProp;
    switch (TagOf(Component)) {
    case trLeaveAlone:
        return false;
    case trNoHints:
        CmpTransStringProp &= ~HintElements;
        break;
    case trNoEditText:
        CmpTransStringProp &= ~SetOf({pnText});
        break;
    case trOnlyEditText:
        CmpTransStringProp = SetOf({pnText});
        CmpTransTStringsProp = CmpTransStructuredProp = CmpTransOtherProp = 0;
        break;
    case trOnlyHints:
        CmpTransStringProp &= HintElements;
        CmpTransTStringsProp = CmpTransStructuredProp = CmpTransOtherProp = 0;
        break;
    default:
        break;
    }
    return true;
}

// ---- passes

void TWordmillClient::ProcessAll(bool Collect)
{
    QObject *owner = Owner();
    if (!owner)
        return;
    QList<QObject *> components = OwnedComponents(owner);
    if (AsForm(owner))
        components.prepend(owner);
    // With an engine, the apply pass goes through the binding table. The
    // pass without one gives the design texts back once, before the
    // structure is dropped.
    if (!Collect && WordmillEngine()) {
        ApplyAll(components);
        return;
    }
    for (QObject *component : std::as_const(components))
        ProcessComponent(component, Collect);
}

template <typename Getter, typename Setter>
void TWordmillClient::Text(QObject *Component, int PropertyID, const QString &ActionText,
                           bool Collect, Getter Read, Setter Assign)
{
    if (Collect) {
        TransText(Component, PropertyID, ActionText, true, Read());
        return;
    }
    TBindingTable::TBinding binding;
    // A tool tip no one collected has no line to look up: nearly every
    // widget would otherwise cost a search that misses.
    if (!BindLine(binding, Component, PropertyID, QString()) && PropertyID == pnHint)
        return;
    binding.Read = std::move(Read);
    binding.Write = std::move(Assign);
    ApplyBinding(binding, Component->objectName());
    if (TBindingTable::TEntry *entry = RecordingEntry())
        entry->Bindings.push_back(std::move(binding));
}

void TWordmillClient::MarkGeneric()
{
    if (TBindingTable::TEntry *entry = RecordingEntry())
        entry->Generic = true;
}

void TWordmillClient::ProcessComponent(QObject *Component, bool Collect)
{
    if (!Component || Component->objectName().isEmpty())
        return;
    if (!ApplyTagRule(Component))
        return;
    // A component that fails keeps what it has; the pass goes on.
    try {
        // An action's caption decides its derived tool tip, and its help
        // keyword lives in a dynamic property: actions take a full pass.
        if (IsHandledClass(Component, ccAction))
            MarkGeneric();
        TWordmillCPC::ProcessComponent(Component, Collect);
        QAction *action = BoundAction(Component);
        const QString actionText = action ? action->text() : QString();

        ProcessCaption(Component, Collect, actionText);
        if (TranslatesStringProp(pnText)) {
            if (auto *edit = qobject_cast<QLineEdit *>(Component);
                edit && IsHandledClass(edit, ccEdit))
                Text(
                    edit, pnText, QString(), Collect, [edit] { return edit->text(); },
                    [edit](const QString &t) { edit->setText(t); });
            else if (auto *combo = qobject_cast<QComboBox *>(Component);
                     combo && combo->isEditable() && IsHandledClass(combo, ccComboBox))
                Text(
                    combo, pnText, QString(), Collect, [combo] { return combo->currentText(); },
                    [combo](const QString &t) { combo->setEditText(t); });
        }
        if (TranslatesStringProp(pnValueName) && IsHandledClass(Component, ccValuedLabel)) {
            auto *label = static_cast<TValuedLabel *>(Component);
            Text(
                label, pnValueName, QString(), Collect, [label] { return label->ValueName(); },
                [label](const QString &t) { label->SetValueName(t); });
        }
        if (TranslatesStringProp(pnSimpleText) && IsHandledClass(Component, ccStatusBar)) {
            auto *bar = static_cast<QStatusBar *>(Component);
            Text(
                bar, pnSimpleText, QString(), Collect, [bar] { return bar->currentMessage(); },
                [bar](const QString &t) { bar->showMessage(t); });
        }
        ProcessHints(Component, Collect, action);
        if (TranslatesStringProp(pnTitle) && IsHandledClass(Component, ccFileDialog)) {
            auto *dialog = static_cast<QFileDialog *>(Component);
            Text(
                dialog, pnTitle, QString(), Collect, [dialog] { return dialog->windowTitle(); },
                [dialog](const QString &t) { dialog->setWindowTitle(t); });
        }
        ProcessLists(Component, Collect);
        ProcessStructured(Component, Collect);
        ProcessFilter(Component, Collect);
        if (TranslatesOtherProp(cnTActionManager) && IsHandledClass(Component, ccActionBar))
            ProcessActionBar(static_cast<QWidget *>(Component), Collect);
        if (TranslatesStringProp(pnHint) && IsHandledClass(Component, ccTrayIcon)) {
            auto *tray = static_cast<QSystemTrayIcon *>(Component);
            Text(
                tray, pnHint, QString(), Collect, [tray] { return tray->toolTip(); },
                [tray](const QString &t) { tray->setToolTip(t); });
        }
        ProcessMessageBox(Component, Collect);
    } catch (const std::exception &error) {
        MarkGeneric();
        qCWarning(lcWordmill) << "translating" << Component->objectName()
                              << "failed:" << error.what();
    } catch (...) {
        MarkGeneric();
        qCWarning(lcWordmill) << "translating" << Component->objectName() << "failed";
    }
}

void TWordmillClient::ProcessCaption(QObject *Component, bool Collect, const QString &ActionText)
{
    if (!TranslatesStringProp(pnCaption))
        return;
    if (IsHandledClass(Component, ccAction)) {
        auto *action = static_cast<QAction *>(Component);
        Text(
            action, pnCaption, QString(), Collect, [action] { return action->text(); },
            [action](const QString &t) { action->setText(t); });
    } else if (IsHandledClass(Component, ccMenu)) {
        auto *menu = static_cast<QMenu *>(Component);
        Text(
            menu, pnCaption, QString(), Collect, [menu] { return menu->title(); },
            [menu](const QString &t) { menu->setTitle(t); });
    } else if (IsHandledClass(Component, ccLabel)) {
        auto *label = static_cast<QLabel *>(Component);
        Text(
            label, pnCaption, ActionText, Collect, [label] { return label->text(); },
            [label](const QString &t) { label->setText(t); });
    } else if (IsHandledClass(Component, ccButton)) {
        auto *button = static_cast<QAbstractButton *>(Component);
        Text(
            button, pnCaption, ActionText, Collect, [button] { return button->text(); },
            [button](const QString &t) { button->setText(t); });
    } else if (IsHandledClass(Component, ccGroupBox)) {
        auto *box = static_cast<QGroupBox *>(Component);
        Text(
            box, pnCaption, ActionText, Collect, [box] { return box->title(); },
            [box](const QString &t) { box->setTitle(t); });
    } else if (IsHandledClass(Component, ccTitledPane) || IsHandledClass(Component, ccForm)) {
        auto *widget = static_cast<QWidget *>(Component);
        Text(
            widget, pnCaption, ActionText, Collect, [widget] { return widget->windowTitle(); },
            [widget](const QString &t) { widget->setWindowTitle(t); });
    }
}

void TWordmillClient::ProcessHints(QObject *Component, bool Collect, QAction *Action)
{
    if (TranslatesStringProp(pnHint)) {
        if (IsHandledClass(Component, ccControl)) {
            auto *widget = static_cast<QWidget *>(Component);
            Text(
                widget, pnHint, Action ? Action->toolTip() : QString(), Collect,
                [widget] { return widget->toolTip(); },
                [widget](const QString &t) { widget->setToolTip(t); });
        } else if (IsHandledClass(Component, ccAction)) {
            // Without a tool tip of its own an action shows its text, which
            // is translated as its caption.
            auto *action = static_cast<QAction *>(Component);
            if (action->toolTip() != DerivedToolTip(action))
                Text(
                    action, pnHint, QString(), Collect, [action] { return action->toolTip(); },
                    [action](const QString &t) { action->setToolTip(t); });
        }
    }
    if (TranslatesStringProp(pnTextHint) && IsHandledClass(Component, ccEdit)) {
        auto *edit = static_cast<QLineEdit *>(Component);
        Text(
            edit, pnTextHint, QString(), Collect, [edit] { return edit->placeholderText(); },
            [edit](const QString &t) { edit->setPlaceholderText(t); });
    }
    if (TranslatesStringProp(pnHelpKeyword) && IsHandledClass(Component, ccControl)) {
        const QVariant keyword = Component->property(HelpKeywordProperty);
        if (keyword.isValid())
            Text(
                Component, pnHelpKeyword, HelpKeywordOf(Action), Collect,
                [Component] { return HelpKeywordOf(Component); },
                [Component](const QString &t) { Component->setProperty(HelpKeywordProperty, t); });
    }
}

void TWordmillClient::ProcessLists(QObject *Component, bool Collect)
{
    if (TranslatesStringsProp(pnLines) && IsHandledClass(Component, ccMemo)) {
        MarkGeneric(); // the number of lines follows the text
        QStringList lines = MemoLines(Component);
        if (TransStrings(Component, PropertyNumber(pnLines), Collect, lines))
            SetMemoLines(Component, lines);
    }
    // The item texts of a list: item i at address i. The apply pass writes
    // the non-empty translations that differ, and the binding table keeps
    // the number of items it was built for.
    const auto translateItems = [this, Collect](QObject *list, int id, auto count, auto text,
                                                auto setText) {
        const int n = count();
        if (Collect) {
            QStringList texts;
            texts.reserve(n);
            for (int i = 0; i < n; ++i)
                texts.append(text(i));
            TransStrings(list, id, true, texts);
            return;
        }
        TBindingTable::TEntry *entry = RecordingEntry();
        if (entry) {
            if (entry->Shape) {
                entry->Generic = true; // one item count per entry
                entry = nullptr;
            } else {
                entry->Shape = [count] { return qsizetype(count()); };
                entry->BuiltShape = n;
            }
        }
        const QString name = list->objectName();
        for (int i = 0; i < n; ++i) {
            TBindingTable::TBinding binding;
            BindLine(binding, list, id, IndexText(i));
            binding.Read = [text, i] { return text(i); };
            binding.Write = [setText, i](const QString &t) { setText(i, t); };
            binding.Rule = TBindingTable::wrListItem;
            ApplyBinding(binding, name);
            if (entry)
                entry->Bindings.push_back(std::move(binding));
        }
    };
    if (TranslatesStringsProp(pnItems)) {
        const int id = PropertyNumber(pnItems);
        if (IsHandledClass(Component, ccListBox)) {
            auto *list = static_cast<QListWidget *>(Component);
            translateItems(
                list, id, [list] { return list->count(); },
                [list](int i) { return list->item(i)->text(); },
                [list](int i, const QString &t) { list->item(i)->setText(t); });
        } else if (IsHandledClass(Component, ccComboBox)) {
            auto *combo = static_cast<QComboBox *>(Component);
            translateItems(
                combo, id, [combo] { return combo->count(); },
                [combo](int i) { return combo->itemText(i); },
                [combo](int i, const QString &t) { combo->setItemText(i, t); });
        }
    }
    if (TranslatesStringsProp(pnTabs)) {
        const int id = PropertyNumber(pnTabs);
        if (auto *tabs = qobject_cast<QTabWidget *>(Component))
            translateItems(
                tabs, id, [tabs] { return tabs->count(); },
                [tabs](int i) { return tabs->tabText(i); },
                [tabs](int i, const QString &t) { tabs->setTabText(i, t); });
        else if (auto *bar = qobject_cast<QTabBar *>(Component))
            translateItems(
                bar, id, [bar] { return bar->count(); }, [bar](int i) { return bar->tabText(i); },
                [bar](int i, const QString &t) { bar->setTabText(i, t); });
    }
    if (TranslatesStringsProp(pnPages) && IsHandledClass(Component, ccPages)) {
        auto *box = static_cast<QToolBox *>(Component);
        translateItems(
            box, PropertyNumber(pnPages), [box] { return box->count(); },
            [box](int i) { return box->itemText(i); },
            [box](int i, const QString &t) { box->setItemText(i, t); });
    }
}

namespace {

// Visits the items of a tree depth-first with their addresses: k for the
// k-th top-level item, a,j for child j of the item at a.
template <typename F> void ForEachTreeItem(QTreeWidgetItem *item, const QString &addr, F &f)
{
    f(item, addr);
    for (int j = 0; j < item->childCount(); ++j)
        ForEachTreeItem(item->child(j), AppendIndex(addr, j), f);
}

} // namespace

void TWordmillClient::ProcessStructured(QObject *Component, bool Collect)
{
    const bool tree = IsHandledClass(Component, ccTreeView);
    const bool table = IsHandledClass(Component, ccListView);
    if (!tree && !table)
        return;
    MarkGeneric(); // items come and go at every level
    if (tree && TranslatesStructuredProp(pnTreeItems)) {
        auto *view = static_cast<QTreeWidget *>(Component);
        const int id = PropertyNumber(pnTreeItems);
        auto visit = [&](QTreeWidgetItem *item, const QString &addr) {
            const QString text = item->text(0);
            const QString result = TransAddressed(view, id, addr, Collect, text);
            if (!Collect && result != text)
                item->setText(0, result);
        };
        for (int k = 0; k < view->topLevelItemCount(); ++k)
            ForEachTreeItem(view->topLevelItem(k), IndexText(k), visit);
    }
    if (TranslatesStructuredProp(pnListColumns)) {
        const int id = PropertyNumber(pnListColumns);
        auto column = [&](QObject *view, int i, const QString &text, auto assign) {
            const QString result =
                TransAddressed(view, id, AppendPropertyID(IndexText(i), pnCaption), Collect, text);
            if (!Collect && result != text)
                assign(result);
        };
        if (tree) {
            auto *view = static_cast<QTreeWidget *>(Component);
            if (QTreeWidgetItem *header = view->headerItem())
                for (int i = 0; i < view->columnCount(); ++i)
                    column(view, i, header->text(i),
                           [header, i](const QString &t) { header->setText(i, t); });
        } else {
            auto *view = static_cast<QTableWidget *>(Component);
            for (int i = 0; i < view->columnCount(); ++i)
                if (QTableWidgetItem *header = view->horizontalHeaderItem(i))
                    column(view, i, header->text(),
                           [header](const QString &t) { header->setText(t); });
        }
    }
    if (table && TranslatesStructuredProp(pnListItems)) {
        // A table in the role of a report list: column 0 is the item's
        // caption (i.0), the other columns its sub-items (i,j).
        auto *view = static_cast<QTableWidget *>(Component);
        const int id = PropertyNumber(pnListItems);
        for (int row = 0; row < view->rowCount(); ++row) {
            for (int col = 0; col < view->columnCount(); ++col) {
                QTableWidgetItem *item = view->item(row, col);
                if (!item)
                    continue;
                const QString addr = col == 0 ? AppendPropertyID(IndexText(row), pnCaption)
                                              : AppendIndex(IndexText(row), col - 1);
                const QString text = item->text();
                const QString result = TransAddressed(view, id, addr, Collect, text);
                if (!Collect && result != text)
                    item->setText(result);
            }
        }
    }
}

void TWordmillClient::ProcessFilter(QObject *Component, bool Collect)
{
    if (!TranslatesOtherProp(pnFilter) || !IsHandledClass(Component, ccFileDialog))
        return;
    MarkGeneric();
    auto *dialog = static_cast<QFileDialog *>(Component);
    const QStringList filters = dialog->nameFilters();
    QStringList pairs;
    for (const QString &filter : filters) {
        const auto [description, mask] = SplitNameFilter(filter);
        pairs.append(description + u'|' + mask);
    }
    const QString joined = pairs.join(u'|');
    const QString result = TransFilter(dialog, PropertyNumber(pnFilter), Collect, joined);
    if (Collect || result == joined)
        return;
    const QStringList parts = result.split(u'|');
    QStringList translated;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        translated.append(JoinNameFilter(parts.at(i), parts.at(i + 1)));
    const qsizetype selected = filters.indexOf(dialog->selectedNameFilter());
    dialog->setNameFilters(translated);
    if (selected >= 0 && selected < translated.size())
        dialog->selectNameFilter(translated.at(selected));
}

void TWordmillClient::ProcessActionBar(QWidget *Bar, bool Collect)
{
    MarkGeneric(); // items and their menus change at run time
    QList<QMenu *> visited;
    if (auto *menu = qobject_cast<QMenu *>(Bar))
        visited.append(menu);
    for (QAction *item : Bar->actions())
        ProcessBarItem(Bar, item, Collect, visited);
}

void TWordmillClient::ProcessBarItem(QWidget *Bar, QAction *Item, bool Collect,
                                     QList<QMenu *> &Visited)
{
    // Actions and menus that are components are translated as such.
    if (ComponentOwner(Item))
        return;
    QMenu *menu = Item->menu();
    if (menu && ComponentOwner(menu))
        return;
    if (menu && !Visited.contains(menu)) {
        Visited.append(menu);
        for (QAction *child : menu->actions())
            ProcessBarItem(Bar, child, Collect, Visited);
    }
    if (Item->isSeparator())
        return;
    const QString name = MappedName(Item, Item->text());
    if (name.isEmpty())
        return;
    const QString addr = AppendIndexText(name, u"Caption"_s);
    const int id = PropertyNumber(cnTActionManager);
    if (Collect) {
        // Such an item is its own action: it compares with no action caption.
        if (!StripAccelerators(Item->text()).isEmpty())
            AddLineAs(Bar->objectName(), Bar, id, addr, Item->text());
        return;
    }
    const QString translated = LookUp(Bar->objectName(), Bar, id, addr);
    if (!translated.isEmpty() && translated != Item->text())
        Item->setText(translated);
}

void TWordmillClient::ProcessMessageBox(QObject *Component, bool Collect)
{
    if (!IsHandledClass(Component, ccMessageBox))
        return;
    MarkGeneric(); // buttons are added and removed
    auto *box = static_cast<QMessageBox *>(Component);
    if (TranslatesStructuredProp(pnButtons)) {
        // Standard buttons bring their own texts; only added ones are ours.
        const QList<QAbstractButton *> buttons = box->buttons();
        for (qsizetype i = 0; i < buttons.size(); ++i) {
            QAbstractButton *button = buttons.at(i);
            if (box->standardButton(button) != QMessageBox::NoButton)
                continue;
            const QString text = button->text();
            const QString result =
                TransAddressed(box, PropertyNumber(pnButtons),
                               AppendPropertyID(IndexText(int(i)), pnCaption), Collect, text);
            if (!Collect && result != text)
                button->setText(result);
        }
    }
    if (TranslatesStringProp(pnCaption))
        Text(
            box, pnCaption, QString(), Collect, [box] { return box->windowTitle(); },
            [box](const QString &t) { box->setWindowTitle(t); });
    if (TranslatesStringProp(pnExpandedText))
        Text(
            box, pnExpandedText, QString(), Collect, [box] { return box->detailedText(); },
            [box](const QString &t) { box->setDetailedText(t); });
    if (TranslatesStringProp(pnText))
        Text(
            box, pnText, QString(), Collect, [box] { return box->informativeText(); },
            [box](const QString &t) { box->setInformativeText(t); });
    if (TranslatesStringProp(pnTitle))
        Text(
            box, pnTitle, QString(), Collect, [box] { return box->text(); },
            [box](const QString &t) { box->setText(t); });
    if (TranslatesStringProp(pnVerificationText))
        if (QCheckBox *check = box->checkBox())
            Text(
                box, pnVerificationText, QString(), Collect, [check] { return check->text(); },
                [check](const QString &t) { check->setText(t); });
}

} // namespace wordmill
