#include "quadrix/CatmullRomSpline2.h"

namespace quadrix {

Vector2 CatmullRomSpline2::calcNormal(double t) {
    if (points.empty()) {
        return {};
    }
    const Vector2 tangent = calcTangent(t);
    return {-tangent.y, tangent.x};
}

}  // namespace quadrix
