#pragma once

#include <QColor>
#include <QWidget>

namespace wordmill {

// A panel that paints its own background in one colour. Neither a style nor
// a style sheet changes it, so the editor's left panel keeps its blue under
// every theme.
class TFixedColorPanel : public QWidget
{
public:
    TFixedColorPanel(const QColor &Colour, QWidget *parent = nullptr);
    QColor Colour() const { return fColour; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor fColour;
};

// A small filled circle with an outline: the colour of the selected row's
// source text.
class TColorDot : public QWidget
{
public:
    explicit TColorDot(QWidget *parent = nullptr);
    void SetFillColor(const QColor &Colour);
    QColor FillColor() const { return fFill; }
    int PenWidth() const { return 1; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor fFill = Qt::white;
};

} // namespace wordmill
