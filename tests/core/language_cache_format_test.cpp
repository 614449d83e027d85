// The compiled language cache format: what it keeps, and that it refuses
// every file that is not a whole cache of this format.

#include "TestPrinters.h"

#include <wordmill/WordmillSys.h>

#include <QBuffer>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using namespace wordmill;
using namespace Qt::StringLiterals;

namespace {

struct Stores
{
    TComponentStructure lines;
    TLexiconData lexicons;
    TSmartLexiconData smart;
};

void Fill(Stores &s)
{
    s.lines.AddTextProperty(u"Label1"_s, u"Form1"_s, 0, u"Jméno"_s, QString());
    s.lines.AddTextProperty(u"List1"_s, u"Form1"_s, 33, u"první"_s, u"0"_s);
    s.lines.SetDescent(1, 3);
    s.lexicons.NewLexicon(u"Form1.Lexicon1"_s);
    s.lexicons.WriteItem(u"Form1.Lexicon1"_s, 0, u"Ano"_s, 0);
    s.lexicons.WriteItem(u"Form1.Lexicon1"_s, 7, QString(), 2);
    s.lexicons.NewLexicon(u"Form1.Empty"_s);
    s.smart.AddItem(u"Otevřít"_s, u"Open"_s, 0);
    s.smart.NewLexicon(u"Form1.Smart1"_s);
    s.smart.AddItem(u"Form1.Smart1"_s, u"Zavřít"_s, u"Close"_s, 2);
    s.smart.NewLexicon(u"Form1.Smart2"_s);
}

TLanguageCacheInfo Info()
{
    TLanguageCacheInfo info;
    info.Settings = u"signature=LANGUAGE_FILE"_s;
    info.Chain = {{u"Testish"_s, u"/l/testish.lng"_s, u"tt"_s, 120, 42},
                  {u"Base"_s, u"/l/base.lng"_s, u"bs"_s, 80, 7}};
    info.Code = u"tt"_s;
    info.Superior = {u"Base"_s, u"bs"_s};
    return info;
}

QByteArray Cache()
{
    Stores s;
    Fill(s);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteLanguageCache(buffer, Info(), s.lines, s.lexicons, s.smart));
    return buffer.data();
}

// Everything the stores hold, as text.
QString Dump(Stores &s)
{
    QString out;
    for (int i = 0; i < s.lines.Count(); ++i)
        out += u"%1=%2/%3/%4\n"_s.arg(s.lines.LineID(i), s.lines.Translation(i))
                   .arg(s.lines.Descent(i))
                   .arg(s.lines.Changeable(i));
    for (int l = 0; l < s.lexicons.LexiconCount(); ++l) {
        const QString name = s.lexicons.LexiconName(l);
        out += name + u'\n';
        for (int n = 0; n <= s.lexicons.MaxItemNr(name); ++n) {
            quint16 descent = 0;
            if (s.lexicons.IsIncluded(name, n))
                out +=
                    u" %1=%2/%3\n"_s.arg(n).arg(s.lexicons.ReadItem(name, n, descent)).arg(descent);
        }
    }
    const auto pairs = [&](const QString &name) {
        out += u"smart "_s + name + u'\n';
        for (int n = 0; n <= s.smart.MaxItemNr(name); ++n) {
            quint16 descent = 0;
            const QString text = s.smart.ReadItem(name, n, descent);
            out += u" %1=%2/%3\n"_s.arg(s.smart.GetLocStr(name, n), text).arg(descent);
        }
    };
    pairs(QString());
    for (int l = 0; l < s.smart.LexiconCount(); ++l)
        pairs(s.smart.LexiconName(l));
    return out;
}

TEST(LanguageCacheFormat, KeepsTheStoresAndWhatTheyWereMadeFrom)
{
    const QByteArray bytes = Cache();
    TLanguageCacheInfo info;
    QString problem;
    ASSERT_TRUE(ReadLanguageCacheInfo(bytes, info, &problem)) << qPrintable(problem);
    EXPECT_EQ(info.Settings, Info().Settings);
    EXPECT_EQ(info.Chain, Info().Chain);
    EXPECT_EQ(info.Code, u"tt"_s);
    EXPECT_EQ(info.Superior, Info().Superior);

    Stores original, read;
    Fill(original);
    ASSERT_TRUE(ReadLanguageCacheStores(bytes, read.lines, read.lexicons, read.smart, &problem))
        << qPrintable(problem);
    EXPECT_EQ(Dump(read), Dump(original));
}

// Overwrites the size and content hash so that a change behind the header
// reaches the reader of the stores.
void FitHeader(QByteArray &b)
{
    const quint64 size = quint64(b.size());
    const quint64 hash = LanguageCacheHash(QByteArrayView(b).sliced(32));
    std::memcpy(b.data() + 8, &size, sizeof size);
    std::memcpy(b.data() + 16, &hash, sizeof hash);
}

struct Damage
{
    const char *name;
    std::function<void(QByteArray &)> damage;
    // Refused already by what the cache says about itself.
    bool refusedByInfo = true;

    friend void PrintTo(const Damage &d, std::ostream *os) { *os << d.name; }
};

class DamagedCache : public testing::TestWithParam<Damage>
{
};

const Damage damages[] = {
    {"empty", [](QByteArray &b) { b.clear(); }},
    {"other_magic", [](QByteArray &b) { b[0] = 'X'; }},
    {"other_byte_order", [](QByteArray &b) { std::swap(b[4], b[5]); }},
    {"other_version", [](QByteArray &b) { b[6] = char(b[6] + 1); }},
    {"cut_short", [](QByteArray &b) { b.chop(3); }},
    {"byte_flipped", [](QByteArray &b) { b[b.size() / 2] = char(b[b.size() / 2] ^ 0x40); }},
    {"bytes_added", [](QByteArray &b) { b.append("xy"); }},
    {"stores_offset_out_of_range",
     [](QByteArray &b) {
         const quint64 far = quint64(b.size()) + 2;
         std::memcpy(b.data() + 24, &far, sizeof far);
     }},
    {"chain_count_too_large",
     [](QByteArray &b) {
         // The count follows the settings text.
         quint32 settings = 0;
         std::memcpy(&settings, b.constData() + 32, sizeof settings);
         const quint32 huge = 0x7fffffff;
         std::memcpy(b.data() + 36 + settings * 2, &huge, sizeof huge);
         FitHeader(b);
     }},
    {"stores_cut_short_behind_a_fitting_header",
     [](QByteArray &b) {
         b.chop(4);
         FitHeader(b);
     },
     false},
    {"stores_with_bytes_behind_a_fitting_header",
     [](QByteArray &b) {
         b.append(QByteArray(6, '\0'));
         FitHeader(b);
     },
     false},
};

TEST_P(DamagedCache, IsRefusedWithAReason)
{
    QByteArray bytes = Cache();
    GetParam().damage(bytes);
    TLanguageCacheInfo info;
    QString problem;
    const bool infoRead = ReadLanguageCacheInfo(bytes, info, &problem);
    if (GetParam().refusedByInfo) {
        EXPECT_FALSE(infoRead);
        EXPECT_FALSE(problem.isEmpty());
        return;
    }
    ASSERT_TRUE(infoRead) << qPrintable(problem);
    Stores s;
    EXPECT_FALSE(ReadLanguageCacheStores(bytes, s.lines, s.lexicons, s.smart, &problem));
    EXPECT_FALSE(problem.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedCache, testing::ValuesIn(damages),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
