#pragma once

#include <QString>

#include <stdexcept>

namespace wordmill {

// Raised by import and export. Message is the library's own text for the
// failure (its form lexicon, in the current language); Number tells which
// failure it was (see TWordmillCore::ImportFromFile), 0 for a refused export.
class EImportExport : public std::runtime_error
{
public:
    EImportExport(const QString &message, int number)
        : std::runtime_error(message.toStdString()), Message(message), Number(number)
    {
    }
    QString Message;
    int Number;
};

// Failures of ImportFromFile, by number.
enum TImportFailure : int {
    ifFileMissing = 1,
    ifIntoDesignLanguage = 2,
    ifTooFewLines = 3,
    ifSourceCode = 4,
    ifSourceName = 5,
    ifFileVersion = 6,
    ifNotCurrentLanguage = 7,
    ifTargetNotLoaded = 8,
    ifNoLanguageName = 9,
    ifFormLexiconUnnamed = 10,
    ifLexiconUnnamed = 11,
    ifSmartLexiconUnnamed = 12,
    ifTextListLanguages = 13,
};

} // namespace wordmill
