#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <iosfwd>

// Lets GoogleTest print Qt values readably when an expectation fails.
QT_BEGIN_NAMESPACE
void PrintTo(const QString &value, std::ostream *os);
void PrintTo(const QStringList &value, std::ostream *os);
void PrintTo(const QByteArray &value, std::ostream *os);
QT_END_NAMESPACE
