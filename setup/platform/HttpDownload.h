#pragma once

#include "platform/Platform.h"

namespace corvane {

// Downloads url (http or https, redirects followed) into fileName on the
// calling thread, serving the event queue meanwhile. The progress handler
// hears received and expected bytes (0 while the server gives no size) and
// may cancel. The data goes to a temporary file beside the target that
// replaces the target only when the whole download succeeded. Throws
// corvane::Exception "Error downloading URL: <url>" on any failure,
// cancellation included.
void HttpDownloadToFile(const QString &url, const QString &fileName,
                        const DownloadProgressHandler &onProgress, QObject *sender);

} // namespace corvane
