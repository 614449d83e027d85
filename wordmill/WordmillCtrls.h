#pragma once

// Controls of the library: the valued label.
#include <wordmill/ctrls/ValuedLabel.h>
