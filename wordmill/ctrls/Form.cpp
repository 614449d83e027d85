#include "Form.h"

#include <QResizeEvent>

namespace wordmill {

TForm::TForm(QWidget *parent) : QWidget(parent) {}

TForm::~TForm()
{
    MarkComponentDestroying(this);
}

void TForm::SetAlign(QWidget *widget, Align align)
{
    m_aligned.removeIf([widget](const auto &entry) { return entry.first == widget; });
    if (align != Align::None)
        m_aligned.append({widget, align});
    LayoutAligned();
}

void TForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    LayoutAligned();
}

void TForm::LayoutAligned()
{
    QRect free = rect();
    QWidget *client = nullptr;
    for (const auto &[widget, align] : std::as_const(m_aligned)) {
        if (!widget || !widget->isVisibleTo(this))
            continue;
        switch (align) {
        case Align::Top:
            widget->setGeometry(free.left(), free.top(), free.width(), widget->height());
            free.setTop(free.top() + widget->height());
            break;
        case Align::Bottom:
            widget->setGeometry(free.left(), free.bottom() + 1 - widget->height(), free.width(),
                                widget->height());
            free.setBottom(free.bottom() - widget->height());
            break;
        case Align::Left:
            widget->setGeometry(free.left(), free.top(), widget->width(), free.height());
            free.setLeft(free.left() + widget->width());
            break;
        case Align::Right:
            widget->setGeometry(free.right() + 1 - widget->width(), free.top(), widget->width(),
                                free.height());
            free.setRight(free.right() - widget->width());
            break;
        case Align::Client:
            client = widget;
            break;
        case Align::None:
            break;
        }
    }
    if (client)
        client->setGeometry(free);
}

} // namespace wordmill
