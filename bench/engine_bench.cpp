// Loading a language and fetching its texts, side by side with Qt's own
// translation path for the same texts (.ts compiled by lrelease, QTranslator).

#include <wordmill/WordmillCore.h>
#include <wordmill/WordmillSys.h>

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTranslator>

#include <benchmark/benchmark.h>

#include <map>
#include <malloc.h>

using namespace wordmill;
using namespace Qt::StringLiterals;

namespace {

class BenchEngine : public TWordmillCore
{
public:
    explicit BenchEngine(QObject *owner) : TWordmillCore(owner) { AfterConstruction(); }
    QString dir;
    QString GetLangsDir() const override { return dir; }
    void FillSpecialFlag(QIODevice &, int) override {}
    void RefreshControl(QObject *, int) override {}
};

QString designText(int i)
{
    return u"Design text number %1 of the application"_s.arg(i);
}

QString translatedText(int i)
{
    return u"Übersetzter Text Nummer %1 der Anwendung"_s.arg(i);
}

// Bytes the heap hands out at the moment.
long heapKiB()
{
    return long(mallinfo2().uordblks / 1024);
}

QTemporaryDir &workDir()
{
    static QTemporaryDir dir;
    return dir;
}

// A language file with n lexicon items, n component lines and n smart strings.
QString languageFile(int n)
{
    const QString path = workDir().filePath(u"de%1.lng"_s.arg(n));
    if (QFile::exists(path))
        return path;
    QStringList lines{u"[LANGUAGE_FILE]"_s,
                      u"0\t%LANGUAGE_NAME=\"Deutsch%1\"\t%CODE=de;\t%FILEVER=WMLF1;"_s.arg(n)};
    for (int i = 0; i < n; ++i)
        lines << u"0\t\"%1\"\t%COMPONENT=Label%2;\t%OWNER=Form1;"_s.arg(translatedText(i)).arg(i);
    lines << u"0\t%LEXICON_STRINGS"_s << u"0\t%LEXICON_NAME=Form1.Lexicon1;"_s;
    for (int i = 0; i < n; ++i)
        lines << u"%1\t\"%2\""_s.arg(i).arg(translatedText(i));
    lines << u"0\t%SMART_STRINGS"_s << u"0\t%LEXICON_NAME=Form1.Lexicon1;"_s;
    for (int i = 0; i < n; ++i)
        lines << u"%1\t\"%2\""_s.arg(i).arg(designText(i)) << u"%1\t\"%2\""_s.arg(i).arg(translatedText(i));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)(
        lines.join(u"\r\n"_s) + u"\r\n"_s));
    return path;
}

// The same n texts as a compiled Qt translation.
QString qmFile(int n)
{
    const QString qm = workDir().filePath(u"de%1.qm"_s.arg(n));
    if (QFile::exists(qm))
        return qm;
    const QString ts = workDir().filePath(u"de%1.ts"_s.arg(n));
    QFile file(ts);
    file.open(QIODevice::WriteOnly);
    QString xml = u"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
                  u"<TS version=\"2.1\" language=\"de\">\n<context>\n<name>Form1</name>\n"_s;
    for (int i = 0; i < n; ++i)
        xml += u"<message><source>%1</source><translation>%2</translation></message>\n"_s.arg(
            designText(i), translatedText(i));
    xml += u"</context>\n</TS>\n"_s;
    file.write(xml.toUtf8());
    file.close();
    QString lrelease = u"lrelease"_s;
    for (auto location : {QLibraryInfo::BinariesPath, QLibraryInfo::LibraryExecutablesPath}) {
        const QString candidate = QLibraryInfo::path(location) + u"/lrelease"_s;
        if (QFile::exists(candidate))
            lrelease = candidate;
    }
    QProcess::execute(lrelease, {u"-silent"_s, ts, u"-qm"_s, qm});
    return qm;
}

void WordmillLoadAndTranslate(benchmark::State &state)
{
    const int n = int(state.range(0));
    const QString path = languageFile(n);
    QStringList items;
    for (int i = 0; i < n; ++i)
        items << designText(i);
    long heldKiB = 0;
    for (auto _ : state) {
        // Building the form and listing the languages is not part of the switch.
        state.PauseTiming();
        TDataModule form;
        form.setObjectName(u"Form1"_s);
        auto *engine = new BenchEngine(&form);
        engine->dir = workDir().path() + u'/';
        auto *lexicon = new TDesignedLexicon(&form);
        lexicon->setObjectName(u"Lexicon1"_s);
        lexicon->SetItems(items);
        lexicon->SetWordmillEngine(engine);
        engine->RefreshLanguages();
        engine->Initialize(false);
        state.ResumeTiming();
        const long before = heapKiB();
        engine->Translate(u"Deutsch%1"_s.arg(n));
        heldKiB = heapKiB() - before;
        qsizetype total = 0;
        for (int i = 0; i < n; ++i)
            total += lexicon->Item(i).size();
        benchmark::DoNotOptimize(total);
        state.PauseTiming();
        if (lexicon->Item(n - 1) != translatedText(n - 1))
            state.SkipWithError("language not loaded");
        delete engine; // the form's teardown is not timed either
        delete lexicon;
        state.ResumeTiming();
    }
    state.counters["held_KiB"] = double(heldKiB);
    state.counters["per_text_ns"] =
        benchmark::Counter(double(n), benchmark::Counter::kIsIterationInvariantRate |
                                          benchmark::Counter::kInvert);
}

void QtLoadAndTranslate(benchmark::State &state)
{
    const int n = int(state.range(0));
    const QString qm = qmFile(n);
    QList<QByteArray> sources;
    for (int i = 0; i < n; ++i)
        sources << designText(i).toUtf8();
    for (auto _ : state) {
        QTranslator translator;
        if (!translator.load(qm)) {
            state.SkipWithError("lrelease produced no translation");
            break;
        }
        QCoreApplication::installTranslator(&translator);
        qsizetype total = 0;
        for (int i = 0; i < n; ++i)
            total += QCoreApplication::translate("Form1", sources.at(i).constData()).size();
        benchmark::DoNotOptimize(total);
        QCoreApplication::removeTranslator(&translator);
    }
    state.counters["per_text_ns"] =
        benchmark::Counter(double(n), benchmark::Counter::kIsIterationInvariantRate |
                                          benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(WordmillLoadAndTranslate)->Arg(10000)->Arg(60000)->Unit(benchmark::kMillisecond);
BENCHMARK(QtLoadAndTranslate)->Arg(10000)->Arg(60000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
