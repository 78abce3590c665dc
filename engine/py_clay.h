// p-y curves of clay layers for static loading: soft clay (Matlock 1970),
// stiff clay with free water (Reese, Cox and Koop 1975) and stiff clay
// without free water (Welch and Reese 1972), each with the offset for the
// earth pressure at the excavation level and the limit for continuous walls.
#pragma once

#include "py_profile.h"

namespace truvex {

// Each builds the five curves of p-y layer `layer` (0-based), prints them and
// adds them to `generation`.
void generateSoftClay(PyGeneration& generation, int layer);
void generateStiffClayWithFreeWater(PyGeneration& generation, int layer);
void generateStiffClayWithoutFreeWater(PyGeneration& generation, int layer);

// Coefficient As of the static curve of stiff clay with free water, and the
// cyclic coefficient Ac printed beside it, at depth over width z/b.
double stiffClayAs(double depthOverWidth);
double stiffClayAc(double depthOverWidth);

}  // namespace truvex
