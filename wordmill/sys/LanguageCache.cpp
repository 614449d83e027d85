#include "LanguageCache.h"

#include <wordmill/sys/ComponentStructure.h>
#include <wordmill/sys/LexiconData.h>
#include <wordmill/sys/SmartLexiconData.h>

#include <QHash>
#include <QIODevice>

#include <algorithm>
#include <cstring>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

// The layout, all numbers in the machine's byte order:
//
//   0  "WMLC", u16 0xFEFF (tells the byte order), u16 format version
//   8  u64 size of the whole file
//  16  u64 hash of everything after the first 32 bytes
//  24  u64 offset of the stores
//  32  the info: settings, chain (name, path, code, size, hash each), code,
//      superior name and code
//      the stores: lines (key, translation, descent, changeable), lexicons
//      (name, items of number, text, descent), global pairs (design text,
//      translation, descent), smart lexicons (name, pairs)
//
// A text is a u32 count of UTF-16 code units and the units. Every field has
// an even size, so every text starts at an even offset.
constexpr char Magic[4] = {'W', 'M', 'L', 'C'};
constexpr quint16 ByteOrderMark = 0xFEFF;
constexpr quint16 FormatVersion = 1;
constexpr qsizetype HeaderSize = LanguageCacheHeaderSize;
constexpr size_t HashSeed = 0x57d1a3c0ffee5eedull;

// The content hash goes over blocks of this size, one after the other, so
// that the writer can hash and write a block at a time.
constexpr qsizetype HashBlock = qsizetype(1) << 20;

// The hash of everything so far followed by Block.
size_t hashBlock(size_t hash, QByteArrayView block)
{
    return qHashBits(block.data(), size_t(block.size()), hash ^ HashSeed) ^ (hash << 1);
}

size_t hashBlocks(QByteArrayView bytes)
{
    size_t hash = HashSeed;
    for (qsizetype at = 0; at < bytes.size(); at += HashBlock)
        hash = hashBlock(hash, bytes.sliced(at, std::min(HashBlock, bytes.size() - at)));
    return hash;
}

// Writes the body block by block behind a header that is filled in last;
// the first failing write stops everything.
class Writer
{
public:
    explicit Writer(QIODevice &out) : m_out(out)
    {
        m_pending.reserve(HashBlock + 4096);
        m_ok = out.write(QByteArray(HeaderSize, '\0')) == HeaderSize;
    }

    template <typename T> void Number(T value)
    {
        Append(reinterpret_cast<const char *>(&value), sizeof value);
    }
    void Text(const QString &text)
    {
        Number(quint32(text.size()));
        Append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    }
    // Body bytes written so far, counted from the start of the file.
    qsizetype Offset() const { return HeaderSize + m_written + m_pending.size(); }

    // Writes the rest and the header; false when any write failed.
    bool Finish(quint64 stores)
    {
        Flush(true);
        if (!m_ok)
            return false;
        QByteArray header;
        header.append(Magic, sizeof Magic);
        const auto put = [&header](auto value) {
            header.append(reinterpret_cast<const char *>(&value), sizeof value);
        };
        put(ByteOrderMark);
        put(FormatVersion);
        put(quint64(HeaderSize + m_written));
        put(quint64(m_hash));
        put(stores);
        return m_out.seek(0) && m_out.write(header) == HeaderSize;
    }

private:
    void Append(const char *data, qsizetype size)
    {
        m_pending.append(data, size);
        if (m_pending.size() >= HashBlock)
            Flush(false);
    }
    void Flush(bool all)
    {
        qsizetype at = 0;
        while (m_ok && (m_pending.size() - at >= HashBlock || (all && at < m_pending.size()))) {
            const QByteArrayView block =
                QByteArrayView(m_pending).sliced(at, std::min(HashBlock, m_pending.size() - at));
            m_hash = hashBlock(m_hash, block);
            m_ok = m_out.write(block.data(), block.size()) == block.size();
            m_written += block.size();
            at += block.size();
        }
        m_pending.remove(0, at);
    }

    QIODevice &m_out;
    QByteArray m_pending;
    qsizetype m_written = 0;
    size_t m_hash = HashSeed;
    bool m_ok = true;
};

// Reads fields in order; every read checks that the field lies inside.
class Reader
{
public:
    Reader(QByteArrayView bytes, qsizetype at) : m_bytes(bytes), m_at(at) {}

