#include "Accelerators.h"

using namespace Qt::StringLiterals;

namespace wordmill {

QString StripAccelerators(const QString &Caption)
{
    QString result;
    result.reserve(Caption.size());
    for (qsizetype i = 0; i < Caption.size(); ++i) {
        const QChar c = Caption.at(i);
        if (c == u'&') {
            // "&&" is a literal "&"; a single "&" only marks the next letter.
            if (i + 1 < Caption.size() && Caption.at(i + 1) == u'&') {
                result.append(c);
                ++i;
            }
            continue;
        }
        result.append(c);
    }
    return result;
}

QString EscapeAccelerators(const QString &Text)
{
    QString result = Text;
    result.replace(u"&"_s, u"&&"_s);
    return result;
}

} // namespace wordmill
