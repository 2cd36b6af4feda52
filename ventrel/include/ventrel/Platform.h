#pragma once

#include <kit/Types.h>

// What differs between operating systems: start-up logging, a machine identifier, the mail
// program and the update check (not offered on this platform).
namespace ventrel::platform {

void init();
bool isInitialized();
// The first 32 bits of the machine's identifier as eight hex digits, computed once.
kit::String getUniqueHardwareId();
// Opens the user's mail program with the fields filled in; every field is percent-encoded, so
// text typed by players can neither end a field nor add a header.
// False when no mail program could be opened.
bool mailTo(const kit::String& address, const kit::String& subject, const kit::String& body);
// The mailto: address mailTo opens.
kit::String makeMailToUrl(const kit::String& address, const kit::String& subject, const kit::String& body);
// Percent-encodes everything but unreserved characters (letters, digits, - . _ ~) and those in keep.
kit::String percentEncode(const kit::String& text, const kit::String& keep = "");
kit::String percentDecode(const kit::String& text);
void checkForUpdates();
kit::String getUpdateVersion();

}  // namespace ventrel::platform
