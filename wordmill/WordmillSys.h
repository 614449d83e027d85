#pragma once

// Text, field and file helpers of the Wordmill library.

#include "sys/ClassTable.h"
#include "sys/ComponentNames.h"
#include "sys/FlagBuffer.h"
#include "sys/FlagPictures.h"
#include "sys/FlagSection.h"
#include "sys/ItemAddress.h"
#include "sys/LangHeader.h"
#include "sys/LangIDs.h"
#include "sys/LanguageNames.h"
#include "sys/LineFields.h"
#include "sys/OneLineForm.h"
#include "sys/Paths.h"
#include "sys/PictureText.h"
#include "sys/TextHelpers.h"
#include "sys/TextLines.h"
