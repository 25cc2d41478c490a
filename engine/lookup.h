#pragma once

#include <cstdint>
#include <span>

#include "engine/reference_tables.h"

namespace passcat {

// The value at x on the line through (node1, coef1) and (node2, coef2), in
// slope-intercept form; every step is rounded to single precision when stored.
float InterpolateLinear(float node1, float coef1, float node2, float coef2, float x);

// The coefficient for x from a rising node table and its coefficient table: held at
// the first or last coefficient outside the nodes, interpolated between them.
float LookupCoefficient(std::span<const float> nodes, std::span<const float> coefs, double x);

// The difficulty category 0 to 6 of a point; the top category also needs the
// region's minimum altitude and height gain, else it is 5.
std::int16_t CategoryFromScore(const ReferenceTables& tables, float score, float altitude, float gain);

} // namespace passcat
