#pragma once

#include "platform/Platform.h"

#include <QObject>
#include <QString>

namespace corvane {

// One download of a URL into a file through the platform's downloader. The
// object is the sender its progress handler sees.
class TDownload : public QObject
{
    Q_OBJECT
public:
    explicit TDownload(QObject *owner = nullptr);

    const QString &Url() const { return m_url; }
    void SetUrl(const QString &url) { m_url = url; }
    const QString &FileName() const { return m_fileName; }
    void SetFileName(const QString &fileName) { m_fileName = fileName; }
    const DownloadProgressHandler &OnProgress() const { return m_onProgress; }
    void SetOnProgress(const DownloadProgressHandler &handler) { m_onProgress = handler; }

    // Downloads synchronously, replacing an earlier copy of the file; throws
    // corvane::Exception when the download fails or is cancelled.
    void Execute();

private:
    QString m_url;
    QString m_fileName;
    DownloadProgressHandler m_onProgress;
};

} // namespace corvane
