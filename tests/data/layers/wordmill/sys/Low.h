#pragma once

#include <wordmill/core/High.h>
#include <wordmill/sys/Other.h>
