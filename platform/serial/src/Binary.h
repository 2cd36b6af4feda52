#pragma once

#include <kit/Stream.h>

#include "Document.h"

namespace serial::detail {

void encodeBinary(const Document& document, kit::Stream& stream);
// False with a reason when the stream is not a complete, well-formed graph.
bool decodeBinary(kit::Stream& stream, Document& document, kit::String& error);

}  // namespace serial::detail
