#pragma once

#include <functional>
#include <string>

namespace corvane::win32 {

// Progress of a download: received and expected amounts (0 while unknown),
// the bind status code and its text; setting cancel stops the download.
using ProgressHandler =
    std::function<void(unsigned long progress, unsigned long progressMax, unsigned long statusCode,
                       const std::wstring &statusText, bool &cancel)>;

// Downloads url into fileName with URLDownloadToFileW of urlmon.dll, loaded
// on first use. The data arrives in a file beside the target that replaces
// it only when the download succeeded. Throws Failure of kind "Exception":
// "Unable to load urlmon.dll", or "Error downloading URL: <url>" for every
// failure of the download: cancellation, and an error status of the server
// (400 and above) whatever page came with it, included.
void DownloadToFile(const std::wstring &url, const std::wstring &fileName,
                    const ProgressHandler &onProgress);

} // namespace corvane::win32
