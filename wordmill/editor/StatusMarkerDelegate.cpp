#include "StatusMarkerDelegate.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>

namespace wordmill {

TStatusMarkerDelegate::TStatusMarkerDelegate(int Scale100, QObject *parent)
    : QStyledItemDelegate(parent), fScale100(Scale100)
{
}

int TStatusMarkerDelegate::Scaled(int Design) const
{
    return (Design * fScale100 + 50) / 100;
}

QColor TStatusMarkerDelegate::MarkerColor(int Row) const
{
    return fMarkerColor ? fMarkerColor(Row) : QColor();
}

QRect TStatusMarkerDelegate::MarkerRect(const QRect &LabelCell) const
{
    // LabelCell.right() is the last pixel of the cell: the cell ends one
    // pixel further.
    const int end = LabelCell.right() + 1;
    return QRect(QPoint(end - Scaled(9), LabelCell.top() + Scaled(4)),
                 QPoint(end - Scaled(4) - 1, LabelCell.bottom() + 1 - Scaled(4) - 1));
}

void TStatusMarkerDelegate::PaintLabelCell(QPainter *painter, const QStyleOptionViewItem &option,
                                           const QModelIndex &index) const
{
    const QPalette &palette = option.palette;
    const bool pressed = index.row() == fPressedRow;
    painter->save();
    painter->fillRect(option.rect,
                      pressed ? palette.color(QPalette::Mid) : palette.color(QPalette::Button));
    const QRect marker = MarkerRect(option.rect);
    QRect text = option.rect.adjusted(Scaled(2), 0, 0, 0);
    text.setRight(marker.left() - Scaled(2));
    const QString label =
        option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, text.width());
    painter->setFont(option.font);
    painter->setPen(palette.color(QPalette::ButtonText));
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, label);
    const QColor colour = MarkerColor(index.row());
    if (colour.isValid())
        painter->fillRect(marker, colour);
    painter->restore();
}

void TStatusMarkerDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    if (index.column() == 0) {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        PaintLabelCell(painter, opt, index);
        return;
    }
    QStyledItemDelegate::paint(painter, option, index);
}

QWidget *TStatusMarkerDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                             const QModelIndex &index) const
{
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    // Every keystroke goes into the grid at once.
    connect(editor, &QLineEdit::textEdited, this, [this, editor] {
        auto *self = const_cast<TStatusMarkerDelegate *>(this);
        emit self->commitData(editor);
        emit self->TextEdited();
    });
    Q_UNUSED(option);
    Q_UNUSED(index);
    return editor;
}

void TStatusMarkerDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    // The grid may put a new text into the row while its editor is open
    // (a sister row, a status switch): show it, but leave the editor alone
    // while it already holds that text so that its cursor does not jump.
    auto *edit = qobject_cast<QLineEdit *>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    if (edit && edit->text() != text)
        edit->setText(text);
}

} // namespace wordmill
