// Drawing: GDI objects (pens, brushes, fonts, bitmaps) and device contexts.
#pragma once

#include "framework/dc.h"
#include "framework/gdi_objects.h"
