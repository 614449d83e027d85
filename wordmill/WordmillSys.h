#pragma once

// Text, field and file helpers and translation stores of the Wordmill library.

#include <wordmill/sys/ClassTable.h>
#include <wordmill/sys/ComponentStructure.h>
#include <wordmill/sys/Descent.h>
#include <wordmill/sys/DisplayText.h>
#include <wordmill/sys/FlagBuffer.h>
#include <wordmill/sys/FlagPictures.h>
#include <wordmill/sys/IndexedItems.h>
#include <wordmill/sys/ItemAddress.h>
#include <wordmill/sys/LangIDs.h>
#include <wordmill/sys/LangTranslation.h>
#include <wordmill/sys/LanguageCache.h>
#include <wordmill/sys/LanguageFile.h>
#include <wordmill/sys/LanguageNames.h>
#include <wordmill/sys/LexiconData.h>
#include <wordmill/sys/LineID.h>
#include <wordmill/sys/Logging.h>
#include <wordmill/sys/NamedItems.h>
#include <wordmill/sys/NamedItemsList.h>
#include <wordmill/sys/NamedObjectList.h>
#include <wordmill/sys/OneLineForm.h>
#include <wordmill/sys/Paths.h>
#include <wordmill/sys/PictureText.h>
#include <wordmill/sys/PropertyNames.h>
#include <wordmill/sys/SaveFile.h>
#include <wordmill/sys/SmartLexiconData.h>
#include <wordmill/sys/StructLines.h>
#include <wordmill/sys/TextHelpers.h>
#include <wordmill/sys/TextLines.h>
#include <wordmill/sys/WordList.h>
