// The editor window's grid: row selection, editing, status markers and their
// hints, the status switch and the keyboard.

#include "LanguageManager.h"

#include <wordmill/ctrls/EditorColor.h>
#include <wordmill/editor/ColorWidgets.h>
#include <wordmill/editor/EditorGrid.h>
#include <wordmill/editor/ElidedLabel.h>
#include <wordmill/editor/VCLLangData.h>
#include <wordmill/sys/OneLineForm.h>

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolTip>

namespace wordmill {

namespace {

// Bit 8 of a descent: the row shows a global translation.
constexpr quint16 GlobalDescent = 256;

} // namespace

QColor TLanguageManager::MarkerColor(int Row) const
{
    if (!LData || Row < 0 || Row >= LangListEditor->rowCount())
        return QColor();
    // The text as shown, with line breaks as spaces.
    const QString text = TrimControlChars(LangListEditor->RowText(Row), false);
    return EditorColorToQColor(LData->GetItemColor(Row, GroupCombo->currentText(), text));
}

void TLanguageManager::RepaintMarker(int Row)
{
    const QRect marker = LangListEditor->MarkerRect(Row);
    if (!marker.isEmpty())
        LangListEditor->viewport()->update(marker);
}

void TLanguageManager::SetCurrentLine(int Line)
{
    const QSignalBlocker blocker(LangListEditor);
    LangListEditor->SetCurrentRow(Line - 1);
}

void TLanguageManager::LangListEditorSelectCell(int Line)
{
    ClearHint();
    if (Line != SelectedRow)
        AllowNoTrans = false;
    if (!LData || LData->SelectedClient != LData->PageFromClient || Line < 1 ||
        Line > LData->GetEditorRowsCount()) {
        SelectedRow = 0;
        return;
    }
    const int row = Line - 1;
    SetCurrentLine(Line);
    // A row that keeps the source translation cannot be typed in; every
    // other row is open for typing with its text selected.
    if (LData->EditorMode == emClient && !LData->ChangeableEditorItem(row)) {
        LangListEditor->CloseEditor();
    } else {
        LangListEditor->OpenEditor();
        // All selected with the cursor at the start, so that a long text
        // shows its beginning.
        if (auto *editor = qobject_cast<QLineEdit *>(LangListEditor->Editor()))
            editor->setSelection(int(editor->text().size()), -int(editor->text().size()));
    }
    quint32 sourceColor = 0;
    LRefText->SetFullText(LData->SelectEditorItem(row, &SameLocStr, sourceColor));
    SourceIcon->SetFillColor(EditorColorToQColor(sourceColor));
    SourceIcon->show();
    SelectedRow = Line;
}

void TLanguageManager::LangListEditorStringsChange()
{
    ClearHint();
    if (!isVisible() || !EnableEditEvent || SelectedRow <= 0)
        return;
    EnableEditEvent = false;
    // The marker follows the typing at once.
    RepaintMarker(SelectedRow - 1);
    PropagateGlobalEdit();
    EnableEditEvent = true;
}

void TLanguageManager::PropagateGlobalEdit()
{
    int workIndex = -1;
    if (SameLocStr.Count() == 0 || !LData->EditorItemIsGlobal(SelectedRow - 1, workIndex))
        return;
    // Rows of one designed text share one global translation.
    const QString text = LangListEditor->RowText(SelectedRow - 1);
    LData->RememberCell(LData->GetEditorRow(SelectedRow - 1), workIndex, GlobalDescent, false);
    for (int i = SameLocStr.Count() - 1; i >= 0; --i) {
        const int sister = SameLocStr.GetWord(i);
        int sisterIndex = -1;
        if (!LData->EditorItemIsGlobal(sister, sisterIndex))
            continue;
        LangListEditor->SetRowText(sister, text);
        RepaintMarker(sister);
    }
    LangListEditor->viewport()->update();
}

void TLanguageManager::ToggleItemStatus(int Row)
{
    if (!LData || Row < 0 || Row >= LangListEditor->rowCount())
        return;
    const int line = Row + 1;
    if (line != SelectedRow)
        AllowNoTrans = false;
    const QString content = LData->GetEditorRow(Row);
    QString newText;
    if (LData->SwitchEditorItem(Row, content, AllowNoTrans, newText)) {
        const bool events = EnableEditEvent;
        EnableEditEvent = false;
        LangListEditor->SetRowText(Row, newText);
        EnableEditEvent = events;
        LangModify = true;
    }
    SelectedRow = line;
    // The selection runs again: the row may have become open for typing.
    LangListEditorSelectCell(line);
    LangListEditorStringsChange();
}

void TLanguageManager::LangListEditorMouseDown(int Row, Qt::MouseButton Button)
{
    if (Button == Qt::LeftButton && LangListEditor->rowCount() > 0)
        ToggleItemStatus(Row);
}

void TLanguageManager::ClearHint()
{
    LangListEditor->setToolTip(QString());
    QToolTip::hideText();
}

void TLanguageManager::LangListEditorMouseMove(const QPoint &Position, Qt::MouseButtons Buttons,
                                               Qt::KeyboardModifiers Modifiers)
{
    if (Buttons != Qt::NoButton || Modifiers != Qt::NoModifier) {
        ClearHint();
        return;
    }
    // Over a marker: the name of the state its colour shows.
    const QModelIndex index = LangListEditor->indexAt(Position);
    QString hint;
    if (LData && index.isValid() && index.column() == 0 &&
        LangListEditor->MarkerRect(index.row()).contains(Position)) {
        const QColor colour = MarkerColor(index.row());
        if (colour.isValid())
            hint = LData->GetColorHint(QColorToEditorColor(colour));
    }
    if (hint.isEmpty()) {
        ClearHint();
        return;
    }
    LangListEditor->setToolTip(hint);
    QToolTip::showText(LangListEditor->viewport()->mapToGlobal(Position), hint,
                       LangListEditor->viewport(), LangListEditor->MarkerRect(index.row()));
}

void TLanguageManager::EnableStatusColumnClick()
{
    LangListEditor->SetStatusColumnClick(true);
}

void TLanguageManager::DisableStatusColumnClick()
{
    LangListEditor->SetStatusColumnClick(false);
}

bool TLanguageManager::LangListEditorKeyDown(QKeyEvent *Event)
{
    const Qt::KeyboardModifiers modifiers =
        Event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    switch (Event->key()) {
    case Qt::Key_F3:
        Search(modifiers);
        return true;
    case Qt::Key_F:
        if (modifiers != Qt::ControlModifier)
            return false;
        FindEdit->setFocus();
        FindEdit->selectAll();
        return true;
    case Qt::Key_Left:
        if (modifiers != Qt::ControlModifier)
            return false;
        ToggleItemStatus(LangListEditor->CurrentRow());
        return true;
    case Qt::Key_Down:
        // On the last row, or on a page without rows: the next page.
        if (LangListEditor->rowCount() > 0 && SelectedRow < LangListEditor->rowCount())
            return false;
        IRightMouseDown(modifiers & Qt::ShiftModifier);
        return true;
    case Qt::Key_Up:
        if (SelectedRow > 1 || modifiers != Qt::NoModifier)
            return false;
        if (GroupCombo->currentIndex() <= 0 &&
            !(ObjectCombo->isEnabled() && ObjectCombo->currentIndex() > 0))
            return false;
        ILeftMouseDown(false);
        // Coming back from below: the last row of the page.
        if (LangListEditor->rowCount() > 1)
            LangListEditorSelectCell(LangListEditor->rowCount());
        return true;
    default:
        return false;
    }
}

} // namespace wordmill
