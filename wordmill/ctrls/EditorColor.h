#pragma once

#include <QColor>

namespace wordmill {

// The editor's status colours are 24-bit values with red in the lowest byte
// (0x00BBGGRR, see core/EditorColors.h). These turn them into the colour a
// widget paints and a painted pixel back into the value whose hint it
// shows, so painting and the hint lookup use the same table.
QColor EditorColorToQColor(quint32 Color);
// The alpha channel is dropped: a pixel read back is opaque.
quint32 QColorToEditorColor(const QColor &Color);

} // namespace wordmill
