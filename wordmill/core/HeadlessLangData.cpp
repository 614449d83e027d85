#include "HeadlessLangData.h"

namespace wordmill {

QString THeadlessLangData::EditorExecute(int EMode)
{
    // Nothing was edited, so there is no language to switch to.
    return QString();
}

} // namespace wordmill
