// p-y curves of rock for static loading: strong rock (a bilinear curve with
// a brittle drop) and weak rock (Reese 1997).
#pragma once

#include "py_profile.h"

namespace truvex {

// Each builds the five curves of p-y layer `layer` (0-based), prints them and
// adds them to `generation`. Rock adds nothing to the accumulated
// resistance of the layers.
void generateStrongRock(PyGeneration& generation, int layer);
void generateWeakRock(PyGeneration& generation, int layer);

}  // namespace truvex
