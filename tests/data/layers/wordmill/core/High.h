#pragma once

#include "../sys/Other.h"
#include <wordmill/sys/Low.h>
