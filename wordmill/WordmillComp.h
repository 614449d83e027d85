#pragma once

// The engine component placed on forms, the per-form client, the language
// selectors and the widget side of the library.
#include "comp/LangCombo.h"
#include "comp/LangFlag.h"
#include "comp/LangFlagsCombo.h"
#include "comp/WordmillClient.h"
#include "comp/WordmillEngine.h"
#include "ctrls/Form.h"
#include "ctrls/WidgetFormReader.h"
