// The framework in one include: application, windows, dialogs, data exchange, controls,
// drawing, strings, message boxes.
#pragma once

#include "framework/app.h"
#include "framework/controls.h"
#include "framework/cstring.h"
#include "framework/data_exchange.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "framework/geometry.h"
#include "framework/message_box.h"
#include "framework/message_map.h"
#include "framework/wnd.h"
