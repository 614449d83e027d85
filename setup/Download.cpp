#include "Download.h"

namespace corvane {

TDownload::TDownload(QObject *owner) : QObject(owner) {}

void TDownload::Execute()
{
    CurrentPlatform().DownloadToFile(m_url, m_fileName, m_onProgress, this);
}

} // namespace corvane