    template <typename T> bool Number(T &value)
    {
        if (m_bytes.size() - m_at < qsizetype(sizeof value))
            return false;
        std::memcpy(&value, m_bytes.data() + m_at, sizeof value);
        m_at += sizeof value;
        return true;
    }
    // A text that refers to the bytes where they lie, or a copy.
    bool Text(QString &text, bool copy = false)
    {
        quint32 count = 0;
        if (!Number(count) || (m_bytes.size() - m_at) / 2 < qsizetype(count))
            return false;
        const auto *units = reinterpret_cast<const QChar *>(m_bytes.data() + m_at);
        if (!count)
            text = QString();
        else
            text = copy ? QString(units, qsizetype(count))
                        : QString::fromRawData(units, qsizetype(count));
        m_at += qsizetype(count) * 2;
        return true;
    }
    // A count of records of at least MinSize bytes each that can all be
    // there.
    bool Count(quint32 &count, qsizetype minSize)
    {
        return Number(count) && qsizetype(count) <= (m_bytes.size() - m_at) / minSize;
    }
    bool AtEnd() const { return m_at == m_bytes.size(); }

private:
    QByteArrayView m_bytes;
    qsizetype m_at;
};

bool fail(QString *problem, const QString &reason)
{
    if (problem)
        *problem = reason;
    return false;
}

} // namespace

quint64 LanguageCacheHash(QByteArrayView Bytes)
{
    return quint64(hashBlocks(Bytes));
}

bool ReadLanguageCacheHeader(QByteArrayView Header, quint64 &Size, quint64 &Hash)
{
    if (Header.size() < HeaderSize || std::memcmp(Header.data(), Magic, sizeof Magic) != 0)
        return false;
    std::memcpy(&Size, Header.data() + 8, sizeof Size);
    std::memcpy(&Hash, Header.data() + 16, sizeof Hash);
    return true;
}

bool WriteLanguageCache(QIODevice &Out, const TLanguageCacheInfo &Info,
                        const TComponentStructure &Lines, const TLexiconData &Lexicons,
                        const TSmartLexiconData &Smart)
{
    Writer w(Out);
    w.Text(Info.Settings);
    w.Number(quint32(Info.Chain.size()));
    for (const TLanguageCacheSource &source : Info.Chain) {
        w.Text(source.Name);
        w.Text(source.Path);
        w.Text(source.Code);
        w.Number(qint64(source.Size));
        w.Number(quint64(source.Hash));
    }
    w.Text(Info.Code);
    w.Text(Info.Superior.Name);
    w.Text(Info.Superior.Code);
    const qsizetype stores = w.Offset();

    w.Number(quint32(Lines.Count()));
    for (int i = 0; i < Lines.Count(); ++i) {
        w.Text(Lines.LineID(i));
        w.Text(Lines.Translation(i));
        w.Number(quint16(Lines.Descent(i)));
        w.Number(quint16(Lines.Changeable(i)));
    }

    w.Number(quint32(Lexicons.LexiconCount()));
    for (int l = 0; l < Lexicons.LexiconCount(); ++l) {
        const QString name = Lexicons.LexiconName(l);
        w.Text(name);
        const int max = Lexicons.MaxItemNr(name);
        quint32 count = 0;
        for (int n = 0; n <= max; ++n)
            count += Lexicons.IsIncluded(name, n) ? 1 : 0;
        w.Number(count);
        for (int n = 0; n <= max; ++n) {
            if (!Lexicons.IsIncluded(name, n))
                continue;
            quint16 descent = 0;
            const QString text = Lexicons.ReadItem(name, n, descent);
            w.Number(quint32(n));
            w.Text(text);
            w.Number(descent);
        }
    }

    const auto pairs = [&w, &Smart](const QString &name) {
        const int max = Smart.MaxItemNr(name);
        w.Number(quint32(max + 1));
        for (int n = 0; n <= max; ++n) {
            quint16 descent = 0;
            const QString translated = Smart.ReadItem(name, n, descent);
            w.Text(Smart.GetLocStr(name, n));
            w.Text(translated);
            w.Number(descent);
        }
    };
    pairs(QString());
    w.Number(quint32(Smart.LexiconCount()));
    for (int l = 0; l < Smart.LexiconCount(); ++l) {
        const QString name = Smart.LexiconName(l);
        w.Text(name);
        pairs(name);
    }

    return w.Finish(quint64(stores));
}

