// Public face of the wing layer: the wing document and its operations.
#pragma once

#include "wing/cell_number.h"
#include "wing/cell_table.h"
#include "wing/messages.h"
#include "wing/platform.h"
#include "wing/real.h"
#include "wing/settings.h"
#include "wing/text_encoding.h"
#include "wing/wing.h"
#include "wing/wing_file.h"
