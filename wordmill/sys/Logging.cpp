#include "Logging.h"

namespace wordmill {

Q_LOGGING_CATEGORY(lcWordmill, "wordmill", QtWarningMsg)

} // namespace wordmill
