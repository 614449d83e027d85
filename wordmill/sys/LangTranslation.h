#pragma once

#include <wordmill/sys/Descent.h>

#include <QString>

namespace wordmill {

// The translation held for one design text of a smart lexicon.
struct TLangTranslation
{
    QString Translation; // one-line form
    quint16 Descent = DescentNone;
};

} // namespace wordmill
