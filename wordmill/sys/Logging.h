#pragma once

#include <QLoggingCategory>

namespace wordmill {

// The library's logging category, "wordmill". It records why something did
// not work where the library's result alone cannot say it: a malformed
// language file that was skipped, a load or save that failed, a resource that
// is missing. Warnings are on by default; applications and tests choose with
// the usual filter rules ("wordmill.warning=false", QT_LOGGING_RULES).
Q_DECLARE_LOGGING_CATEGORY(lcWordmill)

} // namespace wordmill
