#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

namespace wordmill {

// What a client's apply pass found out about its components, kept so that
// the next language switch is only lookups and the writes of texts that
// changed: per component, the lines it shows (key and design text) with the
// reader and writer of each property. Class tests, the Tag rule, owner names
// and keys are worked out once, when the table is built.
//
// The table stands for one collected design structure. It is valid while the
// components are the ones it was built for: the same objects in the same
// order, with the same names and, for lists, the same number of items
// (Matches). Anything else makes the client build it again from a full pass.
class TBindingTable
{
public:
    // How a looked-up text is written.
    enum TWriteRule {
        wrText,    // a property: the text, shortened to what the target can show
        wrListItem // an item of a list: only a non-empty translation
    };

    struct TBinding
    {
        QString LineID;
        QString DesignText;
        std::function<QString()> Read;
        std::function<void(const QString &)> Write;
        TWriteRule Rule = wrText;
    };

    struct TEntry
    {
        QPointer<QObject> Component;
        QString Name;
        // The number of items the bindings assume, read again before a switch;
        // none for a component without item lists.
        std::function<qsizetype()> Shape;
        qsizetype BuiltShape = -1;
        // The component has texts the table cannot hold (trees, filters,
        // menus of a bar, ...): it takes a full pass on every switch.
        bool Generic = false;
        std::vector<TBinding> Bindings;
    };

    // Changes with every Begin and Clear, so that a pass learns that a write
    // it made rebuilt or cleared the table underneath it.
    quint64 Generation() const { return fGeneration; }
    // Starts a new table; entries are added by the pass that builds it.
    void Begin();
    // The table is complete and may be replayed.
    void Finish() { fValid = true; }
    void Clear();

    TEntry &AddEntry(QObject *Component);
    std::vector<TEntry> &Entries() { return fEntries; }

    // The table was built for exactly these components (see above).
    bool Matches(const QList<QObject *> &Components) const;

    // Takes the entries out for a replay and puts them back afterwards,
    // unless the table was rebuilt or cleared meanwhile.
    std::vector<TEntry> TakeEntries() { return std::move(fEntries); }
    void ReturnEntries(std::vector<TEntry> &&Entries, quint64 Generation);

private:
    std::vector<TEntry> fEntries;
    quint64 fGeneration = 0;
    bool fValid = false;
};

} // namespace wordmill
