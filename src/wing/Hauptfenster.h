// Public face of the wing layer: the wing document and its operations.
#pragma once

#include "wing/cell_number.h"
#include "wing/cell_table.h"
#include "wing/control_availability.h"
#include "wing/editing_context.h"
#include "wing/flap_editing.h"
#include "wing/messages.h"
#include "wing/planform_editing.h"
#include "wing/platform.h"
#include "wing/real.h"
#include "wing/settings.h"
#include "wing/text_encoding.h"
#include "wing/wing.h"
#include "wing/wing_file.h"
