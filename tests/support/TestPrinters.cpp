#include "TestPrinters.h"

#include <ostream>

QT_BEGIN_NAMESPACE

void PrintTo(const QString &value, std::ostream *os)
{
    *os << '"' << value.toUtf8().constData() << '"';
}

void PrintTo(const QStringList &value, std::ostream *os)
{
    *os << '{';
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (i > 0)
            *os << ", ";
        PrintTo(value.at(i), os);
    }
    *os << '}';
}

void PrintTo(const QByteArray &value, std::ostream *os)
{
    *os << "bytes(" << value.toHex(' ').constData() << ')';
}

QT_END_NAMESPACE
