#pragma once

// Controls of the library: the valued label.
#include "ctrls/ValuedLabel.h"
