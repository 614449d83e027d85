#pragma once

// Language files and compiled Qt translations of the benchmarks. Every file
// is generated once per data folder and reused: the folder is
// $WORDMILL_BENCH_DATA when set (so that two builds measure the very same
// files), otherwise a temporary folder of the process.

#include <QString>
#include <QStringList>

namespace bench {

// What a generated language file holds, N texts of each kind it names.
enum class Kind {
    Lexicon,   // N lexicon items
    Smart,     // N smart pairs (original and translation)
    Component, // N component lines
    AllThree,  // N component lines, N lexicon items and N smart pairs
};

// A lexicon holds at most this many items and a smart lexicon this many
// pairs: larger counts are split over several lexicons.
constexpr int LexiconCapacity = 65535;

QString KindName(Kind kind);

// Design and translated text number i; every text is distinct.
QString DesignText(int i);
QString TranslatedText(int i);

// Number of lexicons (and smart lexicons) that n texts are split over, and
// the object name of lexicon k (0-based): "Lexicon1", "Lexicon2"...
int LexiconCount(int n);
QString LexiconObjectName(int k);

// The folder the files are generated in (with a trailing "/").
QString DataDir();

// The name of the language in the file of that kind and size.
QString LanguageName(Kind kind, int n, int variant = 0);

// Writes (once) the language file of that kind and size into `dir` and
// returns its path. The file is laid out as the library writes one:
// UTF-16 with its mark, CR LF, component lines and smart pairs in key
// order, lexicon items by number. `variant` makes another language of the
// same content (another name).
QString LanguageFile(const QString &dir, Kind kind, int n, int variant = 0);

// Compiles (once) a Qt translation of n messages in `contexts` contexts
// (each context holds the same n sources) with lrelease and returns the
// path of the .qm file; empty when lrelease is missing or fails.
QString QmFile(const QString &dir, int n, int contexts = 1);

// The context name of context c (0-based) of QmFile.
QByteArray QmContext(int c);

// Sources of the n messages as UTF-8, as a Qt application passes them.
QList<QByteArray> QmSources(int n);

// Size of a file in bytes, -1 when it cannot be read.
qint64 FileSize(const QString &path);

} // namespace bench
