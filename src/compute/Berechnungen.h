// Public face of the computation layer.
#pragma once

#include "compute/elliptic_integrals.h"
#include "compute/lifting_line_solver.h"
#include "compute/span_distribution.h"
#include "compute/stations.h"
#include "compute/wing_coefficients.h"
#include "compute/wing_computation.h"
