#include "platform/DownloadBase.h"

using namespace Qt::StringLiterals;

namespace corvane {

QString ConfiguredDownloadBase()
{
    QString base = qEnvironmentVariable("CORVANE_DOWNLOAD_BASE");
    if (base.isEmpty())
        base = u"http://127.0.0.1:8471"_s;
    while (base.endsWith(u'/'))
        base.chop(1);
    return base;
}

} // namespace corvane
