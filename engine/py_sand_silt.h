// p-y curves of sand (Reese, Cox and Koop 1974) and of silt, a soil with
// both cohesion and friction, for static loading.
#pragma once

#include "py_profile.h"

namespace truvex {

// Each builds the five curves of p-y layer `layer` (0-based), prints them,
// adds them to `generation` and adds the layer's accumulated resistance.
void generateSand(PyGeneration& generation, int layer);
void generateSilt(PyGeneration& generation, int layer);

// The empirical factors of the sand criterion at depth over width.
double sandA(double depthOverWidth);
double sandB(double depthOverWidth);

// Earth-pressure terms of the friction resistance for a friction angle in
// radians; `pi` is the value of pi the criterion is evaluated with.
struct FrictionTerms {
    double phi = 0;
    double alpha = 0;   // phi/2
    double beta = 0;    // pi/4 + phi/2
    double ka = 0;
    double kp = 0;
};

FrictionTerms frictionTerms(double phi, double pi);

// Ultimate friction resistance per unit length at depth x: the wedge near
// the surface and the flow around the element at depth.
double wedgeResistance(const FrictionTerms& terms, double unitWeight, double x, double width);
double flowResistance(const FrictionTerms& terms, double unitWeight, double x, double width);

// Coulomb passive coefficient of a vertical wall with level ground and wall
// friction delta.
double coulombPassive(double phi, double delta);

}  // namespace truvex
