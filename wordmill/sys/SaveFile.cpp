#include "SaveFile.h"

#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

// Makes the written data durable before the rename, reporting what the
// file system says. File systems that cannot sync are not an error.
QString SyncToDisk(QSaveFile &file)
{
#ifdef Q_OS_UNIX
    const int handle = file.handle();
    if (handle < 0)
        return QString();
    int result;
    do {
        result = ::fsync(handle);
    } while (result != 0 && errno == EINTR);
    if (result != 0 && errno != EINVAL && errno != EROFS && errno != ENOTSUP)
        return qt_error_string(errno);
#else
    Q_UNUSED(file);
#endif
    return QString();
}

} // namespace

QString CommitSaveFile(QSaveFile &file)
{
    if (!file.isOpen()) {
        const QString reason = file.errorString();
        return reason.isEmpty() ? u"The file is not open"_s : reason;
    }
    QString reason;
    if (file.error() != QFileDevice::NoError || !file.flush())
        reason = file.errorString();
    else
        reason = SyncToDisk(file);
    if (!reason.isEmpty()) {
        // A cancelled commit removes the temporary file and keeps the target.
        file.cancelWriting();
        (void)file.commit();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

QString SaveFileContents(const QString &fileName, QByteArrayView data)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(data.data(), data.size()) != data.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        (void)file.commit();
        return reason;
    }
    return CommitSaveFile(file);
}

} // namespace wordmill