bool ReadLanguageCacheInfo(QByteArrayView Bytes, TLanguageCacheInfo &Info, QString *Problem,
                           bool CheckContent)
{
    if (Bytes.size() < HeaderSize || std::memcmp(Bytes.data(), Magic, sizeof Magic) != 0)
        return fail(Problem, u"not a language cache"_s);
    // Texts are read where they lie, as UTF-16 code units.
    if (reinterpret_cast<quintptr>(Bytes.data()) % alignof(char16_t) != 0)
        return fail(Problem, u"not aligned"_s);
    Reader header(Bytes, sizeof Magic);
    quint16 mark = 0, version = 0;
    quint64 size = 0, hash = 0;
    quint64 stores = 0;
    header.Number(mark);
    header.Number(version);
    header.Number(size);
    header.Number(hash);
    header.Number(stores);
    if (mark != ByteOrderMark)
        return fail(Problem, u"made on a machine of another byte order"_s);
    if (version != FormatVersion)
        return fail(Problem, u"format version %1"_s.arg(version));
    if (size != quint64(Bytes.size()))
        return fail(Problem, u"%1 bytes instead of %2"_s.arg(Bytes.size()).arg(size));
    if (stores < HeaderSize || stores > size || stores % 2 != 0)
        return fail(Problem, u"no stores"_s);
    if (CheckContent && LanguageCacheHash(Bytes.sliced(HeaderSize)) != hash)
        return fail(Problem, u"damaged content"_s);

    Reader r(Bytes.first(qsizetype(stores)), HeaderSize);
    quint32 chain = 0;
    // A chain entry holds three texts and two numbers.
    if (!r.Text(Info.Settings, true) || !r.Count(chain, 3 * 4 + 16))
        return fail(Problem, u"damaged info"_s);
    Info.Chain.clear();
    Info.Chain.reserve(chain);
    for (quint32 i = 0; i < chain; ++i) {
        TLanguageCacheSource source;
        if (!r.Text(source.Name, true) || !r.Text(source.Path, true) ||
            !r.Text(source.Code, true) || !r.Number(source.Size) || !r.Number(source.Hash))
            return fail(Problem, u"damaged chain"_s);
        Info.Chain.append(source);
    }
    if (!r.Text(Info.Code, true) || !r.Text(Info.Superior.Name, true) ||
        !r.Text(Info.Superior.Code, true) || !r.AtEnd())
        return fail(Problem, u"damaged info"_s);
    return true;
}

bool ReadLanguageCacheStores(QByteArrayView Bytes, TComponentStructure &Lines,
                             TLexiconData &Lexicons, TSmartLexiconData &Smart, QString *Problem)
{
    quint64 stores = 0;
    if (Bytes.size() < HeaderSize ||
        reinterpret_cast<quintptr>(Bytes.data()) % alignof(char16_t) != 0)
        return fail(Problem, u"not a language cache"_s);
    std::memcpy(&stores, Bytes.data() + 24, sizeof stores);
    if (stores < HeaderSize || stores > quint64(Bytes.size()))
        return fail(Problem, u"no stores"_s);
    Reader r(Bytes, qsizetype(stores));
    const auto damaged = [Problem](const QString &part) {
        return fail(Problem, u"damaged "_s + part);
    };

    quint32 count = 0;
    if (!r.Count(count, 2 * 4 + 4))
        return damaged(u"lines"_s);
    for (quint32 i = 0; i < count; ++i) {
        QString key, translation;
        quint16 descent = 0, changeable = 0;
        if (!r.Text(key) || !r.Text(translation) || !r.Number(descent) || !r.Number(changeable))
            return damaged(u"lines"_s);
        bool added = false;
        TStructItem &item = Lines.FindOrAddLine(key, added);
        item.Translation = translation;
        item.Descent = descent;
        item.Changeable = changeable;
    }

    quint32 lexicons = 0;
    if (!r.Count(lexicons, 2 * 4))
        return damaged(u"lexicons"_s);
    for (quint32 l = 0; l < lexicons; ++l) {
        QString name;
        if (!r.Text(name) || !r.Count(count, 2 * 4 + 2))
            return damaged(u"lexicons"_s);
        Lexicons.NewLexicon(name);
        for (quint32 i = 0; i < count; ++i) {
            quint32 number = 0;
            QString text;
            quint16 descent = 0;
            if (!r.Number(number) || !r.Text(text) || !r.Number(descent) || number > 0xFFFF)
                return damaged(u"lexicon items"_s);
            Lexicons.WriteItem(name, int(number), text, descent);
        }
    }

    const auto pairs = [&](const QString &name) {
        quint32 n = 0;
        if (!r.Count(n, 2 * 4 + 2))
            return false;
        for (quint32 i = 0; i < n; ++i) {
            QString designed, translated;
            quint16 descent = 0;
            if (!r.Text(designed) || !r.Text(translated) || !r.Number(descent))
                return false;
            if (name.isEmpty())
                Smart.AddItem(designed, translated, descent);
            else
                Smart.AddItem(name, designed, translated, descent);
        }
        return true;
    };
    if (!pairs(QString()))
        return damaged(u"global strings"_s);
    quint32 smartLexicons = 0;
    if (!r.Count(smartLexicons, 2 * 4))
        return damaged(u"smart lexicons"_s);
    for (quint32 l = 0; l < smartLexicons; ++l) {
        QString name;
        // A smart lexicon has a name: an empty one would add to the global
        // strings instead.
        if (!r.Text(name) || name.isEmpty())
            return damaged(u"smart lexicons"_s);
        Smart.NewLexicon(name);
        if (!pairs(name))
            return damaged(u"smart lexicons"_s);
    }
    if (!r.AtEnd())
        return damaged(u"end"_s);
    return true;
}

} // namespace wordmill
