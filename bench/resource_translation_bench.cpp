// QCoreApplication::translate with and without Wordmill's resource-string
// translator in Qt's translation chain: 100,000 lookups, half of them of
// texts the translator knows (and translates), half of texts it does not
// know and passes on. The "without" run comes first: once the first
// translator exists its hook stays installed for the rest of the process.
// The program ends with the ratio of the two times.

#include "TestEngine.h"

#include <wordmill/WordmillCore.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

using namespace wordmill;
using namespace Qt::StringLiterals;

namespace {

constexpr int DistinctTexts = 2000;
constexpr int Lookups = 100000;

// Texts as a program hands them to translate: UTF-8 literals that live as
// long as the program. Even positions are known to the translator.
const std::vector<std::string> &Texts()
{
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> all;
        all.reserve(DistinctTexts);
        for (int i = 0; i < DistinctTexts; ++i)
            all.push_back("Message number " + std::to_string(i) + " of the application");
        return all;
    }();
    return texts;
}

void TranslateLoop(benchmark::State &state)
{
    const std::vector<std::string> &texts = Texts();
    for (auto _ : state) {
        for (int i = 0; i < Lookups; ++i) {
            QString text = QCoreApplication::translate(
                "MainWindow", texts[std::size_t(i % DistinctTexts)].c_str());
            benchmark::DoNotOptimize(text);
        }
    }
    state.SetItemsProcessed(state.iterations() * Lookups);
}

void QtTranslateWithoutWordmill(benchmark::State &state)
{
    if (TranslatorRegistry().IsInstalled()) {
        state.SkipWithError("the Wordmill translator is already installed");
        return;
    }
    TranslateLoop(state);
}

// A translator bound to an engine whose current language translates every
// known text.
struct TranslatedWorld
{
    QTemporaryDir dir;
    TDataModule form;
    TCustomResourcesTranslator *translator = nullptr;

    TranslatedWorld()
    {
        form.setObjectName(u"BenchForm"_s);
        auto *engine = new TestEngine(&form);
        engine->setObjectName(u"BenchEngine"_s);
        engine->langsDir = dir.path() + u'/';
        translator = new TCustomResourcesTranslator(&form);
        translator->setObjectName(u"Translator"_s);
        translator->SetWordmillEngine(engine);
        QStringList lines{u"[LANGUAGE_FILE]"_s,
                          u"0\t%LANGUAGE_NAME=\"Deutsch\"\t%CODE=de;\t%FILEVER=WMLF1;"_s,
                          u"0\t%LEXICON_STRINGS"_s, u"0\t%SMART_STRINGS"_s,
                          u"0\t%LEXICON_NAME=BenchForm.Translator;"_s};
        for (int i = 0; i < DistinctTexts; i += 2) {
            const QString text = QString::fromStdString(Texts()[std::size_t(i)]);
            translator->RegisterResourceString(text);
            const QString id = QString::number(i) + u'\t';
            lines << id + u'"' + text + u'"' << id + u"\"Übersetzt: "_s + text + u'"';
        }
        QFile file(dir.filePath(u"de.lng"_s));
        file.open(QIODevice::WriteOnly);
        file.write("\xEF\xBB\xBF" + (lines.join(u"\r\n"_s) + u"\r\n"_s).toUtf8());
        file.close();
        engine->RefreshLanguages();
        engine->Translate(u"de"_s);
    }
};

void QtTranslateWithWordmill(benchmark::State &state)
{
    static TranslatedWorld world;
    const QString known = QCoreApplication::translate("MainWindow", Texts()[0].c_str());
    if (!known.startsWith(u"Übersetzt: "_s)) {
        state.SkipWithError("the translator does not translate");
        return;
    }
    TranslateLoop(state);
}

// Prints the runs as usual and then the ratio of the two translate loops.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            if (!run.error_occurred && run.iterations > 0)
                m_nsPerIteration[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const auto without = m_nsPerIteration.find("QtTranslateWithoutWordmill");
        const auto with = m_nsPerIteration.find("QtTranslateWithWordmill");
        if (without != m_nsPerIteration.end() && with != m_nsPerIteration.end() &&
            without->second > 0)
            std::printf("translate with / without the Wordmill translator: %.3f\n",
                        with->second / without->second);
    }

private:
    std::map<std::string, double> m_nsPerIteration;
};

} // namespace

BENCHMARK(QtTranslateWithoutWordmill)->Unit(benchmark::kMillisecond);
BENCHMARK(QtTranslateWithWordmill)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
