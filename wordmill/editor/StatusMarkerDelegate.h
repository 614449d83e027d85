#pragma once

#include <QColor>
#include <QStyledItemDelegate>

#include <functional>

namespace wordmill {

// Paints the editor grid's cells: the label column like a fixed column of
// buttons with the row's status marker at its right end, the text column as
// usual. Its in-place editor writes every keystroke through to the grid, so
// the marker and the sister rows follow the typing at once.
class TStatusMarkerDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    // The colour of a row's marker; an invalid colour paints none.
    using MarkerColorFunction = std::function<QColor(int Row)>;

    TStatusMarkerDelegate(int Scale100, QObject *parent = nullptr);

    void SetMarkerColor(const MarkerColorFunction &Function) { fMarkerColor = Function; }
    QColor MarkerColor(int Row) const;

    // The marker of a label cell: a bar 5 design pixels wide, 4 in from the
    // cell's right edge and 4 from its top and bottom.
    QRect MarkerRect(const QRect &LabelCell) const;

    // Row whose label is shown pressed (status column clicks), -1 for none.
    void SetPressedRow(int Row) { fPressedRow = Row; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;

signals:
    // The user changed the text in the in-place editor.
    void TextEdited();

private:
    int Scaled(int Design) const;
    void PaintLabelCell(QPainter *painter, const QStyleOptionViewItem &option,
                        const QModelIndex &index) const;

    int fScale100;
    int fPressedRow = -1;
    MarkerColorFunction fMarkerColor;
};

} // namespace wordmill
