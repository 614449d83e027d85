#pragma once

// The engine component placed on forms, the per-form client, the language
// selectors and the widget side of the library.
#include <wordmill/comp/LangCombo.h>
#include <wordmill/comp/LangFlag.h>
#include <wordmill/comp/LangFlagsCombo.h>
#include <wordmill/comp/WidgetFormReader.h>
#include <wordmill/comp/WordmillClient.h>
#include <wordmill/comp/WordmillEngine.h>
#include <wordmill/ctrls/ActivationWatcher.h>
#include <wordmill/ctrls/Form.h>
