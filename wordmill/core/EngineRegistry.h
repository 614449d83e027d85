#pragma once

#include <QString>

namespace wordmill {

// The process-wide list of engine identities (engine name, "&", owner name).
// The first engine to claim an identity is the primary one; identities are
// never given back, so an engine of a second instance of the same form stays
// secondary.
namespace EngineRegistry {

bool Contains(const QString &identity);
void Add(const QString &identity);

} // namespace EngineRegistry

} // namespace wordmill
