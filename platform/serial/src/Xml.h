#pragma once

#include "Document.h"

namespace serial::detail {

kit::String encodeXml(const Document& document);
// False with a reason for text that is not a well-formed graph; documents with a DOCTYPE are refused.
bool decodeXml(const kit::String& text, Document& document, kit::String& error);

}  // namespace serial::detail
