#pragma once

#include <QString>
#include <QStringList>

namespace wordmill {

// File-dialog filters of the editor, composed as "Description|patterns"
// pairs joined by "|" (patterns separated by ";"), and their Qt form.

/// Language files of the engine's extension (".lng"): Title with "|"
/// replaced by ";" + " (*.lng)|*.lng".
QString LanguageFilesFilter(const QString &Title, const QString &Extension);

/// The import dialog's filters: every importable kind first, then lexicon
/// files, the engine's language files, older language files and text lists.
/// Titles are form lexicon items 20, 41, 46 and 47.
QString BuildImportFilter(const QString &LanguageFiles, const QString &LexiconFiles,
                          const QString &OlderFiles, const QString &TextFiles,
                          const QString &Extension);

/// The export dialog's filters: lexicon files, then text lists.
QString ExportFilter(const QString &LexiconFiles, const QString &TextFiles);

/// The pairs as Qt name filters ("Description (*.a *.b)"); a description
/// that already ends with its patterns in parentheses keeps them once.
QStringList FileDialogFilters(const QString &Filter);

/// The export file name for filter 1 (lexicon file) or 2 (text list): an
/// extension that is not 4 characters long (".wlx") gets the filter's added.
QString ExportFileName(const QString &FileName, int FilterIndex);

} // namespace wordmill
