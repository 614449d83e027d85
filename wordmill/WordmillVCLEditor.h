#pragma once

// The built-in translation editor: its window and the engine data object
// that runs it.
#include <wordmill/editor/LanguageManager.h>
#include <wordmill/editor/VCLLangData.h>
