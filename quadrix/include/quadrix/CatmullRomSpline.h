#pragma once

#include <map>
#include <vector>

#include "quadrix/Vector2.h"
#include "quadrix/Vector3.h"

namespace quadrix {

// The design shared by CatmullRomSpline2 and CatmullRomSpline3: a cardinal spline through a list of points,
// open or closed, evaluated by t from 0 to 1. t is spread over the segments in proportion to their measured
// arc length, so equal steps of t move roughly equal distances; within a segment it runs linearly.
template <class Point>
class CatmullRomSpline {
public:
    CatmullRomSpline() = default;
    CatmullRomSpline(const std::vector<Point>& points, bool closed = false, double tension = 0.5,
                     int samples = 16, const Point& startTangent = Point(),
                     const Point& endTangent = Point());
    CatmullRomSpline(const Point* points, int count, bool closed = false, double tension = 0.5,
                     int samples = 16, const Point& startTangent = Point(),
                     const Point& endTangent = Point());

    // Rebuilds the curve. tension 0.5 is the classic Catmull-Rom curve; samples is the number of straight
    // pieces per segment used to measure its length. A non-zero tangent fixes the open curve's derivative
    // at that end; a closed curve ignores both. A single point gives a curve that stays on it, no points an
    // empty one.
    void set(const std::vector<Point>& points, bool closed = false, double tension = 0.5, int samples = 16,
             const Point& startTangent = Point(), const Point& endTangent = Point());
    void set(const Point* points, int count, bool closed = false, double tension = 0.5, int samples = 16,
             const Point& startTangent = Point(), const Point& endTangent = Point());

    // t above 1 wraps to its fractional part; t below 0 gives the start of the curve, and so does t = 1 on a
    // closed one. An empty spline gives the zero point.
    Point calcPosition(double t) const;
    // The direction towards the position 0.01 further on. On an open curve past t = 0.989, where that
    // would wrap to the start, the previous result is kept instead.
    Point calcTangent(double t);
    // The chord direction of the segment holding t.
    Point calcStaticTangent(double t) const;

    double getLength() const { return length; }
    bool isClosed() const { return closed; }
    // The control points, including the ones added before the first and after the last point.
    const std::vector<Point>& getPoints() const { return points; }

protected:
    // A segment k runs from control point k to k + 1; u is the local parameter from 0 to 1.
    struct Location {
        int segment;
        double u;
    };

    Location _locate(double t) const;
    void _calcLength();
    double _calcSegmentLength(int segment) const;
    Point _calcSegmentPosition(double u, int segment) const;
    // The first (order 1) or second (order 2) derivative by u within a segment.
    Point _calcSegmentDerivative(double u, int segment, int order) const;
    // The unit direction of the first derivative.
    Point _calcSegmentTangent(double u, int segment) const;
    void _arcLengthReparametrization();
    // Indices outside the list are clamped to its first and last control points.
    const Point& _controlPoint(int index) const;

    bool closed = false;
    double length = 0.0;
    double tension = 0.5;
    int samples = 16;
    std::vector<Point> points;
    std::vector<double> segmentLengths;
    Point lastTangent;
    // For each segment of non-zero length, the parameter at which it ends mapped to its index from 0.
    std::map<double, int> segmentEnds;
};

extern template class CatmullRomSpline<Vector2>;
extern template class CatmullRomSpline<Vector3>;

}  // namespace quadrix
