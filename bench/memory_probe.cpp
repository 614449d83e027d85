// Heap held by a loaded language and the heap's peak while loading it,
// beside the same for Qt's translator. Run once per measurement in a fresh
// process (bench/run_table.py does so); nothing here is timed.
//
//   memory_probe wordmill <lexicon|smart|three> <N> [text|first|cached]
//
// text (the default) parses the language file with the cache off; first is
// the first load, which parses and writes the compiled cache; cached loads
// from the cache made beforehand.
//   memory_probe qt <N> <contexts>
//
// prints one JSON object: the size of the file read, the heap held once it
// is loaded and the peak above the heap in use before loading. The process
// replaces malloc and friends with counting wrappers around glibc's own, so
// every allocation of Qt and of the library is seen.

#include "support/BenchLanguages.h"
#include "TestEngine.h"

#include <wordmill/WordmillCore.h>
#include <wordmill/WordmillSys.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTranslator>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <memory>
#include <vector>

extern "C" {
void *__libc_malloc(size_t);
void *__libc_calloc(size_t, size_t);
void *__libc_realloc(void *, size_t);
void *__libc_memalign(size_t, size_t);
void __libc_free(void *);
}

namespace {

std::atomic<long long> g_live{0};
std::atomic<long long> g_peak{0};

void Count(void *p, long long sign)
{
    if (!p)
        return;
    const long long now = g_live.fetch_add(sign * (long long)malloc_usable_size(p)) +
                          sign * (long long)malloc_usable_size(p);
    long long peak = g_peak.load(std::memory_order_relaxed);
    while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
    }
}

} // namespace

extern "C" {

void *malloc(size_t n)
{
    void *p = __libc_malloc(n);
    Count(p, 1);
    return p;
}

void free(void *p)
{
    Count(p, -1);
    __libc_free(p);
}

void *calloc(size_t n, size_t size)
{
    void *p = __libc_calloc(n, size);
    Count(p, 1);
    return p;
}

void *realloc(void *old, size_t n)
{
    const long long before = old ? (long long)malloc_usable_size(old) : 0;
    void *p = __libc_realloc(old, n);
    if (p) {
        g_live.fetch_sub(before);
        Count(p, 1);
    } else if (n == 0 && old) {
        g_live.fetch_sub(before);
    }
    return p;
}

void *memalign(size_t alignment, size_t n)
{
    void *p = __libc_memalign(alignment, n);
    Count(p, 1);
    return p;
}

void *aligned_alloc(size_t alignment, size_t n)
{
    return memalign(alignment, n);
}

int posix_memalign(void **out, size_t alignment, size_t n)
{
    void *p = memalign(alignment, n);
    if (!p)
        return 12; // ENOMEM
    *out = p;
    return 0;
}

void *valloc(size_t n)
{
    return memalign(4096, n);
}

} // extern "C"

using namespace wordmill;
using namespace Qt::StringLiterals;
using bench::Kind;

namespace {

struct Figures
{
    long long file = 0;
    long long held = 0;
    long long peak = 0;
};

// Runs load() and tells the heap it leaves behind and its peak above the
// heap in use before.
template <typename Load> void Measure(Figures &f, Load load)
{
    const long long before = g_live.load();
    g_peak.store(before);
    load();
    f.held = g_live.load() - before;
    f.peak = g_peak.load() - before;
}

int ProbeWordmill(Kind kind, int n, const QString &mode)
{
    const QString dir = bench::DataDir() + u"probe-%1-%2/"_s.arg(bench::KindName(kind)).arg(n);
    const QString path = bench::LanguageFile(dir, kind, n);
    TDataModule form;
    form.setObjectName(u"Form1"_s);
    auto *engine = new TestEngine(&form);
    engine->langsDir = dir;
    QTemporaryDir cache;
    engine->SetLanguageCacheFolder(mode == u"text"_s ? QString() : cache.path());
    QStringList designs;
    for (int i = 0; i < n; ++i)
        designs.append(bench::DesignText(i));
    for (int k = 0; k < bench::LexiconCount(n); ++k) {
        auto *lexicon = new TDesignedLexicon(&form);
        lexicon->setObjectName(bench::LexiconObjectName(k));
        lexicon->SetItems(
            designs.mid(qsizetype(k) * bench::LexiconCapacity, bench::LexiconCapacity));
        lexicon->SetWordmillEngine(engine);
    }
    engine->RefreshLanguages();
    engine->Initialize(false);
    Figures f;
    f.file = bench::FileSize(path);
    const QString language = bench::LanguageName(kind, n);
    if (mode == u"cached"_s) {
        engine->Translate(language); // makes the cache
        engine->Translate(engine->DesignLanguageName());
    }
    Measure(f, [&] { engine->Translate(language); });
    if (engine->CurrentLanguage() != language) {
        std::fprintf(stderr, "memory_probe: %s was not loaded\n", qPrintable(language));
        return 1;
    }
    std::printf("{\"side\": \"wordmill\", \"kind\": \"%s\", \"mode\": \"%s\", \"n\": %d, "
                "\"file\": %lld, \"held\": %lld, \"peak\": %lld}\n",
                qPrintable(bench::KindName(kind)), qPrintable(mode), n, f.file, f.held, f.peak);
    return 0;
}

int ProbeQt(int n, int contexts)
{
    const QString qm = bench::QmFile(bench::DataDir() + u"qt/"_s, n, contexts);
    if (qm.isEmpty()) {
        std::fprintf(stderr, "memory_probe: lrelease produced no translation\n");
        return 1;
    }
    Figures f;
    f.file = bench::FileSize(qm);
    std::unique_ptr<QTranslator> translator;
    bool loaded = false;
    Measure(f, [&] {
        translator = std::make_unique<QTranslator>();
        loaded = translator->load(qm);
        QCoreApplication::installTranslator(translator.get());
    });
    if (!loaded) {
        std::fprintf(stderr, "memory_probe: cannot load %s\n", qPrintable(qm));
        return 1;
    }
    std::printf("{\"side\": \"qt\", \"n\": %d, \"contexts\": %d, \"file\": %lld, "
                "\"held\": %lld, \"peak\": %lld}\n",
                n, contexts, f.file, f.held, f.peak);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 4 && args.at(1) == u"wordmill"_s) {
        for (Kind kind : {Kind::Lexicon, Kind::Smart, Kind::Component, Kind::AllThree})
            if (bench::KindName(kind) == args.at(2))
                return ProbeWordmill(kind, args.at(3).toInt(), args.value(4, u"text"_s));
    }
    if (args.size() >= 4 && args.at(1) == u"qt"_s)
        return ProbeQt(args.at(2).toInt(), args.at(3).toInt());
    std::fprintf(stderr, "usage: memory_probe wordmill <lexicon|smart|component|three> <N> "
                         "[text|first|cached]\n"
                         "       memory_probe qt <N> <contexts>\n");
    return 2;
}
