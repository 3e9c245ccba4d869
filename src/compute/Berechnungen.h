// Public face of the computation layer.
#pragma once

#include "compute/span_distribution.h"
#include "compute/stations.h"
