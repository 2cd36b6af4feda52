#include "quadrix/Rectangle.h"

namespace quadrix {

Rectangle& Rectangle::clip(const Rectangle& r) {
    if (x < r.x) {
        w -= r.x - x;
        x = r.x;
    }
    if (y < r.y) {
        h -= r.y - y;
        y = r.y;
    }
    if (x + w > r.x + r.w) {
        w -= (x + w) - (r.x + r.w);
    }
    if (y + h > r.y + r.h) {
        h -= (y + h) - (r.y + r.h);
    }
    return *this;
}

}  // namespace quadrix
