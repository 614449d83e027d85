#pragma once

namespace wordmill {

// Makes the library's non-visual components known to stored form
// definitions. Safe to call more than once.
void RegisterCoreComponentClasses();

} // namespace wordmill
