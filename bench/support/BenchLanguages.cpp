#include "BenchLanguages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>

#include <algorithm>
#include <numeric>
#include <vector>

using namespace Qt::StringLiterals;

namespace bench {

namespace {

// Bumped whenever the generated content changes, so that stale files in a
// kept data folder are not measured.
constexpr int Layout = 2;

QString Escaped(QString text)
{
    return text.replace(u'&', u"&amp;"_s).replace(u'<', u"&lt;"_s).replace(u'>', u"&gt;"_s);
}

// Indexes 0..n-1 ordered by the key each one gets.
template <typename Key> std::vector<int> SortedBy(int first, int count, Key key)
{
    std::vector<int> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), first);
    std::vector<QString> keys;
    keys.reserve(order.size());
    for (int i : order)
        keys.push_back(key(i));
    std::vector<int> positions(order.size());
    std::iota(positions.begin(), positions.end(), 0);
    std::sort(positions.begin(), positions.end(),
              [&keys](int a, int b) { return keys[a] < keys[b]; });
    std::vector<int> result;
    result.reserve(order.size());
    for (int p : positions)
        result.push_back(order[p]);
    return result;
}

QString ComponentName(int i)
{
    return u"Label%1"_s.arg(i);
}

bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

QString KindName(Kind kind)
{
    switch (kind) {
    case Kind::Lexicon:
        return u"lexicon"_s;
    case Kind::Smart:
        return u"smart"_s;
    case Kind::Component:
        return u"component"_s;
    case Kind::AllThree:
        return u"three"_s;
    }
    return {};
}

QString DesignText(int i)
{
    return u"Design text number %1 of the application"_s.arg(i);
}

QString TranslatedText(int i)
{
    return u"Übersetzter Text Nummer %1 der Anwendung"_s.arg(i);
}

int LexiconCount(int n)
{
    return std::max(1, (n + LexiconCapacity - 1) / LexiconCapacity);
}

QString LexiconObjectName(int k)
{
    return u"Lexicon%1"_s.arg(k + 1);
}

QString DataDir()
{
    static const QString dir = [] {
        QString path = qEnvironmentVariable("WORDMILL_BENCH_DATA");
        if (path.isEmpty()) {
            static QTemporaryDir temp;
            path = temp.path();
        }
        QDir().mkpath(path);
        return QDir(path).absolutePath() + u'/';
    }();
    return dir;
}

QString LanguageName(Kind kind, int n, int variant)
{
    return u"Deutsch %1 %2 %3"_s.arg(KindName(kind)).arg(n).arg(variant);
}

QString LanguageFile(const QString &dir, Kind kind, int n, int variant)
{
    QDir().mkpath(dir);
    const QString path = QDir(dir).filePath(
        u"v%1-%2-%3-%4.lng"_s.arg(Layout).arg(KindName(kind)).arg(n).arg(variant));
    if (QFileInfo::exists(path))
        return path;

    QString text;
    auto line = [&text](const QString &l) {
        text += l;
        text += u"\r\n"_s;
    };
    line(u"[LANGUAGE_FILE]"_s);
    line(u"0\t%LANGUAGE_NAME=\"%1\"\t%CODE=de;\t%FILEVER=WMLF1;"_s.arg(
        LanguageName(kind, n, variant)));
    if (kind == Kind::Component || kind == Kind::AllThree) {
        const auto order = SortedBy(0, n, [](int i) { return ComponentName(i) + u"@Form1#0["_s; });
        for (int i : order)
            line(u"0\t\"%1\"\t%COMPONENT=%2;\t%OWNER=Form1;"_s.arg(TranslatedText(i),
                                                                   ComponentName(i)));
    }
    line(u"0\t%LEXICON_STRINGS"_s);
    if (kind == Kind::Lexicon || kind == Kind::AllThree) {
        for (int k = 0; k < LexiconCount(n); ++k) {
            line(u"0\t%LEXICON_NAME=Form1.%1;"_s.arg(LexiconObjectName(k)));
            const int first = k * LexiconCapacity;
            const int last = std::min(n, first + LexiconCapacity);
            for (int i = first; i < last; ++i)
                line(u"%1\t\"%2\""_s.arg(i - first).arg(TranslatedText(i)));
        }
    }
    line(u"0\t%SMART_STRINGS"_s);
    if (kind == Kind::Smart || kind == Kind::AllThree) {
        for (int k = 0; k < LexiconCount(n); ++k) {
            line(u"0\t%LEXICON_NAME=Form1.%1;"_s.arg(LexiconObjectName(k)));
            const int first = k * LexiconCapacity;
            const int count = std::min(n, first + LexiconCapacity) - first;
            int pair = 0;
            for (int i : SortedBy(first, count, DesignText)) {
                const QString id = QString::number(pair++);
                line(id + u"\t\""_s + DesignText(i) + u'"');
                line(id + u"\t\""_s + TranslatedText(i) + u'"');
            }
        }
    }
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    if (!WriteAll(path, bytes))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QByteArray QmContext(int c)
{
    return "Form" + QByteArray::number(c + 1);
}

QString QmFile(const QString &dir, int n, int contexts)
{
    QDir().mkpath(dir);
    const QString qm = QDir(dir).filePath(u"v%1-qt-%2x%3.qm"_s.arg(Layout).arg(n).arg(contexts));
    if (QFileInfo::exists(qm))
        return qm;
    const QString ts = qm.chopped(3) + u".ts"_s;
    QString xml = u"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
                  u"<TS version=\"2.1\" language=\"de\">\n"_s;
    for (int c = 0; c < contexts; ++c) {
        xml += u"<context>\n<name>"_s + QString::fromLatin1(QmContext(c)) + u"</name>\n"_s;
        for (int i = 0; i < n; ++i)
            xml += u"<message><source>%1</source><translation>%2</translation></message>\n"_s.arg(
                Escaped(DesignText(i)), Escaped(TranslatedText(i)));
        xml += u"</context>\n"_s;
    }
    xml += u"</TS>\n"_s;
    if (!WriteAll(ts, xml.toUtf8()))
        return {};
    QString lrelease = u"/usr/lib/qt6/bin/lrelease"_s;
    for (auto location : {QLibraryInfo::BinariesPath, QLibraryInfo::LibraryExecutablesPath}) {
        const QString candidate = QLibraryInfo::path(location) + u"/lrelease"_s;
        if (QFileInfo::exists(candidate))
            lrelease = candidate;
    }
    const QString partial = qm + u".part"_s;
    if (QProcess::execute(lrelease, {u"-silent"_s, ts, u"-qm"_s, partial}) != 0 ||
        !QFile::rename(partial, qm))
        return {};
    QFile::remove(ts);
    return qm;
}

QList<QByteArray> QmSources(int n)
{
    QList<QByteArray> sources;
    sources.reserve(n);
    for (int i = 0; i < n; ++i)
        sources.append(DesignText(i).toUtf8());
    return sources;
}

qint64 FileSize(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() ? info.size() : -1;
}

} // namespace bench
