#pragma once

namespace System {

// Declares every profile key of the game as a global property with its default, in the order the
// profile file lists them.
void registerProfileGlobals();

// Brings a profile file written by an older version of the game up to date: language reset,
// removal of auto-saves whose format changed, and conversion of the old per-character unlock flags.
// Does nothing without a loaded file. Returns whether anything changed.
bool upgradeProfile();

}  // namespace System
