#pragma once

// Text, field and file helpers of the Wordmill library.

#include "sys/ComponentNames.h"
#include "sys/ItemAddress.h"
#include "sys/LanguageNames.h"
#include "sys/LineFields.h"
#include "sys/OneLineForm.h"
#include "sys/Paths.h"
#include "sys/TextHelpers.h"
