#pragma once

// The ISO 639-1 language table of the Wordmill library.

#include <wordmill/iso/ISO639.h>
