#include "FileBytes.h"

namespace wordmill {

TFileBytes::~TFileBytes()
{
    if (m_map)
        m_file.unmap(m_map);
}

bool TFileBytes::Open(const QString &FileName)
{
    if (m_map)
        m_file.unmap(m_map);
    m_map = nullptr;
    m_read.clear();
    m_view = {};
    m_file.close();
    m_file.setFileName(FileName);
    if (!m_file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = m_file.size();
    if (size > 0 && (m_map = m_file.map(0, size)) != nullptr) {
        m_view = QByteArrayView(m_map, qsizetype(size));
        return true;
    }
    // Not mappable (an empty file, a pipe, a file system without mappings):
    // read it instead.
    m_read = m_file.readAll();
    if (m_read.isEmpty() && m_file.error() != QFileDevice::NoError)
        return false;
    m_view = m_read;
    return true;
}

void TFileBytes::SetBytes(QByteArray Bytes)
{
    if (m_map)
        m_file.unmap(m_map);
    m_map = nullptr;
    m_file.close();
    m_read = std::move(Bytes);
    m_view = m_read;
}

} // namespace wordmill
