#include "ElidedLabel.h"

#include <QFontMetrics>

using namespace Qt::StringLiterals;

namespace wordmill {

TElidedLabel::TElidedLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    // The label takes the width it is given, not the width of its text.
    setMinimumWidth(1);
}

void TElidedLabel::SetFullText(const QString &Text)
{
    fFullText = Text;
    fFullText.replace(u"\r\n"_s, u" "_s).replace(u'\n', u' ').replace(u'\r', u' ');
    Elide();
}

void TElidedLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    Elide();
}

void TElidedLabel::Elide()
{
    const QString shown =
        fontMetrics().elidedText(fFullText, Qt::ElideRight, contentsRect().width());
    setText(shown);
    setToolTip(shown == fFullText ? QString() : fFullText);
}

} // namespace wordmill
