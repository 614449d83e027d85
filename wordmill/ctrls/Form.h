#pragma once

#include <wordmill/toolkit/Form.h>

#include <QList>
#include <QPointer>
#include <QWidget>

namespace wordmill {

// A top-level window of the component model: it owns the components read
// from its stored definition, has the replaceable OnCreate event, and lays
// out children that are aligned to one of its edges.
class TForm : public QWidget, public FormHooks
{
    Q_OBJECT
public:
    enum class Align { None, Top, Bottom, Left, Right, Client };

    explicit TForm(QWidget *parent = nullptr);
    ~TForm() override;

    // Keeps widget glued to an edge of the form (or filling what is left),
    // in the order the alignments were set, like docked toolbars.
    void SetAlign(QWidget *widget, Align align);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void LayoutAligned();

    QList<QPair<QPointer<QWidget>, Align>> m_aligned;
};

} // namespace wordmill
