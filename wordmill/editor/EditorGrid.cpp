#include "EditorGrid.h"

#include <wordmill/editor/StatusMarkerDelegate.h>

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

namespace wordmill {

TEditorGrid::TEditorGrid(int Scale100, QWidget *parent)
    : QTableWidget(0, 2, parent), fDelegate(new TStatusMarkerDelegate(Scale100, this))
{
    setItemDelegate(fDelegate);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setShowGrid(true);
    setWordWrap(false);
    setTabKeyNavigation(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    viewport()->setMouseTracking(true);
}

void TEditorGrid::AddRow(const QString &Label, const QString &Text)
{
    const int row = rowCount();
    insertRow(row);
    auto *label = new QTableWidgetItem(Label);
    label->setFlags(Qt::ItemIsEnabled);
    setItem(row, 0, label);
    setItem(row, 1, new QTableWidgetItem(Text));
}

QString TEditorGrid::RowText(int Row) const
{
    const QTableWidgetItem *cell = item(Row, 1);
    return cell ? cell->text() : QString();
}

void TEditorGrid::SetRowText(int Row, const QString &Text)
{
    if (QTableWidgetItem *cell = item(Row, 1))
        cell->setText(Text);
}

void TEditorGrid::RemoveAllRows()
{
    CloseEditor();
    setRowCount(0);
}

int TEditorGrid::CurrentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TEditorGrid::SetCurrentRow(int Row)
{
    if (Row >= 0 && Row < rowCount())
        setCurrentIndex(model()->index(Row, 1));
}

bool TEditorGrid::IsEditorOpen() const
{
    return state() == QAbstractItemView::EditingState && Editor() != nullptr;
}

QWidget *TEditorGrid::Editor() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? indexWidget(current) : nullptr;
}

void TEditorGrid::OpenEditor()
{
    const QModelIndex current = currentIndex();
    if (current.isValid() && !IsEditorOpen())
        edit(current, QAbstractItemView::AllEditTriggers, nullptr);
}

void TEditorGrid::CloseEditor()
{
    if (QWidget *editor = Editor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

QRect TEditorGrid::LabelRect(int Row) const
{
    if (Row < 0 || Row >= rowCount())
        return QRect();
    return visualRect(model()->index(Row, 0)).intersected(viewport()->rect());
}

QRect TEditorGrid::MarkerRect(int Row) const
{
    const QRect cell = LabelRect(Row);
    return cell.isEmpty() ? QRect() : fDelegate->MarkerRect(visualRect(model()->index(Row, 0)));
}

bool TEditorGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    if (!index.isValid() || index.column() != 1)
        return false;
    if (CanEditRow && !CanEditRow(index.row()))
        return false;
    const bool opened = QTableWidget::edit(index, trigger, event);
    if (opened) {
        if (QWidget *editor = indexWidget(index))
            editor->installEventFilter(this); // after the delegate's: runs first
    }
    return opened;
}

QModelIndex TEditorGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    // The text column is the only one that becomes current: Tab and
    // Backtab go to the next and the previous row.
    const int row = CurrentRow();
    if (cursorAction == MoveNext && row + 1 < rowCount())
        return model()->index(row + 1, 1);
    if (cursorAction == MovePrevious && row > 0)
        return model()->index(row - 1, 1);
    if (cursorAction == MoveNext || cursorAction == MovePrevious)
        return currentIndex();
    const QModelIndex moved = QTableWidget::moveCursor(cursorAction, modifiers);
    return moved.isValid() ? model()->index(moved.row(), 1) : moved;
}

void TEditorGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableWidget::currentChanged(current, previous);
    if (current.isValid() && current.column() != 1) {
        setCurrentIndex(model()->index(current.row(), 1));
        return;
    }
    if (current.row() != previous.row() || !previous.isValid())
        emit CurrentRowChanged(current.isValid() ? current.row() : -1);
}

void TEditorGrid::keyPressEvent(QKeyEvent *event)
{
    if (OnKeyDown && OnKeyDown(event)) {
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

bool TEditorGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched == Editor()) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (OnKeyDown && OnKeyDown(key))
            return true;
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            // Moving between rows from inside the editor, like in the grid.
            QTableWidget::keyPressEvent(key);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // The editor stays open: the text is written as it is typed.
            return true;
        default:
            break;
        }
    }
    return QTableWidget::eventFilter(watched, event);
}

void TEditorGrid::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.column() == 0) {
        if (fStatusColumnClick && event->button() == Qt::LeftButton) {
            fDelegate->SetPressedRow(index.row());
            viewport()->update(visualRect(index));
        }
        emit LabelPressed(index.row(), event->button(), event->modifiers());
        event->accept();
        return;
    }
    QTableWidget::mousePressEvent(event);
}

void TEditorGrid::mouseReleaseEvent(QMouseEvent *event)
{
    fDelegate->SetPressedRow(-1);
    viewport()->update();
    QTableWidget::mouseReleaseEvent(event);
}

void TEditorGrid::mouseMoveEvent(QMouseEvent *event)
{
    emit PointerMoved(event->position().toPoint(), event->buttons(), event->modifiers());
    QTableWidget::mouseMoveEvent(event);
}

void TEditorGrid::wheelEvent(QWheelEvent *event)
{
    emit HintInvalidated();
    QTableWidget::wheelEvent(event);
}

bool TEditorGrid::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Leave)
        emit HintInvalidated();
    return QTableWidget::viewportEvent(event);
}

void TEditorGrid::scrollContentsBy(int dx, int dy)
{
    emit HintInvalidated();
    QTableWidget::scrollContentsBy(dx, dy);
}

} // namespace wordmill
