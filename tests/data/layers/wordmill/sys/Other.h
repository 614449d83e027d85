#pragma once

#include "../core/High.h"
