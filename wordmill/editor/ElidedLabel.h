#pragma once

#include <QLabel>

namespace wordmill {

// A one-line label for texts of any length: line breaks show as spaces, a
// text too long for the label ends in an ellipsis, and the whole text is
// the label's hint then.
class TElidedLabel : public QLabel
{
    Q_OBJECT
public:
    explicit TElidedLabel(QWidget *parent = nullptr);

    void SetFullText(const QString &Text);
    QString FullText() const { return fFullText; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void Elide();

    QString fFullText;
};

} // namespace wordmill
