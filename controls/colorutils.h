#pragma once
// The flat controls' colour unit: the colour type, its constants and the mapping to the toolkit's
// colours live in the runtime layer, which the dialogs share.
#include "platform/rtl/graphics.h"
