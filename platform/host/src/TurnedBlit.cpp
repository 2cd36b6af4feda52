#include "TurnedBlit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>

namespace host {

namespace {

// Corners may miss a true parallelogram by rounding; a quad further off takes SDL's triangles.
constexpr float ShapeTolerance = 0.5f;
constexpr int FixedShift = 16;
constexpr double FixedOne = 65536.0;

bool isParallelogram(const SDL_FPoint points[4]) {
    return std::fabs(points[0].x + points[2].x - points[1].x - points[3].x) <= ShapeTolerance &&
           std::fabs(points[0].y + points[2].y - points[1].y - points[3].y) <= ShapeTolerance;
}

bool isEightBitsEach(const SDL_PixelFormat& format) {
    return format.BytesPerPixel == 4 && format.Rloss == 0 && format.Gloss == 0 && format.Bloss == 0 &&
           (format.Amask == 0 || format.Aloss == 0);
}

// round(a * b / 255) for bytes.
unsigned mul255(unsigned a, unsigned b) {
    unsigned x = a * b + 128;
    return (x + (x >> 8)) >> 8;
}

// Where the centre line of a row crosses the quad. Each edge is taken from its upper end, so an edge
// two quads share gives both the same crossing.
bool spanAt(const SDL_FPoint corners[4], float y, float& left, float& right) {
    bool found = false;
    for (int i = 0; i < 4; ++i) {
        SDL_FPoint a = corners[i];
        SDL_FPoint b = corners[(i + 1) % 4];
        if (a.y == b.y) {
            continue;
        }
        if (b.y < a.y) {
            std::swap(a, b);
        }
        if (y < a.y || y >= b.y) {
            continue;
        }
        float x = a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y);
        left = found ? std::min(left, x) : x;
        right = found ? std::max(right, x) : x;
        found = true;
    }
    return found && right > left;
}

// The frame's pixel with a source colour blended over it. The channels' places are held by value:
// the compiler would otherwise read them again for every pixel, which might be the format's fields.
class Blender {
public:
    Blender(const SDL_PixelFormat& format, SDL_Color tint)
        : red(format.Rshift),
          green(format.Gshift),
          blue(format.Bshift),
          alpha(format.Ashift),
          hasAlpha(format.Amask != 0),
          kept(format.Amask == 0 ? ~(format.Rmask | format.Gmask | format.Bmask) : 0u),
          tint(tint),
          plain(tint.r == 255 && tint.g == 255 && tint.b == 255 && tint.a == 255) {}

    [[gnu::always_inline]] void blend(uint32_t& pixel, unsigned r, unsigned g, unsigned b, unsigned a) const {
        if (!plain) {
            r = mul255(r, tint.r);
            g = mul255(g, tint.g);
            b = mul255(b, tint.b);
            a = mul255(a, tint.a);
        }
        if (a == 0) {
            return;
        }
        const uint32_t old = pixel;
        if (a != 255) {
            const unsigned rest = 255 - a;
            r = mul255(r, a) + mul255(channel(old, red), rest);
            g = mul255(g, a) + mul255(channel(old, green), rest);
            b = mul255(b, a) + mul255(channel(old, blue), rest);
            a = hasAlpha ? a + mul255(channel(old, alpha), rest) : 0;
        }
        pixel = r << red | g << green | b << blue | (hasAlpha ? a << alpha : old & kept);
    }

private:
    static unsigned channel(uint32_t pixel, int shift) { return (pixel >> shift) & 0xFFu; }

    const int red;
    const int green;
    const int blue;
    const int alpha;
    const bool hasAlpha;
    const uint32_t kept;
    const SDL_Color tint;
    const bool plain;
};

// The picture's pixels the quad maps, affinely from its top-left corner.
class TexelMap {
public:
    explicit TexelMap(const TurnedBlit::Quad& quad) : quad(quad) {
        const SDL_FPoint* p = quad.corners;
        const double acrossX = p[1].x - p[0].x;
        const double acrossY = p[1].y - p[0].y;
        const double downX = p[3].x - p[0].x;
        const double downY = p[3].y - p[0].y;
        determinant = acrossX * downY - acrossY * downX;
        if (!isFlat()) {
            acrossPerX = downY / determinant;
            acrossPerY = -downX / determinant;
            downPerX = -acrossY / determinant;
            downPerY = acrossX / determinant;
        }
    }

    bool isFlat() const { return std::fabs(determinant) < 1e-6; }

    SDL_FPoint at(double x, double y) const {
        const double dx = x - quad.corners[0].x;
        const double dy = y - quad.corners[0].y;
        return along(dx * acrossPerX + dy * acrossPerY, dx * downPerX + dy * downPerY);
    }

    // Texels per frame pixel to the right.
    SDL_FPoint step() const {
        SDL_FPoint origin = along(0.0, 0.0);
        SDL_FPoint next = along(acrossPerX, downPerX);
        return {next.x - origin.x, next.y - origin.y};
    }

private:
    SDL_FPoint along(double across, double down) const {
        const SDL_FPoint* t = quad.texels;
        return {static_cast<float>(t[0].x + across * (t[1].x - t[0].x) + down * (t[3].x - t[0].x)),
                static_cast<float>(t[0].y + across * (t[1].y - t[0].y) + down * (t[3].y - t[0].y))};
    }

