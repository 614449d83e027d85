#include "TranslatorRegistry.h"

#include <wordmill/core/ResourcesTranslator.h>

#include <QEvent>
#include <QTranslator>

#include <cstring>
#include <mutex>
#include <utility>

namespace wordmill {

namespace {

// The one translator Qt asks: it answers the texts some resource-string
// translator knows and says "not mine" (a null string) for every other, so
// that Qt's own chain goes on.
class ResourceStringTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override
    {
        if (!sourceText)
            return QString();
        return TranslatorRegistry().Lookup(std::string_view(sourceText, std::strlen(sourceText)));
    }

    // Its texts come and go with the translators: never report it empty,
    // which would make Qt skip the language-change notice when installing.
    bool isEmpty() const override { return false; }
};

} // namespace

TTranslatorRegistry::TTranslatorRegistry() = default;

TTranslatorRegistry::~TTranslatorRegistry()
{
    if (fQtTranslator && fInstalledOn)
        QCoreApplication::removeTranslator(fQtTranslator.get());
}

TTranslatorRegistry &TranslatorRegistry()
{
    static TTranslatorRegistry registry;
    return registry;
}

void TTranslatorRegistry::Install()
{
    QCoreApplication *application = QCoreApplication::instance();
    if (!application || fInstalledOn == application)
        return;
    if (!fQtTranslator)
        fQtTranslator = std::make_unique<ResourceStringTranslator>();
    QCoreApplication::installTranslator(fQtTranslator.get());
    fInstalledOn = application;
}

bool TTranslatorRegistry::IsInstalled() const
{
    return fInstalledOn && fInstalledOn == QCoreApplication::instance();
}

void TTranslatorRegistry::Add(TCustomResourcesTranslator *Translator)
{
    if (!Translator || fTranslators.contains(Translator))
        return;
    fTranslators.append(Translator);
    Install();
}

void TTranslatorRegistry::Remove(TCustomResourcesTranslator *Translator)
{
    if (fTranslators.removeAll(Translator) > 0)
        Publish();
}

void TTranslatorRegistry::Publish()
{
    if (InBatch()) {
        fPublishPending = true; // the batch's end publishes
        return;
    }
    fPublishPending = false;
    // An application created after the first translator gets the hook now.
    Install();
    Table table;
    std::size_t total = 0;
    for (const TCustomResourcesTranslator *translator : std::as_const(fTranslators))
        total += translator->Texts().size();
    table.reserve(total);
    for (int order = 0; order < fTranslators.size(); ++order)
        for (const auto &[text, shown] : fTranslators.at(order)->Texts())
            table.try_emplace(text, Entry{shown, order}); // the first translator keeps a text
    {
        std::unique_lock locker(fLock);
        fTable.swap(table);
    }
    // the previous table is freed here, outside the lock
}

void TTranslatorRegistry::PublishText(const TCustomResourcesTranslator *Translator,
                                      const std::string &Text, const QString &Shown)
{
    const int order = int(fTranslators.indexOf(Translator));
    if (order < 0)
        return;
    if (InBatch()) {
        fPublishPending = true;
        return;
    }
    Install();
    std::unique_lock locker(fLock);
    const auto found = fTable.find(Text);
    if (found == fTable.end())
        fTable.emplace(Text, Entry{Shown, order});
    else if (found->second.Order >= order)
        found->second = Entry{Shown, order};
}

TTranslatorRegistry::TBatch::TBatch()
{
    ++TranslatorRegistry().fBatchDepth;
}

TTranslatorRegistry::TBatch::~TBatch()
{
    TTranslatorRegistry &registry = TranslatorRegistry();
    if (--registry.fBatchDepth == 0)
        registry.EndBatch();
}

void TTranslatorRegistry::NoteChanged(TCustomResourcesTranslator *Translator)
{
    if (!fChanged.contains(Translator))
        fChanged.append(Translator);
}

void TTranslatorRegistry::EndBatch()
{
    const QList<QPointer<TCustomResourcesTranslator>> changed = std::exchange(fChanged, {});
    for (const QPointer<TCustomResourcesTranslator> &translator : changed)
        if (translator)
            translator->RebuildTexts();
    if (!changed.isEmpty() || fPublishPending)
        Publish();
}

void TTranslatorRegistry::AnnounceLanguageChange()
{
    // Posted, so that a switch that notifies several translators reaches
    // the windows once (a widget application folds pending language
    // changes of one receiver).
    if (QCoreApplication *application = QCoreApplication::instance())
        QCoreApplication::postEvent(application, new QEvent(QEvent::LanguageChange));
}

QString TTranslatorRegistry::Lookup(std::string_view SourceText) const
{
    std::shared_lock locker(fLock);
    const auto found = fTable.find(SourceText);
    return found != fTable.end() ? found->second.Shown : QString();
}

} // namespace wordmill
