#include "PackedImport.h"

#include <wordmill/sys/LanguageNames.h>

#include <QList>
#include <QPair>
#include <QtEndian>

namespace wordmill {

namespace {

// Reads the stream front to back; a read past the end or a count that does
// not fit the remaining bytes marks the stream as broken.
class Reader
{
public:
    explicit Reader(const QByteArray &bytes) : m_data(bytes.constData()), m_left(bytes.size()) {}

    bool AtEnd() const { return m_left == 0; }

    bool Count(qint32 &value)
    {
        if (m_left < 4)
            return false;
        value = qFromLittleEndian<qint32>(m_data);
        m_data += 4;
        m_left -= 4;
        return true;
    }

    // A string; without a target its characters are skipped, not copied.
    bool String(QString *text)
    {
        qint32 length = 0;
        if (!Count(length) || length < 0 || qint64(length) * 2 > m_left)
            return false;
        if (text) {
            text->resize(length);
            qFromLittleEndian<char16_t>(m_data, length, text->data());
        }
        m_data += qsizetype(length) * 2;
        m_left -= qsizetype(length) * 2;
        return true;
    }

private:
    const char *m_data;
    qsizetype m_left;
};

} // namespace

TPackedImport ReadPackedImport(const QByteArray &Bytes,
                               const std::function<bool(const QString &Code)> &IsCurrent)
{
    TPackedImport result;
    Reader reader(Bytes);
    qint32 pairs = 0;
    if (!reader.String(nullptr) || !reader.Count(pairs) || pairs < 0)
        return result;
    if (pairs == 0) {
        if (reader.AtEnd())
            result.Result = TPackedImport::Empty;
        return result;
    }
    // N is only an upper bound: the reading stops at the current
    // language's pair, and a broken string ends it at once.
    for (qint32 i = 0; i < pairs; ++i) {
        QString language;
        if (!reader.String(&language))
            return result;
        const bool current = NormalizeISOCode(language) && IsCurrent(language);
        QString text;
        if (!reader.String(current ? &text : nullptr))
            return result;
        if (!current)
            continue;
        // What follows must be whole strings up to the very end.
        while (!reader.AtEnd())
            if (!reader.String(nullptr))
                return result;
        result.Result = TPackedImport::Found;
        result.Text = text;
        return result;
    }
    return result;
}

QByteArray WritePackedImport(const QString &Leading, const QList<QPair<QString, QString>> &Pairs)
{
    QByteArray bytes;
    const auto count = [&bytes](qint32 value) {
        char le[4];
        qToLittleEndian(value, le);
        bytes.append(le, 4);
    };
    const auto string = [&](const QString &text) {
        count(qint32(text.size()));
        for (QChar c : text) {
            char le[2];
            qToLittleEndian<quint16>(c.unicode(), le);
            bytes.append(le, 2);
        }
    };
    string(Leading);
    count(qint32(Pairs.size()));
    for (const auto &[language, text] : Pairs) {
        string(language);
        string(text);
    }
    return bytes;
}

} // namespace wordmill
