#pragma once

#include <QTableWidget>

#include <functional>

namespace wordmill {

class TStatusMarkerDelegate;

// The editor's two-column grid: a fixed label column and a text column that
// is edited in place. The label column never becomes current; a press on a
// label is reported instead. Keys typed into the grid or into its in-place
// editor pass through OnKeyDown first, so that the window can take them.
class TEditorGrid : public QTableWidget
{
    Q_OBJECT
public:
    // Scale100: the window's scale in percent of the design at 96 dpi.
    explicit TEditorGrid(int Scale100, QWidget *parent = nullptr);

    TStatusMarkerDelegate *Delegate() const { return fDelegate; }

    // Appends a row: the label and the text.
    void AddRow(const QString &Label, const QString &Text);
    QString RowText(int Row) const;
    void SetRowText(int Row, const QString &Text);
    void RemoveAllRows();

    // The row whose text cell is current, -1 for none.
    int CurrentRow() const;
    void SetCurrentRow(int Row);

    // The in-place editor of the current row.
    bool IsEditorOpen() const;
    void OpenEditor();
    void CloseEditor();
    QWidget *Editor() const;

    // The label cell of a row in viewport coordinates; empty when the row is
    // scrolled out of sight.
    QRect LabelRect(int Row) const;
    QRect MarkerRect(int Row) const;

    // A press on a label shows it pressed while this is on.
    void SetStatusColumnClick(bool On) { fStatusColumnClick = On; }
    bool StatusColumnClick() const { return fStatusColumnClick; }

    // Asked before the in-place editor opens on a row; false keeps it closed.
    std::function<bool(int Row)> CanEditRow;
    // A key pressed in the grid or its editor; true when it was taken.
    std::function<bool(QKeyEvent *Event)> OnKeyDown;

signals:
    void LabelPressed(int Row, Qt::MouseButton Button, Qt::KeyboardModifiers Modifiers);
    void CurrentRowChanged(int Row);
    // The pointer moved over the grid (viewport coordinates).
    void PointerMoved(const QPoint &Position, Qt::MouseButtons Buttons,
                      Qt::KeyboardModifiers Modifiers);
    // The pointer left, the wheel turned or the view scrolled.
    void HintInvalidated();

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TStatusMarkerDelegate *fDelegate;
    bool fStatusColumnClick = false;
};

} // namespace wordmill
