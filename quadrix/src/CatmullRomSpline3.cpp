#include "quadrix/CatmullRomSpline3.h"

namespace quadrix {

Vector3 CatmullRomSpline3::calcNormal(double t) const {
    if (points.empty()) {
        return {};
    }
    const Location at = _locate(t);
    return _calcSegmentNormal(at.u, at.segment);
}

Vector3 CatmullRomSpline3::_calcSegmentNormal(double u, int segment) const {
    // The part of the second derivative perpendicular to the tangent: (T x D2) x T. When that part is
    // within rounding of zero the curve runs straight, and normalising it would give a random direction.
    const Vector3 tangent = _calcSegmentTangent(u, segment);
    const Vector3 bend = _calcSegmentDerivative(u, segment, 2);
    const Vector3 binormal = tangent.cross(bend);
    if (binormal.length() <= 1e-5f * bend.length()) {
        return {};
    }
    return binormal.cross(tangent).normalize();
}

}  // namespace quadrix
