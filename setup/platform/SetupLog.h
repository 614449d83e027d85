#pragma once

#include <QLoggingCategory>

namespace corvane {

// The setup program's log: why a download, a check or an installer failed,
// beyond the message box the user sees.
Q_DECLARE_LOGGING_CATEGORY(lcSetup)

} // namespace corvane
