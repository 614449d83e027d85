// The full language switch of a form of 2,000 widgets: Wordmill's engine and
// client (the language file is read and every text written back) side by
// side with Qt's own path for the same form (a .qm compiled by lrelease,
// installTranslator, and every widget retranslated on QEvent::LanguageChange).
//
// The timed work sits in functions named Measured*, so that
// `valgrind --tool=callgrind --toggle-collect='*Measured*'` counts exactly
// the switch (bench/run_table.py --callgrind does so).

#include <wordmill/WordmillComp.h>
#include <wordmill/sys/LineID.h>

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTranslator>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>

using namespace wordmill;
using namespace Qt::StringLiterals;

namespace {

constexpr int WidgetCount = 2000;
constexpr int ComboItems = 3;
constexpr int ListItems = 200;

// The two languages the switch goes back and forth between.
const QString Languages[2] = {u"Deutsch"_s, u"Français"_s};
const QString Codes[2] = {u"de"_s, u"fr"_s};

// One translatable text of the form: which component, which property
// number and item address it has for Wordmill, how Qt sets it.
struct Text
{
    QString component;
    int property;
    QString addr;
    QString design;
    std::function<void(const QString &)> assign;
};

QString translated(const QString &design, int language)
{
    return Languages[language] + u": "_s + design;
}

// Builds the form: labels, buttons, line edits (text and placeholder),
// combo boxes with items, and one list. Every text is unique.
QList<Text> BuildForm(QWidget *form)
{
    QList<Text> texts;
    auto own = [form](QObject *component, const QString &name) {
        component->setObjectName(name);
        SetComponentOwner(component, form);
    };
    for (int i = 0; i < WidgetCount - 1; ++i) {
        const QString name = u"W%1"_s.arg(i);
        switch (i % 4) {
        case 0: {
            auto *label = new QLabel(form);
            own(label, name);
            const QString design = u"Popisek číslo %1"_s.arg(i);
            label->setText(design);
            texts.append({name, 0, {}, design, [label](const QString &t) { label->setText(t); }});
            break;
        }
        case 1: {
            auto *button = new QPushButton(form);
            own(button, name);
            const QString design = u"Tlačítko číslo %1"_s.arg(i);
            button->setText(design);
            texts.append({name, 0, {}, design, [button](const QString &t) { button->setText(t); }});
            break;
        }
        case 2: {
            auto *edit = new QLineEdit(form);
            own(edit, name);
            const QString design = u"Hodnota číslo %1"_s.arg(i);
            const QString hint = u"Zadejte hodnotu %1"_s.arg(i);
            edit->setText(design);
            edit->setPlaceholderText(hint);
            texts.append({name, 5, {}, design, [edit](const QString &t) { edit->setText(t); }});
            texts.append(
                {name, 2, {}, hint, [edit](const QString &t) { edit->setPlaceholderText(t); }});
            break;
        }
        default: {
            auto *combo = new QComboBox(form);
            own(combo, name);
            for (int j = 0; j < ComboItems; ++j) {
                const QString design = u"Volba %1 pole %2"_s.arg(j).arg(i);
                combo->addItem(design);
                texts.append({name, 33, QString::number(j), design,
                              [combo, j](const QString &t) { combo->setItemText(j, t); }});
            }
            break;
        }
        }
    }
    auto *list = new QListWidget(form);
    own(list, u"List1"_s);
    for (int j = 0; j < ListItems; ++j) {
        const QString design = u"Položka seznamu %1"_s.arg(j);
        auto *item = new QListWidgetItem(design, list);
        texts.append({u"List1"_s, 33, QString::number(j), design,
                      [item](const QString &t) { item->setText(t); }});
    }
    return texts;
}

QTemporaryDir &WorkDir()
{
    static QTemporaryDir dir;
    return dir;
}

// Language files with one own translation per text, their lines in key
// order as the library's editor saves them (and as the load benchmarks'
// files are written).
void WriteLanguageFiles(const QList<Text> &texts)
{
    QList<const Text *> ordered;
    for (const Text &t : texts)
        ordered.append(&t);
    std::sort(ordered.begin(), ordered.end(), [](const Text *a, const Text *b) {
        return ComposeLineID(a->component, u"Form1", a->property, a->addr) <
               ComposeLineID(b->component, u"Form1", b->property, b->addr);
    });
    for (int language = 0; language < 2; ++language) {
        QStringList lines{u"[LANGUAGE_FILE]"_s,
                          u"0\t%LANGUAGE_NAME=\"%1\"\t%CODE=%2;\t%FILEVER=WMLF1;"_s.arg(
                              Languages[language], Codes[language])};
        for (const Text *text : std::as_const(ordered)) {
            const Text &t = *text;
            QString line = u"%1\t\"%2\"\t%COMPONENT=%3;\t%OWNER=Form1;"_s.arg(
                QString::number(t.property), translated(t.design, language), t.component);
            if (!t.addr.isEmpty())
                line += u"\t%ITEM="_s + t.addr + u';';
            lines.append(line);
        }
        lines << u"0\t%LEXICON_STRINGS"_s << u"0\t%SMART_STRINGS"_s;
        QFile file(WorkDir().filePath(Codes[language] + u".lng"_s));
        file.open(QIODevice::WriteOnly);
        file.write(QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)(
            lines.join(u"\r\n"_s) + u"\r\n"_s));
    }
}

QString Escaped(QString text)
{
    return text.replace(u'&', u"&amp;"_s).replace(u'<', u"&lt;"_s).replace(u'>', u"&gt;"_s);
}

