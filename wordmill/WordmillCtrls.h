#pragma once

// Controls of the library: the valued label, the editor's status colours.
#include <wordmill/ctrls/EditorColor.h>
#include <wordmill/ctrls/ValuedLabel.h>
