#pragma once

#include <QCoreApplication>
#include <QList>
#include <QPointer>
#include <QString>

#include <memory>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <unordered_map>

class QTranslator;

namespace wordmill {

class TCustomResourcesTranslator;

// Texts as Qt's translation lookup receives them (UTF-8) to the text to
// show, found by a std::string_view of the text without copying it.
struct TResourceTextHash
{
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept
    {
        return std::hash<std::string_view>()(text);
    }
};
using TResourceTexts = std::unordered_map<std::string, QString, TResourceTextHash, std::equal_to<>>;

// The process-wide list of resource-string translators in creation order,
// and the one QTranslator through which they take part in every
// QCoreApplication::translate of the application: the first translator
// created installs it on the application; it stays installed until the
// library ends, whether or not translators remain.
//
// The translators, and the list, are used on the user-interface thread
// only. Qt may translate from any thread, so lookups never touch a
// translator: they read a table of every known text, guarded by a
// read-write lock, that the user-interface thread brings up to date after
// each change. A language switch builds the new table aside and swaps it in
// whole, so that no lookup sees half of a switch.
class TTranslatorRegistry
{
public:
    TTranslatorRegistry();
    ~TTranslatorRegistry();
    TTranslatorRegistry(const TTranslatorRegistry &) = delete;
    TTranslatorRegistry &operator=(const TTranslatorRegistry &) = delete;

    const QList<TCustomResourcesTranslator *> &Translators() const { return fTranslators; }
    int Count() const { return int(fTranslators.size()); }

    void Add(TCustomResourcesTranslator *Translator);
    void Remove(TCustomResourcesTranslator *Translator);

    // Rebuilds the lookup table from every translator's texts; the first
    // translator (in creation order) that knows a text answers it.
    void Publish();
    // One text of one translator was added or changed: the table follows
    // without a rebuild.
    void PublishText(const TCustomResourcesTranslator *Translator, const std::string &Text,
                     const QString &Shown);

    // While a batch is open, translators that change are only noted; when
    // the outermost batch ends they are brought up to date and the table is
    // rebuilt once. A bulk change (an import) so costs one rebuild, and
    // lookups see it whole.
    class TBatch
    {
    public:
        TBatch();
        ~TBatch();
        TBatch(const TBatch &) = delete;
        TBatch &operator=(const TBatch &) = delete;
    };
    bool InBatch() const { return fBatchDepth > 0; }
    void NoteChanged(TCustomResourcesTranslator *Translator);

    // Lets the application's widgets retranslate: QEvent::LanguageChange is
    // posted to the application, which hands it to every window.
    void AnnounceLanguageChange();

    // The text to show for SourceText, or a null string when no translator
    // knows it. Safe from any thread.
    QString Lookup(std::string_view SourceText) const;
    // Whether the translator is installed on the current application.
    bool IsInstalled() const;

private:
    struct Entry
    {
        QString Shown;
        int Order; // position of the translator that answers
    };
    using Table = std::unordered_map<std::string, Entry, TResourceTextHash, std::equal_to<>>;

    void Install();
    void EndBatch();

    QList<TCustomResourcesTranslator *> fTranslators;
    std::unique_ptr<QTranslator> fQtTranslator;
    QPointer<QCoreApplication> fInstalledOn;
    int fBatchDepth = 0;
    bool fPublishPending = false;
    QList<QPointer<TCustomResourcesTranslator>> fChanged;
    mutable std::shared_mutex fLock;
    Table fTable; // guarded by fLock
};

// The process-wide registry.
TTranslatorRegistry &TranslatorRegistry();

} // namespace wordmill
