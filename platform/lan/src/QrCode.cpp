#include "lan/QrCode.h"

#include <qrencode.h>

namespace lan {

QrCode QrCode::encode(const kit::String& text) {
    QrCode code;
    QRcode* encoded = QRcode_encodeString(text.c_str(), 0, QR_ECLEVEL_M, QR_MODE_8, 1);
    if (encoded == nullptr) {
        return code;
    }
    code.size = encoded->width;
    code.modules.resize(static_cast<size_t>(code.size * code.size));
    for (size_t i = 0; i < code.modules.size(); ++i) {
        code.modules[i] = encoded->data[i] & 1;
    }
    QRcode_free(encoded);
    return code;
}

}  // namespace lan