// The same translations as .ts files compiled by lrelease; empty when the
// tool is missing or fails.
QStringList CompileQmFiles(const QList<Text> &texts)
{
    QString lrelease = u"/usr/lib/qt6/bin/lrelease"_s;
    if (!QFile::exists(lrelease))
        lrelease = QLibraryInfo::path(QLibraryInfo::BinariesPath) + u"/lrelease"_s;
    QStringList qms;
    for (int language = 0; language < 2; ++language) {
        const QString ts = WorkDir().filePath(Codes[language] + u".ts"_s);
        const QString qm = WorkDir().filePath(Codes[language] + u".qm"_s);
        QString xml =
            u"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
            u"<TS version=\"2.1\" language=\"%1\">\n<context>\n<name>Form1</name>\n"_s.arg(
                Codes[language]);
        for (const Text &t : texts)
            xml += u"<message><source>%1</source><translation>%2</translation></message>\n"_s.arg(
                Escaped(t.design), Escaped(translated(t.design, language)));
        xml += u"</context>\n</TS>\n"_s;
        QFile file(ts);
        file.open(QIODevice::WriteOnly);
        file.write(xml.toUtf8());
        file.close();
        if (QProcess::execute(lrelease, {u"-silent"_s, ts, u"-qm"_s, qm}) != 0 ||
            !QFile::exists(qm))
            return {};
        qms.append(qm);
    }
    return qms;
}

// A form that retranslates itself the way Qt applications do: on
// QEvent::LanguageChange every text is set again from tr().
class QtForm : public QWidget
{
public:
    QtForm() { texts = BuildForm(this); }

    QList<Text> texts;
    QList<QByteArray> sources;
    int retranslated = 0;

protected:
    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::LanguageChange) {
            if (sources.isEmpty())
                for (const Text &t : texts)
                    sources.append(t.design.toUtf8());
            for (qsizetype i = 0; i < texts.size(); ++i)
                texts.at(i).assign(QCoreApplication::translate("Form1", sources.at(i).constData()));
            ++retranslated;
        }
        QWidget::changeEvent(event);
    }
};

[[gnu::noinline]] void MeasuredWordmillSwitch(TWordmillEngine *engine, int language)
{
    engine->Translate(Languages[language]);
    QCoreApplication::processEvents();
}

// Loading the compiled language belongs to the switch, as reading the
// language file does on Wordmill's side.
[[gnu::noinline]] bool MeasuredQtSwitch(std::unique_ptr<QTranslator> &current, const QString &qm)
{
    auto next = std::make_unique<QTranslator>();
    if (!next->load(qm))
        return false;
    if (current)
        QCoreApplication::removeTranslator(current.get());
    QCoreApplication::installTranslator(next.get());
    current = std::move(next);
    QCoreApplication::processEvents(); // delivers QEvent::LanguageChange
    return true;
}

void Switch(benchmark::State &state, bool cached)
{
    TForm form;
    form.setObjectName(u"Form1"_s);
    const QList<Text> texts = BuildForm(&form);
    WriteLanguageFiles(texts);
    auto *engine = new TWordmillEngine(&form);
    engine->setObjectName(u"WordmillEngine1"_s);
    engine->SetDesignLanguageName(u"čeština"_s);
    engine->SetLangSubdirectory(WorkDir().path());
    engine->SetLanguageCacheFolder(cached ? WorkDir().filePath(u"cache"_s) : QString());
    auto *client = new TWordmillClient(&form);
    client->setObjectName(u"WordmillClient1"_s);
    client->SetWordmillEngine(engine);
    engine->Initialize(true);
    // The first switch to each language makes its cache and the client's
    // binding table; the timed switches find both.
    if (cached)
        for (int i = 0; i < 4; ++i)
            engine->Translate(Languages[i % 2]);

    int language = 0;
    for (auto _ : state) {
        MeasuredWordmillSwitch(engine, language);
        language = 1 - language;
    }
    const Text &last = texts.last();
    if (engine->CurrentLanguage() != Languages[1 - language] ||
        form.findChild<QListWidget *>(u"List1"_s)->item(ListItems - 1)->text() !=
            translated(last.design, 1 - language))
        state.SkipWithError("the form was not translated");
    state.counters["texts"] = double(texts.size());
    state.counters["per_text_ns"] =
        benchmark::Counter(double(texts.size()), benchmark::Counter::kIsIterationInvariantRate |
                                                     benchmark::Counter::kInvert);
}

// A switch as applications make it: the compiled cache is kept.
void WordmillSwitch(benchmark::State &state)
{
    Switch(state, true);
}

// Every switch parses the language file.
void WordmillTextSwitch(benchmark::State &state)
{
    Switch(state, false);
}

void QtSwitch(benchmark::State &state)
{
    QtForm form;
    const QStringList qms = CompileQmFiles(form.texts);
    if (qms.size() != 2) {
        state.SkipWithError("lrelease produced no translation");
        return;
    }
    std::unique_ptr<QTranslator> current;
    int language = 0;
    for (auto _ : state) {
        if (!MeasuredQtSwitch(current, qms.at(language))) {
            state.SkipWithError("cannot load the .qm file");
            break;
        }
        language = 1 - language;
    }
    const Text &last = form.texts.last();
    if (form.retranslated == 0 || form.findChild<QListWidget *>()->item(ListItems - 1)->text() !=
                                      translated(last.design, 1 - language))
        state.SkipWithError("the form was not retranslated");
    if (current)
        QCoreApplication::removeTranslator(current.get());
    state.counters["texts"] = double(form.texts.size());
    state.counters["per_text_ns"] = benchmark::Counter(
        double(form.texts.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(WordmillSwitch)->Unit(benchmark::kMillisecond);
BENCHMARK(WordmillTextSwitch)->Unit(benchmark::kMillisecond);
BENCHMARK(QtSwitch)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
