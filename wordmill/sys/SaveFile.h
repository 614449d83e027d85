#pragma once

#include <QByteArrayView>
#include <QString>

class QSaveFile;

namespace wordmill {

// Commits a QSaveFile only when everything written to it reached the file:
// an earlier failed write, a failed flush of the file's own buffer or a
// failed sync cancels the save, so the file it replaces stays as it was and
// no temporary file is left behind. Returns the reason of a failure as the
// system words it ("No space left on device"), empty on success.
//
// QSaveFile::commit() alone does not see a failed flush of its buffer: a
// small file on a full disk would replace the earlier one with an empty or
// truncated copy and report success.
[[nodiscard]] QString CommitSaveFile(QSaveFile &file);

// Writes data as the whole new content of fileName through a QSaveFile (see
// CommitSaveFile). Returns the reason of a failure, empty on success.
[[nodiscard]] QString SaveFileContents(const QString &fileName, QByteArrayView data);

} // namespace wordmill
