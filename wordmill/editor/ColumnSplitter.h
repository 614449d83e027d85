#pragma once

#include <wordmill/editor/SizingArrow.h>

#include <QSplitter>

namespace wordmill {

// The thin strip above the editor grid: a panel on the left and a handle
// that the user drags to size the grid's label column. The handle shows the
// column-sizing sign in the grey of disabled text.
class TColumnSplitter : public QSplitter
{
    Q_OBJECT
public:
    // HandleWidth: the handle's width in logical pixels.
    explicit TColumnSplitter(int HandleWidth, QWidget *parent = nullptr);

    // The panel on the left of the handle (SplitPanel).
    QWidget *SplitPanel() const { return fSplitPanel; }
    void SetSplitPanelWidth(int Width);
    int SplitPanelWidth() const;

    // The sign's metrics for the handle as it is now shown; recomputed
    // whenever its size or the screen density changes.
    const TColSizingArrow &Arrow() const;

protected:
    QSplitterHandle *createHandle() override;

private:
    QWidget *fSplitPanel;
};

} // namespace wordmill
