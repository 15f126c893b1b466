#pragma once
// The welcome page's version line, formatted from the template text of its
// control: the %d fields take the major, minor and release numbers in turn,
// the %s field the beta suffix ("Beta 3", or nothing in a released build).
// printf's rules for the fields (%02d pads with zeros), but a field that
// does not fit its value prints the value as it is rather than reading what
// is not there.
#include <string>

#include "state/setup_state.h"

std::string BetaSuffix(const ProductVersion& version);
std::string FormatVersionLine(const std::string& pattern, const ProductVersion& version);
