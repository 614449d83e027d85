// Loading a language and fetching its texts, side by side with Qt's own
// translation path for the same number of texts (.ts compiled by lrelease,
// QTranslator, QCoreApplication::translate).
//
// Per kind: N lexicon items fetched by number, N smart pairs fetched by
// their original text (Qt's model), and the file of all three kinds (N
// component lines, N lexicon items, N smart pairs) with N item fetches.
// Each timed run replaces the language loaded before, as a switch does; the
// Qt side likewise loads, installs and removes a translator. Building the
// form and listing the languages are not timed.
//
// The measured work sits in functions named Measured*, so that
// `valgrind --tool=callgrind --toggle-collect='*Measured*'` counts exactly
// the timed region (bench/run_table.py --callgrind does so).

#include "support/BenchLanguages.h"
#include "TestEngine.h"

#include <wordmill/WordmillCore.h>
#include <wordmill/WordmillSys.h>

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

using namespace wordmill;
using namespace Qt::StringLiterals;
using bench::Kind;

namespace {

// A form with an engine and the lexicons the language file fills.
struct World
{
    TDataModule form;
    TestEngine *engine = nullptr;
    std::vector<TDesignedLexicon *> lexicons;
    QStringList designs;
    QString language;

    // Cached: the engine keeps compiled languages in the benchmark's own
    // cache folder (as applications do in the user's); otherwise every load
    // parses the language file.
    World(const QString &dir, const QString &languageName, int n, bool cached = true)
        : language(languageName)
    {
        form.setObjectName(u"Form1"_s);
        engine = new TestEngine(&form);
        engine->langsDir = dir;
        engine->SetLanguageCacheFolder(cached ? bench::DataDir() + u"cache"_s : QString());
        for (int i = 0; i < n; ++i)
            designs.append(bench::DesignText(i));
        for (int k = 0; k < bench::LexiconCount(n); ++k) {
            auto *lexicon = new TDesignedLexicon(&form);
            lexicon->setObjectName(bench::LexiconObjectName(k));
            lexicon->SetItems(
                designs.mid(qsizetype(k) * bench::LexiconCapacity, bench::LexiconCapacity));
            lexicon->SetWordmillEngine(engine);
            lexicons.push_back(lexicon);
        }
        engine->RefreshLanguages();
        engine->Initialize(false);
    }
};

QString FolderFor(Kind kind, int n, int files = 1)
{
    const QString dir =
        bench::DataDir() + u"%1-%2x%3/"_s.arg(bench::KindName(kind)).arg(n).arg(files);
    for (int variant = 0; variant < files; ++variant)
        bench::LanguageFile(dir, kind, n, variant);
    return dir;
}

[[gnu::noinline]] qsizetype MeasuredWordmillItems(World &w)
{
    w.engine->Translate(w.language);
    qsizetype total = 0;
    for (TDesignedLexicon *lexicon : w.lexicons) {
        const int count = lexicon->MaxIndex() + 1;
        for (int i = 0; i < count; ++i)
            total += lexicon->Item(i).size();
    }
    return total;
}

[[gnu::noinline]] qsizetype MeasuredWordmillSmart(World &w)
{
    w.engine->Translate(w.language);
    qsizetype total = 0;
    const qsizetype n = w.designs.size();
    for (qsizetype i = 0; i < n; ++i)
        total +=
            w.engine->TranslateString(w.designs.at(i), w.lexicons[i / bench::LexiconCapacity], -1)
                .size();
    return total;
}

[[gnu::noinline]] qsizetype MeasuredQt(const QString &qm, const QList<QByteArray> &sources)
{
    QTranslator translator;
    if (!translator.load(qm))
        return -1;
    QCoreApplication::installTranslator(&translator);
    qsizetype total = 0;
    for (const QByteArray &source : sources)
        total += QCoreApplication::translate("Form1", source.constData()).size();
    QCoreApplication::removeTranslator(&translator);
    return total;
}

[[gnu::noinline]] void MeasuredWordmillRefresh(World &w)
{
    w.engine->RefreshLanguages();
}

void SetPerText(benchmark::State &state, double texts)
{
    state.counters["texts"] = texts;
    state.counters["per_text_ns"] = benchmark::Counter(
        texts, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void Load(benchmark::State &state, Kind kind, bool cached)
{
    const int n = int(state.range(0));
    World w(FolderFor(kind, n), bench::LanguageName(kind, n), n, cached);
    const bool smart = kind == Kind::Smart;
    // The first load makes the cache and the second takes it; the timed
    // ones find it as every later switch does.
    if (cached)
        for (int i = 0; i < 2; ++i)
            w.engine->Translate(w.language);
    for (auto _ : state)
        benchmark::DoNotOptimize(smart ? MeasuredWordmillSmart(w) : MeasuredWordmillItems(w));
    const TDesignedLexicon *last = w.lexicons.back();
    const QString expected = bench::TranslatedText(n - 1);
    const QString got = smart ? w.engine->TranslateString(w.designs.last(), w.lexicons.back(), -1)
                              : w.lexicons.back()->Item(last->MaxIndex());
    if (got != expected)
        state.SkipWithError("the language was not loaded");
    SetPerText(state, kind == Kind::AllThree ? 3.0 * n : double(n));
}

// A switch as applications make it: the compiled cache is kept.
void WordmillLoad(benchmark::State &state, Kind kind)
{
    Load(state, kind, true);
}

// Every load parses the language file.
void WordmillTextLoad(benchmark::State &state, Kind kind)
{
    Load(state, kind, false);
}

void QtLoad(benchmark::State &state)
{
    const int n = int(state.range(0));
    const QString qm = bench::QmFile(bench::DataDir() + u"qt/"_s, n);
    const QList<QByteArray> sources = bench::QmSources(n);
    if (qm.isEmpty()) {
        state.SkipWithError("lrelease produced no translation");
        return;
    }
    for (auto _ : state) {
        const qsizetype total = MeasuredQt(qm, sources);
        if (total < 0) {
            state.SkipWithError("cannot load the .qm file");
            break;
        }
        benchmark::DoNotOptimize(total);
    }
    SetPerText(state, double(n));
}

// Listing a folder of ten large languages: only their headers matter.
void WordmillRefresh(benchmark::State &state)
{
    const int n = int(state.range(0));
    const int files = int(state.range(1));
    World w(FolderFor(Kind::AllThree, n, files), bench::LanguageName(Kind::AllThree, n), 1, false);
    for (auto _ : state)
        MeasuredWordmillRefresh(w);
    if (w.engine->LData()->LanguageEntries().size() != files + 1)
        state.SkipWithError("not every language was listed");
    state.counters["files"] = files;
    state.counters["per_file_ms"] =
        benchmark::Counter(double(files) / 1000.0, benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
}

void Sizes(benchmark::internal::Benchmark *b)
{
    for (int n : {1000, 10000, 60000, 200000})
        b->Arg(n);
    b->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK_CAPTURE(WordmillLoad, lexicon, Kind::Lexicon)->Apply(Sizes);
BENCHMARK_CAPTURE(WordmillLoad, smart, Kind::Smart)->Apply(Sizes);
BENCHMARK_CAPTURE(WordmillLoad, three, Kind::AllThree)->Apply(Sizes);
BENCHMARK_CAPTURE(WordmillTextLoad, lexicon, Kind::Lexicon)->Apply(Sizes);
BENCHMARK_CAPTURE(WordmillTextLoad, smart, Kind::Smart)->Apply(Sizes);
BENCHMARK_CAPTURE(WordmillTextLoad, three, Kind::AllThree)->Apply(Sizes);
BENCHMARK(QtLoad)->Apply(Sizes);
BENCHMARK(WordmillRefresh)->Args({60000, 10})->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
