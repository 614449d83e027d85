#pragma once

// Components bound to an engine, lexicons, the client registry and the engine core.
#include "core/DesignedLexicon.h"
#include "core/Lexicon.h"
#include "core/PropertySets.h"
#include "core/Spans.h"
#include "core/WordmillCPC.h"
#include "core/WordmillComponent.h"
#include "core/WordmillEngineCore.h"
#include "toolkit/Application.h"
#include "toolkit/Component.h"
#include "toolkit/Form.h"
#include "toolkit/FormReader.h"
