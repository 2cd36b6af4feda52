#pragma once

#include "quadrix/CatmullRomSpline.h"
#include "quadrix/Vector3.h"

namespace quadrix {

// A Catmull-Rom spline in space.
class CatmullRomSpline3 : public CatmullRomSpline<Vector3> {
public:
    using CatmullRomSpline<Vector3>::CatmullRomSpline;

    // The principal normal: the unit direction in which the curve bends at t, perpendicular to its
    // tangent. Zero where the curve runs straight.
    Vector3 calcNormal(double t) const;

protected:
    Vector3 _calcSegmentNormal(double u, int segment) const;
};

}  // namespace quadrix
