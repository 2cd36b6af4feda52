#include "quadrix/CatmullRomSpline.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>

namespace quadrix {

namespace {

using Weights = std::array<double, 4>;

// The cardinal basis with tension tau and its first and second derivatives by u.
Weights basis(double u, double tau, int order) {
    const double u2 = u * u;
    const double u3 = u2 * u;
    switch (order) {
        case 0:
            return {tau * (2 * u2 - u - u3), 1 + (tau - 3) * u2 + (2 - tau) * u3,
                    tau * u + (3 - 2 * tau) * u2 + (tau - 2) * u3, tau * (u3 - u2)};
        case 1:
            return {tau * (4 * u - 1 - 3 * u2), 2 * (tau - 3) * u + 3 * (2 - tau) * u2,
                    tau + 2 * (3 - 2 * tau) * u + 3 * (tau - 2) * u2, tau * (3 * u2 - 2 * u)};
        default:
            return {tau * (4 - 6 * u), 2 * (tau - 3) + 6 * (2 - tau) * u,
                    2 * (3 - 2 * tau) + 6 * (tau - 2) * u, tau * (6 * u - 2)};
    }
}

// Sums in double precision and stores the result as floats.
Vector2 weightedSum(const std::array<const Vector2*, 4>& c, const Weights& b) {
    double x = 0.0;
    double y = 0.0;
    for (int i = 0; i < 4; ++i) {
        x += b[i] * c[i]->x;
        y += b[i] * c[i]->y;
    }
    return {static_cast<float>(x), static_cast<float>(y)};
}

Vector3 weightedSum(const std::array<const Vector3*, 4>& c, const Weights& b) {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    for (int i = 0; i < 4; ++i) {
        x += b[i] * c[i]->x;
        y += b[i] * c[i]->y;
        z += b[i] * c[i]->z;
    }
    return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
}

double distance(const Vector2& a, const Vector2& b) {
    return std::hypot(static_cast<double>(b.x) - a.x, static_cast<double>(b.y) - a.y);
}

double distance(const Vector3& a, const Vector3& b) {
    return std::hypot(static_cast<double>(b.x) - a.x, static_cast<double>(b.y) - a.y,
                      static_cast<double>(b.z) - a.z);
}

}  // namespace

template <class Point>
CatmullRomSpline<Point>::CatmullRomSpline(const std::vector<Point>& points, bool closed, double tension,
                                          int samples, const Point& startTangent, const Point& endTangent) {
    set(points, closed, tension, samples, startTangent, endTangent);
}

template <class Point>
CatmullRomSpline<Point>::CatmullRomSpline(const Point* points, int count, bool closed, double tension,
                                          int samples, const Point& startTangent, const Point& endTangent) {
    set(points, count, closed, tension, samples, startTangent, endTangent);
}

template <class Point>
void CatmullRomSpline<Point>::set(const std::vector<Point>& newPoints, bool isClosed, double newTension,
                                  int newSamples, const Point& startTangent, const Point& endTangent) {
    set(newPoints.data(), static_cast<int>(newPoints.size()), isClosed, newTension, newSamples, startTangent,
        endTangent);
}

template <class Point>
void CatmullRomSpline<Point>::set(const Point* p, int n, bool isClosed, double newTension, int newSamples,
                                  const Point& startTangent, const Point& endTangent) {
    points.clear();
    segmentLengths.clear();
    segmentEnds.clear();
    length = 0.0;
    lastTangent = Point();
    closed = isClosed;
    tension = newTension;
    samples = newSamples;
    if (p == nullptr || n < 1) {
        return;
    }
    if (n == 1) {
        points.push_back(p[0]);
        return;
    }
    // The added end points make the curve's derivative at its ends equal to the given tangents, or let a
    // closed curve run on smoothly through its first point.
    if (closed) {
        points.push_back(p[n - 1]);
    } else {
        points.push_back(startTangent.isNull() ? p[0] : p[1] - startTangent * 2.0f);
    }
    points.insert(points.end(), p, p + n);
    if (closed) {
        points.push_back(p[0]);
        points.push_back(p[1]);
    } else {
        points.push_back(endTangent.isNull() ? p[n - 1] : p[n - 2] + endTangent * 2.0f);
    }
    _calcLength();
    // Measured once the segments are known: the direction at the start of the curve.
    lastTangent = (calcPosition(0.01) - calcPosition(0.0)).normalized();
}

template <class Point>
Point CatmullRomSpline<Point>::calcPosition(double t) const {
    if (points.empty()) {
        return Point();
    }
    const Location at = _locate(t);
    return _calcSegmentPosition(at.u, at.segment);
}

template <class Point>
Point CatmullRomSpline<Point>::calcTangent(double t) {
    if (points.empty()) {
        return Point();
    }
    if (closed || t <= 0.989) {
        lastTangent = (calcPosition(t + 0.01) - calcPosition(t)).normalized();
    }
    return lastTangent;
}

template <class Point>
Point CatmullRomSpline<Point>::calcStaticTangent(double t) const {
    if (points.empty()) {
        return Point();
    }
    const int segment = _locate(t).segment;
    return (_controlPoint(segment + 1) - _controlPoint(segment)).normalized();
}

template <class Point>
typename CatmullRomSpline<Point>::Location CatmullRomSpline<Point>::_locate(double t) const {
    if (t > 1.0) {
        t -= std::floor(t);
    }
    const Location start{1, 0.0};
    const auto end = segmentEnds.upper_bound(t);
    if (end == segmentEnds.end()) {
        // At t = 1, or just past the last end through rounding. An open curve is at its end there; a closed
        // one is back at its start.
        if (segmentEnds.empty() || closed) {
            return start;
        }
        return {std::prev(end)->second + 1, 1.0};
    }
    const double begin = end == segmentEnds.begin() ? 0.0 : std::prev(end)->first;
    if (t < begin) {
        return start;
    }
    return {end->second + 1, (t - begin) / (end->first - begin)};
}

template <class Point>
void CatmullRomSpline<Point>::_calcLength() {
    segmentLengths.clear();
    length = 0.0;
    const int segmentCount = static_cast<int>(points.size()) - 3;
    for (int k = 1; k <= segmentCount; ++k) {
        segmentLengths.push_back(_calcSegmentLength(k));
        length += segmentLengths.back();
    }
    if (length > 0.0) {
        _arcLengthReparametrization();
    }
}

template <class Point>
double CatmullRomSpline<Point>::_calcSegmentLength(int segment) const {
    if (samples < 1) {
        return 0.0;
    }
    double sum = 0.0;
    Point previous = _calcSegmentPosition(0.0, segment);
    for (int i = 1; i <= samples; ++i) {
        const Point next = _calcSegmentPosition(static_cast<double>(i) / samples, segment);
        sum += distance(previous, next);
        previous = next;
    }
    return sum;
}

template <class Point>
Point CatmullRomSpline<Point>::_calcSegmentPosition(double u, int segment) const {
    return weightedSum({&_controlPoint(segment - 1), &_controlPoint(segment), &_controlPoint(segment + 1),
                        &_controlPoint(segment + 2)},
                       basis(u, tension, 0));
}

template <class Point>
Point CatmullRomSpline<Point>::_calcSegmentDerivative(double u, int segment, int order) const {
    return weightedSum({&_controlPoint(segment - 1), &_controlPoint(segment), &_controlPoint(segment + 1),
                        &_controlPoint(segment + 2)},
                       basis(u, tension, order));
}

template <class Point>
Point CatmullRomSpline<Point>::_calcSegmentTangent(double u, int segment) const {
    return _calcSegmentDerivative(u, segment, 1).normalized();
}

template <class Point>
void CatmullRomSpline<Point>::_arcLengthReparametrization() {
    segmentEnds.clear();
    double end = 0.0;
    for (int i = 0; i < static_cast<int>(segmentLengths.size()); ++i) {
        end += segmentLengths[i] / length;
        // A segment of zero length ends where the previous one does; it covers no t and is left out.
        segmentEnds.emplace(end, i);
    }
}

template <class Point>
const Point& CatmullRomSpline<Point>::_controlPoint(int index) const {
    return points[std::clamp(index, 0, static_cast<int>(points.size()) - 1)];
}

template class CatmullRomSpline<Vector2>;
template class CatmullRomSpline<Vector3>;

}  // namespace quadrix
