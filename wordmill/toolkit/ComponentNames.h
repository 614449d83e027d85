#pragma once

#include <QString>

class QObject;

namespace wordmill {

// The name of a lexicon, smart lexicon or resource translator in stores and
// files: owner name + "." + component name; the owner's name alone for an
// unnamed component; empty without a component or an owner.
QString QualifiedName(const QObject *Component);

} // namespace wordmill
