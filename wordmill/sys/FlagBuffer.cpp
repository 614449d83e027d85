#include "FlagBuffer.h"

#include <QBuffer>

namespace wordmill {

QBuffer &FlagIconBuffer()
{
    static QBuffer Buffer;
    if (!Buffer.isOpen())
        Buffer.open(QIODevice::ReadWrite);
    return Buffer;
}

void ClearFlagBuffer()
{
    QBuffer &Buffer = FlagIconBuffer();
    Buffer.close();
    Buffer.setData(QByteArray());
    Buffer.open(QIODevice::ReadWrite);
}

bool FlagBufferHasData()
{
    return FlagIconBuffer().size() > 0;
}

QBuffer &GetFlagBuffer()
{
    QBuffer &Buffer = FlagIconBuffer();
    Buffer.seek(0);
    return Buffer;
}

} // namespace wordmill
