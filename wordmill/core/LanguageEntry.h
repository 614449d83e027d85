#pragma once

#include <QByteArray>
#include <QString>

namespace wordmill {

// One language of an engine's language list.
struct TLanguageEntry
{
    // The language's name as its header gives it (unique in any letter case,
    // except that the design language's own entry may share it).
    QString Name;
    // Its ISO code; may be empty.
    QString Code;
    // Where it is read from: a file path, the name of an embedded language,
    // or the design language's own name for entry 0.
    QString Source;
    // Offered to the translation editor.
    bool Editable = false;
    // The flag picture of its header (16x16 bitmap or icon bytes); empty for
    // none.
    QByteArray Flag;
};

} // namespace wordmill
