#include "ansi_code_page.h"

#include "platform/text.h"

namespace platform_tests {

// The system's own code page needs nothing held.
struct AnsiCodePage::State {};

AnsiCodePage::AnsiCodePage(unsigned codePage) : codePage_(codePage) {}

AnsiCodePage::~AnsiCodePage() = default;

bool AnsiCodePage::Active() const { return platform::AnsiCodePage() == codePage_; }

}  // namespace platform_tests
