#pragma once

#include <QString>

namespace corvane {

// The download server's base address, without a trailing slash: the
// environment variable CORVANE_DOWNLOAD_BASE, else the demo download server
// on this machine (scripts/demo_server.py, port 8471).
QString ConfiguredDownloadBase();

} // namespace corvane
