#pragma once
// Colours, fonts, pens, brushes, canvases and bitmaps.
#include "runtime/bitmap.h"
#include "runtime/canvas.h"
#include "runtime/colors.h"
#include "runtime/font.h"
#include "runtime/pen_brush.h"
