// Bulk behaviour of the translation stores: adding entries in random key
// order and looking them up again. Per-entry times should stay flat as the
// count grows from 1,000 to 60,000.

#include <wordmill/WordmillSys.h>

#include <QString>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

using namespace Qt::StringLiterals;
using namespace wordmill;

namespace {

std::vector<int> ShuffledNumbers(int count)
{
    std::vector<int> numbers(static_cast<std::size_t>(count));
    std::iota(numbers.begin(), numbers.end(), 0);
    std::shuffle(numbers.begin(), numbers.end(), std::mt19937(20240611));
    return numbers;
}

// Keys of the shape a client produces: components of a few forms, several
// properties and item addresses.
std::vector<TFullStructLine> StructLines(int count)
{
    std::vector<TFullStructLine> lines;
    lines.reserve(static_cast<std::size_t>(count));
    for (const int n : ShuffledNumbers(count)) {
        TFullStructLine line;
        line.CompName = u"Component%1"_s.arg(n / 8);
        line.OwnerName = u"Form%1"_s.arg(n % 7);
        line.PropertyID = quint16(n % 3 == 0 ? 33 : 0);
        line.ItemAddr = n % 3 == 0 ? QString::number(n % 8) : QString();
        line.Translation = u"Translation of line %1"_s.arg(n);
        line.Descent = 0;
        line.Changeable = 1;
        lines.push_back(std::move(line));
    }
    return lines;
}

std::vector<QString> DesignTexts(int count)
{
    std::vector<QString> texts;
    texts.reserve(static_cast<std::size_t>(count));
    for (const int n : ShuffledNumbers(count))
        texts.push_back(u"Design text number %1 of the program"_s.arg(n));
    return texts;
}

void BM_StructureAddLines(benchmark::State &state)
{
    const auto lines = StructLines(int(state.range(0)));
    for (auto _ : state) {
        TComponentStructure structure;
        for (const TFullStructLine &line : lines)
            structure.AddLine(line);
        benchmark::DoNotOptimize(structure.Count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_StructureFindAndRead(benchmark::State &state)
{
    const auto lines = StructLines(int(state.range(0)));
    TComponentStructure structure;
    for (const TFullStructLine &line : lines)
        structure.AddLine(line);
    for (auto _ : state) {
        qsizetype total = 0;
        for (const TFullStructLine &line : lines) {
            const int index = structure.Find(line);
            total += structure.Translation(index).size();
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_StructureWalkByIndex(benchmark::State &state)
{
    const auto lines = StructLines(int(state.range(0)));
    TComponentStructure structure;
    for (const TFullStructLine &line : lines)
        structure.AddLine(line);
    for (auto _ : state) {
        qsizetype total = 0;
        for (int i = 0; i < structure.Count(); ++i)
            total += structure.GetSimple(i).LineID.size();
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_NamedItemsAdd(benchmark::State &state)
{
    const auto texts = DesignTexts(int(state.range(0)));
    for (auto _ : state) {
        TNamedItems items(u"Bench"_s);
        for (const QString &text : texts)
            items.Add(text, text, 0);
        benchmark::DoNotOptimize(items.Count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_NamedItemsLookup(benchmark::State &state)
{
    const auto texts = DesignTexts(int(state.range(0)));
    TNamedItems items(u"Bench"_s);
    for (const QString &text : texts)
        items.Add(text, text, 1);
    for (auto _ : state) {
        int found = 0;
        for (const QString &text : texts)
            found += items.Find(text, 2) >= 0 ? 1 : 0;
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_IndexedItemsWrite(benchmark::State &state)
{
    const auto numbers = ShuffledNumbers(int(state.range(0)));
    const QString text = u"Item text"_s;
    for (auto _ : state) {
        TIndexedItems items(u"Bench"_s);
        for (const int n : numbers)
            items.Write(n, text, 0);
        benchmark::DoNotOptimize(items.Count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_IndexedItemsRead(benchmark::State &state)
{
    const auto numbers = ShuffledNumbers(int(state.range(0)));
    TIndexedItems items(u"Bench"_s);
    for (const int n : numbers)
        items.Write(n, u"Item %1"_s.arg(n), 0);
    for (auto _ : state) {
        qsizetype total = 0;
        for (const int n : numbers)
            total += items.Get(n).size() + items.LangDescent(n);
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_LexiconDataWriteRun(benchmark::State &state)
{
    const auto numbers = ShuffledNumbers(int(state.range(0)));
    const QString name = u"Form1.Lexicon1"_s;
    for (auto _ : state) {
        TLexiconData data;
        data.NewLexicon(u"Form1.Other"_s);
        data.NewLexicon(name);
        for (const int n : numbers)
            data.WriteItem(name, n, name, 0);
        benchmark::DoNotOptimize(data.ItemsCount(name));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Sizes(benchmark::internal::Benchmark *bench)
{
    for (const int count : {1000, 6000, 10000, 60000})
        bench->Arg(count);
    bench->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_StructureAddLines)->Apply(Sizes);
BENCHMARK(BM_StructureFindAndRead)->Apply(Sizes);
BENCHMARK(BM_StructureWalkByIndex)->Apply(Sizes);
BENCHMARK(BM_NamedItemsAdd)->Apply(Sizes);
BENCHMARK(BM_NamedItemsLookup)->Apply(Sizes);
BENCHMARK(BM_IndexedItemsWrite)->Apply(Sizes);
BENCHMARK(BM_IndexedItemsRead)->Apply(Sizes);
BENCHMARK(BM_LexiconDataWriteRun)->Apply(Sizes);

BENCHMARK_MAIN();
