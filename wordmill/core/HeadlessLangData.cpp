#include "HeadlessLangData.h"

#include <wordmill/sys/Logging.h>

namespace wordmill {

QString THeadlessLangData::EditorExecute(int EMode)
{
    // Nothing was edited, so there is no language to switch to.
    qCWarning(lcWordmill) << "this engine has no editor window: the language editor cannot run";
    return QString();
}

} // namespace wordmill
