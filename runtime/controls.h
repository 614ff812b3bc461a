#pragma once
// The control classes: windowless, windowed and self-painting.
#include "runtime/control.h"
#include "runtime/custom_control.h"
#include "runtime/graphic_control.h"
#include "runtime/messages.h"
#include "runtime/win_control.h"
