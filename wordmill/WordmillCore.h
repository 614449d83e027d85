#pragma once

// Components bound to an engine, lexicons, the client registry and the engine core.
#include <wordmill/core/DesignedLexicon.h>
#include <wordmill/core/EditorColors.h>
#include <wordmill/core/EditorTypes.h>
#include <wordmill/core/HeadlessLangData.h>
#include <wordmill/core/LangCoreData.h>
#include <wordmill/core/Lexicon.h>
#include <wordmill/core/PropertySets.h>
#include <wordmill/core/ResourcesTranslator.h>
#include <wordmill/core/Spans.h>
#include <wordmill/core/WordmillCPC.h>
#include <wordmill/core/WordmillComponent.h>
#include <wordmill/core/WordmillEngineCore.h>
#include <wordmill/toolkit/Application.h>
#include <wordmill/toolkit/Component.h>
#include <wordmill/toolkit/ComponentNames.h>
#include <wordmill/toolkit/Form.h>
#include <wordmill/toolkit/FormReader.h>
