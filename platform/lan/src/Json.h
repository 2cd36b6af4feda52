#pragma once

#include <kit/Types.h>

#include <cstdint>
#include <optional>

#include "lan/Message.h"
#include "lan/View.h"

// The JSON the phones read and send. Bodies are checked field by field: an unknown field, a wrong type
// or a value out of range refuses the whole request.
namespace lan::json {

constexpr size_t MaxNameBytes = 64;

// The state as the phone with that token sees it ("" for one that has not joined).
kit::String state(const View& view, const kit::String& token, uint64_t version);
kit::String texts(const View& view);

// The message a POST body stands for, or nothing with the reason set.
std::optional<Message> parse(Message::Kind kind, const kit::String& body, kit::String& reason);

// Valid UTF-8 without control characters, line or paragraph separators, and not too long: what the
// profile's stored records and the TV's labels can hold.
bool isCleanName(const kit::String& name);

}  // namespace lan::json
