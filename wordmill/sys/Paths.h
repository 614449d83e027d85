#pragma once

#include <QString>

namespace wordmill {

/// The path conventions the directory helpers follow. Windows paths use "\"
/// and know drive letters and network shares; POSIX paths use "/" and an
/// absolute path starts with "/".
enum class PathFlavour {
    Windows,
    Posix,
#ifdef Q_OS_WIN
    Native = Windows
#else
    Native = Posix
#endif
};

/// S with every separator written in the flavour's form ("/" becomes "\" on
/// Windows, "\" becomes "/" elsewhere) and a separator appended when S is not
/// empty and does not end with one. Runs of separators are kept.
QString NormalizeDirectory(const QString &S, PathFlavour Flavour = PathFlavour::Native);

/// The directory Sub relative to Base, normalized with NormalizeDirectory.
/// An absolute Sub (a drive or network share on Windows, a leading "/"
/// elsewhere) stands alone; a leading separator of a relative Sub is dropped,
/// so "\lang" and "lang" give the same directory below Base.
QString CombinePath(const QString &Base, const QString &Sub,
                    PathFlavour Flavour = PathFlavour::Native);

} // namespace wordmill
