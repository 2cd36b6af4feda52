#pragma once

#include <kit/Types.h>

#include <cstdint>

namespace lan {

// A QR code's modules, row by row, without the quiet zone round it.
class QrCode {
public:
    // Error correction level M; an empty code when the text does not fit.
    static QrCode encode(const kit::String& text);

    int getSize() const { return size; }
    bool isDark(int x, int y) const { return modules[static_cast<size_t>(y * size + x)] != 0; }
    bool isEmpty() const { return size == 0; }

private:
    int size = 0;
    kit::Array<uint8_t> modules;
};

}  // namespace lan
