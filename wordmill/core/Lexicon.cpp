#include "Lexicon.h"

#include <wordmill/core/WordmillEngineCore.h>
#include <wordmill/WordmillSys.h>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

constexpr QChar LinkOpen = QChar(0x00AB);  // «
constexpr QChar LinkClose = QChar(0x00BB); // »
constexpr QChar Quote = u'"';

} // namespace

TLexicon::TLexicon(QObject *owner) : TWordmillList(owner)
{
    Slaves.append(TLexiconSlave());
}

QString TLexicon::GetLink(int Index) const
{
    return QString(LinkOpen) + u'#' + QString::number(Index) + u';';
}

QString TLexicon::CompleteString(const QString &Str)
{
    QString result;
    result.reserve(Str.size());
    const qsizetype n = Str.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = Str.at(i);
        if (c != LinkOpen || n - i - 1 < 3
            || (Str.at(i + 1) != u'#' && Str.at(i + 1) != Quote)) {
            result.append(c);
            ++i;
            continue;
        }
        if (Str.at(i + 1) == u'#') {
            // «#digits;
            qsizetype j = i + 2;
            qint64 number = 0;
            bool digits = false;
            while (j < n && Str.at(j).isDigit() && Str.at(j).unicode() < 128) {
                number = qMin<qint64>(number * 10 + (Str.at(j).unicode() - u'0'), qint64(INT_MAX) + 1);
                digits = true;
                ++j;
            }
            if (!digits || j >= n || Str.at(j) != u';') {
                result.append(c);
                ++i;
                continue;
            }
            if (number <= MaxIndex() && IsDefined(int(number)))
                result.append(GetItem(int(number)));
            else
                result.append(u"???"_s);
            i = j + 1;
            continue;
        }
        // «"quoted text"»
        const qsizetype start = i + 2;
        qsizetype j = start;
        while (j + 1 < n && !(Str.at(j) == Quote && Str.at(j + 1) == LinkClose))
            ++j;
        if (j + 1 >= n)
            return result; // never closed: the rest is dropped
        QString quoted = Str.mid(start, j - start);
        if (!quoted.isEmpty()) {
            if (fWordmillEngine) {
                result.append(fWordmillEngine->TranslateString(quoted, this, -1));
            } else {
                DecodeControlChars(quoted);
                result.append(quoted);
            }
        }
        i = j + 2;
    }
    return result;
}

void TLexicon::LanguageChanged(QObject *Sender)
{
    for (const TLexiconSlave &slave : std::as_const(Slaves))
        if (slave)
            slave();
    TWordmillList::LanguageChanged(Sender);
}

} // namespace wordmill
