#include "EditorColor.h"

namespace wordmill {

QColor EditorColorToQColor(quint32 Color)
{
    return QColor(int(Color & 0xFF), int((Color >> 8) & 0xFF), int((Color >> 16) & 0xFF));
}

quint32 QColorToEditorColor(const QColor &Color)
{
    const QRgb rgb = Color.rgb();
    return quint32(qRed(rgb)) | quint32(qGreen(rgb)) << 8 | quint32(qBlue(rgb)) << 16;
}

} // namespace wordmill
