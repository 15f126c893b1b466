#pragma once
// What the setup does once the product is installed: which page of the
// product web site it opens, and how it starts the product.
#include <cstdint>
#include <string>

#include "state/setup_state.h"

// A version as one number: major × 1000000 + minor × 10000 + release × 100
// + beta, in 32-bit unsigned arithmetic.
std::uint32_t VersionNumber(const ProductVersion& version);

// The query of the first line of an internet-shortcut file that begins with
// "URL=http://": from its first "?" to the end of the line, without the
// line break; "" when that line has none or no line begins so. `content`
// is the file's bytes; lines are read as text in 260-byte pieces.
std::string HomePageQuery(const std::string& content);

// The page opened after an upgrade, or after a new installation with the
// query of its HomePage.url.
std::string PostInstallationPage(bool upgrade, const std::string& query);

// The command line that starts the installed product: its program path in
// quotes, so that a blank in the folder can't make another program run.
std::string ProductCommandLine(const std::string& installFolder);
