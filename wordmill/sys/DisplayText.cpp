#include "DisplayText.h"

#include <wordmill/sys/Logging.h>

namespace wordmill {

QString CapDisplayText(const QString &text, const QString &target)
{
    if (text.size() <= MaxDisplayTextLength)
        return text;
    qsizetype length = MaxDisplayTextLength;
    if (text.at(length - 1).isHighSurrogate())
        --length;
    qCWarning(lcWordmill, "The text for %ls has %lld characters; only the first %lld are shown",
              qUtf16Printable(target), qlonglong(text.size()), qlonglong(length));
    return text.left(length);
}

} // namespace wordmill
