#include "app/post_installation.h"

#include "install/product_addresses.h"

namespace {
// The pieces the file is read in, terminator included.
constexpr std::size_t kLineBufferSize = 260;
const char kUrlPrefix[] = "URL=http://";
}  // namespace

std::uint32_t VersionNumber(const ProductVersion& version) {
  return static_cast<std::uint32_t>(version.major) * 1000000u + static_cast<std::uint32_t>(version.minor) * 10000u +
         static_cast<std::uint32_t>(version.release) * 100u + static_cast<std::uint32_t>(version.beta);
}

std::string HomePageQuery(const std::string& content) {
  // Read as text: CR LF arrives as LF and Ctrl-Z ends the text.
  std::string text;
  for (std::size_t i = 0; i < content.size(); ++i) {
    if (content[i] == '\x1a') break;
    if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n') continue;
    text.push_back(content[i]);
  }
  std::size_t position = 0;
  while (position < text.size()) {
    std::string piece;
    while (position < text.size() && piece.size() < kLineBufferSize - 1) {
      const char c = text[position++];
      piece.push_back(c);
      if (c == '\n') break;
    }
    const std::size_t zero = piece.find('\0');
    if (zero != std::string::npos) piece.resize(zero);
    if (piece.compare(0, sizeof kUrlPrefix - 1, kUrlPrefix) != 0) continue;
    if (!piece.empty() && piece.back() == '\n') piece.pop_back();
    const std::size_t question = piece.find('?');
    return question == std::string::npos ? std::string() : piece.substr(question);
  }
  return std::string();
}

std::string PostInstallationPage(bool upgrade, const std::string& query) {
  if (upgrade || query.empty()) return kInstalledPage;
  return kInstallScriptPage + query;
}

std::string ProductCommandLine(const std::string& installFolder) {
  return "\"" + installFolder + "\\Ptav6.exe\"";
}
