#pragma once

#include <QString>

class QIODevice;

namespace wordmill {

class TResourcesList;
class TUnitList;

// Fills a resource-string translator's lists from a Qt translation source
// (.ts) file as lupdate writes it for an application: every context becomes
// a unit (unit 0, "Unsorted", collects what belongs to none), every
// message's source text is both the text as loaded and its design form, and
// its id, or its context, "#" and its position in the context, is the
// resource name. A text found again in another context only raises its
// repetition count. The file's source language, when given, becomes the
// list's language code.
//
// Reading adds to what the lists hold; false, with the reason and line in
// Error, when the file is no well-formed translation source. A device that
// is not open is opened for reading and closed again.
bool ReadTsFile(QIODevice &Device, TResourcesList &List, TUnitList &Units,
                QString *Error = nullptr);
bool ReadTsFile(const QString &FileName, TResourcesList &List, TUnitList &Units,
                QString *Error = nullptr);

// The name of unit 0.
QString UnsortedUnitName();

} // namespace wordmill
