#pragma once

// The engine component placed on forms and the widget side of the library.
#include "comp/WordmillEngine.h"
#include "ctrls/Form.h"
#include "ctrls/WidgetFormReader.h"
