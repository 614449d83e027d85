#pragma once

class QBuffer;

namespace wordmill {

// The flag buffer carries the flag picture of the language file read or
// written last between the file, the language list and the writer. It is one
// memory stream for the whole process, always open for reading and writing.
// Like the rest of the library it is meant for the user-interface thread.

/// The process-wide flag buffer.
QBuffer &FlagIconBuffer();

/// Empties the flag buffer.
void ClearFlagBuffer();

/// True when the flag buffer holds at least one byte.
bool FlagBufferHasData();

/// The flag buffer, positioned at its start.
QBuffer &GetFlagBuffer();

} // namespace wordmill
