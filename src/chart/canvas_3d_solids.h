#pragma once
// Shading constants and facet count of the canvas' 3D solids.

// Darkening of left and right sides, and of tops and bottoms.
constexpr int DarkSideAmount = 128;
constexpr int DarkTopAmount = 64;

// Facets around cylinders and cones; callers may change it around a call.
extern int CylinderSegments;
