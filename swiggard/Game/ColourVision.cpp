#include "Game/ColourVision.h"

#include <kit/Format.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Game {

namespace {

using Matrix = std::array<std::array<double, 3>, 3>;
using Rgb = std::array<double, 3>;

// Machado et al. 2009, severity 1.0, on linear RGB.
const Matrix Protanopia{
    {{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}}};
const Matrix Deuteranopia{
    {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}}};
const Matrix Tritanopia{
    {{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}}};

const Matrix& matrixOf(ColourVision::Deficiency deficiency) {
    switch (deficiency) {
        case ColourVision::Deficiency::Protanopia:
            return Protanopia;
        case ColourVision::Deficiency::Deuteranopia:
            return Deuteranopia;
        case ColourVision::Deficiency::Tritanopia:
            return Tritanopia;
    }
    return Protanopia;
}

double toLinear(double value) {
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double toGamma(double value) {
    value = std::clamp(value, 0.0, 1.0);
    return value <= 0.0031308 ? value * 12.92 : 1.055 * std::pow(value, 1.0 / 2.4) - 0.055;
}

// Linear RGB of "RRGGBB"; black for anything else.
Rgb linearOf(const kit::String& colour) {
    Rgb rgb{};
    for (size_t channel = 0; channel < 3 && colour.size() >= 6; ++channel) {
        unsigned long value = std::strtoul(colour.substr(channel * 2, 2).c_str(), nullptr, 16);
        rgb[channel] = toLinear(static_cast<double>(value) / 255.0);
    }
    return rgb;
}

double labCurve(double t) {
    constexpr double Epsilon = 216.0 / 24389.0;
    constexpr double Kappa = 24389.0 / 27.0;
    return t > Epsilon ? std::cbrt(t) : (Kappa * t + 16.0) / 116.0;
}

double degrees(double radians) {
    double value = radians * 180.0 / std::numbers::pi;
    return value < 0.0 ? value + 360.0 : value;
}

double radians(double degreesValue) {
    return degreesValue * std::numbers::pi / 180.0;
}

}  // namespace

kit::String ColourVision::simulate(const kit::String& colour, Deficiency deficiency) {
    Rgb rgb = linearOf(colour);
    const Matrix& m = matrixOf(deficiency);
    kit::String seen;
    for (size_t row = 0; row < 3; ++row) {
        double value = m[row][0] * rgb[0] + m[row][1] * rgb[1] + m[row][2] * rgb[2];
        seen += kit::format("%02X", static_cast<int>(std::lround(toGamma(value) * 255.0)));
    }
    return seen;
}

ColourVision::Lab ColourVision::toLab(const kit::String& colour) {
    Rgb rgb = linearOf(colour);
    // sRGB to XYZ (D65), relative to the white point.
    double x = (0.4124564 * rgb[0] + 0.3575761 * rgb[1] + 0.1804375 * rgb[2]) / 0.95047;
    double y = 0.2126729 * rgb[0] + 0.7151522 * rgb[1] + 0.0721750 * rgb[2];
    double z = (0.0193339 * rgb[0] + 0.1191920 * rgb[1] + 0.9503041 * rgb[2]) / 1.08883;
    double fx = labCurve(x);
    double fy = labCurve(y);
    double fz = labCurve(z);
    return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

// Sharma, Wu and Dalal's statement of CIEDE2000, with kL = kC = kH = 1.
double ColourVision::difference(const Lab& first, const Lab& second) {
    double c1 = std::hypot(first.a, first.b);
    double c2 = std::hypot(second.a, second.b);
    double meanC7 = std::pow((c1 + c2) / 2.0, 7.0);
    double g = 0.5 * (1.0 - std::sqrt(meanC7 / (meanC7 + std::pow(25.0, 7.0))));
    double a1 = (1.0 + g) * first.a;
    double a2 = (1.0 + g) * second.a;
    double cp1 = std::hypot(a1, first.b);
    double cp2 = std::hypot(a2, second.b);
    double h1 = cp1 == 0.0 ? 0.0 : degrees(std::atan2(first.b, a1));
    double h2 = cp2 == 0.0 ? 0.0 : degrees(std::atan2(second.b, a2));
    double dl = second.l - first.l;
    double dc = cp2 - cp1;
    double dh = 0.0;
    if (cp1 * cp2 != 0.0) {
        dh = h2 - h1;
        dh = dh > 180.0 ? dh - 360.0 : dh < -180.0 ? dh + 360.0 : dh;
    }
    double dH = 2.0 * std::sqrt(cp1 * cp2) * std::sin(radians(dh / 2.0));
    double meanL = (first.l + second.l) / 2.0;
    double meanC = (cp1 + cp2) / 2.0;
    double meanH = h1 + h2;
    if (cp1 * cp2 != 0.0) {
        meanH = std::abs(h1 - h2) <= 180.0 ? (h1 + h2) / 2.0
                : h1 + h2 < 360.0          ? (h1 + h2 + 360.0) / 2.0
                                           : (h1 + h2 - 360.0) / 2.0;
    }
    double t = 1.0 - 0.17 * std::cos(radians(meanH - 30.0)) + 0.24 * std::cos(radians(2.0 * meanH)) +
               0.32 * std::cos(radians(3.0 * meanH + 6.0)) - 0.20 * std::cos(radians(4.0 * meanH - 63.0));
    double dTheta = 30.0 * std::exp(-std::pow((meanH - 275.0) / 25.0, 2.0));
    double meanC7p = std::pow(meanC, 7.0);
    double rc = 2.0 * std::sqrt(meanC7p / (meanC7p + std::pow(25.0, 7.0)));
    double sl = 1.0 + 0.015 * std::pow(meanL - 50.0, 2.0) / std::sqrt(20.0 + std::pow(meanL - 50.0, 2.0));
    double sc = 1.0 + 0.045 * meanC;
    double sh = 1.0 + 0.015 * meanC * t;
    double rt = -std::sin(radians(2.0 * dTheta)) * rc;
    return std::sqrt(std::pow(dl / sl, 2.0) + std::pow(dc / sc, 2.0) + std::pow(dH / sh, 2.0) +
                     rt * (dc / sc) * (dH / sh));
}

double ColourVision::leastDifference(const kit::String& first, const kit::String& second) {
    double least = difference(toLab(first), toLab(second));
    for (Deficiency deficiency : Deficiencies) {
        least = std::min(least,
                         difference(toLab(simulate(first, deficiency)), toLab(simulate(second, deficiency))));
    }
    return least;
}

}  // namespace Game
