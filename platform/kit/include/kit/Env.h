#pragma once

#include "kit/Types.h"

namespace kit {

// The variable's value, or "" when it is not set.
String getEnv(const String& name);
bool hasEnv(const String& name);
void setEnv(const String& name, const String& value);
void unsetEnv(const String& name);

}  // namespace kit
