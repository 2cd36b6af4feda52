#pragma once

#include "quadrix/CatmullRomSpline.h"
#include "quadrix/Vector2.h"

namespace quadrix {

// A Catmull-Rom spline in the plane.
class CatmullRomSpline2 : public CatmullRomSpline<Vector2> {
public:
    using CatmullRomSpline<Vector2>::CatmullRomSpline;

    // calcTangent(t) turned from (x, y) into (-y, x); it updates the kept tangent the same way.
    Vector2 calcNormal(double t);
};

}  // namespace quadrix