    const TurnedBlit::Quad& quad;
    double determinant = 0.0;
    double acrossPerX = 0.0;
    double acrossPerY = 0.0;
    double downPerX = 0.0;
    double downPerY = 0.0;
};

// The texels the quad may take: its own part of the picture, so that a part of a shared picture does
// not bleed into its neighbours at the edges.
struct TexelBounds {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    TexelBounds(const TurnedBlit::Quad& quad, const TurnedBlit::Pixels& picture) {
        float minX = quad.texels[0].x, maxX = minX, minY = quad.texels[0].y, maxY = minY;
        for (const SDL_FPoint& texel : quad.texels) {
            minX = std::min(minX, texel.x);
            maxX = std::max(maxX, texel.x);
            minY = std::min(minY, texel.y);
            maxY = std::max(maxY, texel.y);
        }
        right = std::clamp(static_cast<int>(std::ceil(maxX)) - 1, 0, picture.width - 1);
        bottom = std::clamp(static_cast<int>(std::ceil(maxY)) - 1, 0, picture.height - 1);
        left = std::clamp(static_cast<int>(std::floor(minX)), 0, right);
        top = std::clamp(static_cast<int>(std::floor(minY)), 0, bottom);
    }
};

// 64 bits: a quad nearly flat steps thousands of texels a pixel, which 32 would overflow.
int64_t toFixed(float value) {
    return static_cast<int64_t>(std::llround(std::clamp(static_cast<double>(value), -1e9, 1e9) * FixedOne));
}

// The first pixel whose centre lies at or after `edge`, kept to a range where the cast is defined.
int firstPixelFrom(float edge) {
    return static_cast<int>(std::ceil(std::clamp(edge - 0.5f, -1e9f, 1e9f)));
}

}  // namespace

bool TurnedBlit::fits(const Quad& quad) {
    return isParallelogram(quad.corners) && isParallelogram(quad.texels);
}

bool TurnedBlit::draw(const Pixels& frame, const SDL_PixelFormat& format, const SDL_Rect& clip,
                      const Pixels* picture, const Quad& quad, SDL_Color color) {
    if (!fits(quad) || !isEightBitsEach(format)) {
        return false;
    }
    const TexelMap map(quad);
    if (map.isFlat()) {
        return true;
    }
    float top = quad.corners[0].y, bottom = top;
    for (const SDL_FPoint& corner : quad.corners) {
        top = std::min(top, corner.y);
        bottom = std::max(bottom, corner.y);
    }
    const int clipRight = std::min(clip.x + clip.w, frame.width);
    const int firstRow = std::max({clip.y, 0, firstPixelFrom(top)});
    const int endRow = std::min({clip.y + clip.h, frame.height, firstPixelFrom(bottom)});
    const Blender blender(format, color);
    const SDL_FPoint step = map.step();
    const int64_t stepX = toFixed(step.x);
    const int64_t stepY = toFixed(step.y);
    const std::optional<TexelBounds> bounds =
        picture ? std::optional<TexelBounds>(std::in_place, quad, *picture) : std::nullopt;
    for (int row = firstRow; row < endRow; ++row) {
        const float centre = static_cast<float>(row) + 0.5f;
        float left = 0.0f;
        float right = 0.0f;
        if (!spanAt(quad.corners, centre, left, right)) {
            continue;
        }
        const int first = std::max({clip.x, 0, firstPixelFrom(left)});
        const int end = std::min(clipRight, firstPixelFrom(right));
        auto* pixel =
            reinterpret_cast<uint32_t*>(frame.data + static_cast<ptrdiff_t>(row) * frame.pitch) + first;
        if (!picture) {
            for (int x = first; x < end; ++x, ++pixel) {
                blender.blend(*pixel, 255, 255, 255, 255);
            }
            continue;
        }
        const SDL_FPoint start = map.at(first + 0.5, centre);
        int64_t texelX = toFixed(start.x);
        int64_t texelY = toFixed(start.y);
        // Locals, not the structs' fields, for the same reason as the blender's.
        const unsigned char* const texels = picture->data;
        const ptrdiff_t pitch = picture->pitch;
        const TexelBounds within = *bounds;
        for (int x = first; x < end; ++x, ++pixel, texelX += stepX, texelY += stepY) {
            const int column =
                static_cast<int>(std::clamp<int64_t>(texelX >> FixedShift, within.left, within.right));
            const int line =
                static_cast<int>(std::clamp<int64_t>(texelY >> FixedShift, within.top, within.bottom));
            const unsigned char* texel = texels + line * pitch + column * 4;
            blender.blend(*pixel, texel[0], texel[1], texel[2], texel[3]);
        }
    }
    return true;
}

}  // namespace host
