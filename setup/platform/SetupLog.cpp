#include "platform/SetupLog.h"

namespace corvane {

Q_LOGGING_CATEGORY(lcSetup, "corvane.setup")

} // namespace corvane
