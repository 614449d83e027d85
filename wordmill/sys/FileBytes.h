#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

namespace wordmill {

// The bytes of a file for reading: mapped into memory where the system
// allows it, so that only the pages a reader touches are read, and read
// into memory otherwise. The bytes stay valid while the object lives.
class TFileBytes
{
public:
    TFileBytes() = default;
    TFileBytes(const TFileBytes &) = delete;
    TFileBytes &operator=(const TFileBytes &) = delete;
    ~TFileBytes();

    // Opens the file; false, with the reason in ErrorString, when it cannot
    // be read.
    bool Open(const QString &FileName);
    // Holds bytes read elsewhere (an embedded resource) instead.
    void SetBytes(QByteArray Bytes);

    QByteArrayView Bytes() const { return m_view; }
    QString ErrorString() const { return m_file.errorString(); }

private:
    QFile m_file;
    uchar *m_map = nullptr;
    QByteArray m_read;
    QByteArrayView m_view;
};

} // namespace wordmill
