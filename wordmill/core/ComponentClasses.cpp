#include "ComponentClasses.h"

#include <wordmill/core/DesignedLexicon.h>
#include <wordmill/core/ResourcesTranslator.h>
#include <wordmill/toolkit/FormReader.h>

using namespace Qt::StringLiterals;

namespace wordmill {

void RegisterCoreComponentClasses()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    TFormReader::RegisterClass(u"TDesignedLexicon"_s, [](QObject *owner, QObject *) -> QObject * {
        return new TDesignedLexicon(owner);
    });
    TFormReader::RegisterClass(u"TCustomResourcesTranslator"_s,
                               [](QObject *owner, QObject *) -> QObject * {
                                   return new TCustomResourcesTranslator(owner);
                               });
}

} // namespace wordmill
