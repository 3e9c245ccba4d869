// Public face of the airfoil layer.
#pragma once

#include "airfoil/airfoil.h"
