// Turns the STRINGTABLE blocks of a resource script into C++ so that builds
// without a resource compiler can load the same strings:
//   rc_strings_gen <script.rc> <output.cpp>
// Ids may be numbers or names #defined in the script or in the files it
// includes with quotes. A text may be made of several literals and names
// #defined as literals, which are joined as the preprocessor and the
// resource compiler join them. String escapes follow the resource compiler:
// "" and \" give a double quote; \n, \r, \t, \\, octal \ooo and hex \xhh.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Token {
  enum Kind { Word, Number, String, Punct } kind;
  std::string text;  // a string token holds its decoded bytes
  int line;
};

struct Failure {
  std::string message;
};

std::string ReadFile(const std::string& path, bool& ok) {
  std::ifstream in(path, std::ios::binary);
  ok = static_cast<bool>(in);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool ParseNumber(const std::string& text, long& value) {
  std::string digits = text;
  while (!digits.empty() && (digits.back() == 'L' || digits.back() == 'l' || digits.back() == 'U' ||
                             digits.back() == 'u')) {
    digits.pop_back();
  }
  if (digits.empty()) return false;
  char* end = nullptr;
  value = std::strtol(digits.c_str(), &end, 0);
  return *end == '\0';
}

// Decodes the body of a string literal that starts after its opening quote;
// `i` ends after the closing quote.
std::string DecodeString(const std::string& src, std::size_t& i, int line) {
  std::string out;
  while (true) {
    if (i >= src.size() || src[i] == '\n') throw Failure{"unterminated string on line " + std::to_string(line)};
    const char c = src[i++];
    if (c == '"') {
      if (i < src.size() && src[i] == '"') {  // "" inside a string
        out.push_back('"');
        ++i;
        continue;
      }
      return out;
    }
    if (c != '\\' || i >= src.size()) {
      out.push_back(c);
      continue;
    }
    const char e = src[i++];
    switch (e) {
      case 'n': out.push_back('\n'); break;
      case 'r': out.push_back('\r'); break;
      case 't': out.push_back('\t'); break;
      case '\\': out.push_back('\\'); break;
      case '"': out.push_back('"'); break;
      case 'x': {
        int value = 0, count = 0;
        while (count < 2 && i < src.size() && std::isxdigit(static_cast<unsigned char>(src[i]))) {
          const char h = static_cast<char>(std::tolower(static_cast<unsigned char>(src[i++])));
          value = value * 16 + (h <= '9' ? h - '0' : h - 'a' + 10);
          ++count;
        }
        if (count == 0) {
          out += "\\x";
        } else {
          out.push_back(static_cast<char>(value));
        }
        break;
      }
      default:
        if (e >= '0' && e <= '7') {
          int value = e - '0', count = 1;
          while (count < 3 && i < src.size() && src[i] >= '0' && src[i] <= '7') {
            value = value * 8 + (src[i++] - '0');
            ++count;
          }
          out.push_back(static_cast<char>(value));
        } else {  // not an escape: both characters stay
          out.push_back('\\');
          out.push_back(e);
        }
    }
  }
}

class Script {
 public:
  // Reads a file: its preprocessor lines feed the defines, the rest becomes tokens.
  void Load(const std::string& path, int depth) {
    if (depth > 8) throw Failure{"includes nested too deeply at " + path};
    bool ok = false;
    const std::string src = ReadFile(path, ok);
    if (!ok) throw Failure{"cannot read " + path};
    Tokenize(src, FolderOf(path), depth);
  }

  const std::vector<Token>& tokens() const { return tokens_; }

  long ResolveId(const Token& token) const {
    long value = 0;
    if (token.kind == Token::Number && ParseNumber(token.text, value)) return value;
    if (token.kind == Token::Word) {
      auto found = defines_.find(token.text);
      for (int hops = 0; found != defines_.end() && hops < 16; ++hops) {
        if (ParseNumber(found->second, value)) return value;
        found = defines_.find(found->second);
      }
    }
    throw Failure{"unknown string id '" + token.text + "' on line " + std::to_string(token.line)};
  }

 private:
  void Directive(const std::string& text, const std::string& folder, int depth) {
    std::istringstream in(text);
    std::string keyword;
    in >> keyword;
    if (keyword == "define") {
      std::string name, value;
      in >> name;
      std::getline(in, value);
      std::string cleaned;
      for (char c : value) {
        if (!std::isspace(static_cast<unsigned char>(c)) && c != '(' && c != ')') cleaned.push_back(c);
      }
      const std::size_t comment = cleaned.find("//");
      if (comment != std::string::npos) cleaned.resize(comment);
      if (!name.empty() && name.find('(') == std::string::npos) {
        defines_[name] = cleaned;
        textDefines_[name] = value;  // its comments are dropped when it is read as text
      }
    } else if (keyword == "include") {
      std::string rest;
      std::getline(in, rest);
      const std::size_t open = rest.find('"');
      const std::size_t close = open == std::string::npos ? open : rest.find('"', open + 1);
      if (close == std::string::npos) return;  // <system> headers hold no string ids of ours
      const std::string name = rest.substr(open + 1, close - open - 1);
      bool ok = false;
      ReadFile(folder + name, ok);
      if (ok) Load(folder + name, depth + 1);
    }
  }

  void Tokenize(const std::string& src, const std::string& folder, int depth) {
    std::size_t i = 0;
    int line = 1;
    bool lineStart = true;
    while (i < src.size()) {
      const char c = src[i];
      if (c == '\n') {
        ++line;
        lineStart = true;
        ++i;
        continue;
      }
      if (std::isspace(static_cast<unsigned char>(c))) {
        ++i;
        continue;
      }
      if (c == '#' && lineStart) {
        const std::size_t end = src.find('\n', i);
        const std::string text = src.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
        Directive(text, folder, depth);
        i = end == std::string::npos ? src.size() : end;
        continue;
      }
      lineStart = false;
      if (c == '/' && i + 1 < src.size() && src[i + 1] == '/') {
        const std::size_t end = src.find('\n', i);
        i = end == std::string::npos ? src.size() : end;
        continue;
      }
      if (c == '/' && i + 1 < src.size() && src[i + 1] == '*') {
        const std::size_t end = src.find("*/", i + 2);
        if (end == std::string::npos) throw Failure{"unterminated comment on line " + std::to_string(line)};
        for (std::size_t k = i; k < end; ++k) line += src[k] == '\n';
        i = end + 2;
        continue;
      }
      if (c == '"' || (c == 'L' && i + 1 < src.size() && src[i + 1] == '"')) {  // L"..." is stored alike
        i += c == 'L' ? 2 : 1;
        tokens_.push_back({Token::String, DecodeString(src, i, line), line});
        continue;
      }
      if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
        const std::size_t start = i;
        while (i < src.size() && (std::isalnum(static_cast<unsigned char>(src[i])) || src[i] == '_')) ++i;
        const std::string word = src.substr(start, i - start);
        tokens_.push_back({std::isdigit(static_cast<unsigned char>(c)) ? Token::Number : Token::Word, word, line});
        continue;
      }
      tokens_.push_back({Token::Punct, std::string(1, c), line});
      ++i;
    }
  }

  std::vector<Token> tokens_;
  std::map<std::string, std::string> defines_;
  std::map<std::string, std::string> textDefines_;  // the definitions as written

 public:
  // The text a string literal or a name #defined as literals stands for;
  // false when the token is neither.
  bool ExpandText(const Token& token, std::string& text, int depth = 0) const {
    if (token.kind == Token::String) {
      text = token.text;
      return true;
    }
    if (token.kind != Token::Word || depth > 16) return false;
    const auto found = textDefines_.find(token.text);
    if (found == textDefines_.end()) return false;
    Script body;
    body.Tokenize(found->second, "", 0);
    if (body.tokens_.empty()) return false;
    text.clear();
    for (const Token& part : body.tokens_) {
      std::string piece;
      if (!ExpandText(part, piece, depth + 1)) return false;
      text += piece;
    }
    return true;
  }
};

bool IsKeyword(const Token& token, const char* word) {
  if (token.kind != Token::Word) return false;
  std::string upper;
  for (char c : token.text) upper.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  return upper == word;
}

bool IsBlockStart(const Token& t) { return IsKeyword(t, "BEGIN") || (t.kind == Token::Punct && t.text == "{"); }
bool IsBlockEnd(const Token& t) { return IsKeyword(t, "END") || (t.kind == Token::Punct && t.text == "}"); }

std::map<long, std::string> CollectStrings(const Script& script) {
  std::map<long, std::string> table;
  const std::vector<Token>& tokens = script.tokens();
  std::size_t i = 0;
  while (i < tokens.size()) {
    if (!IsKeyword(tokens[i++], "STRINGTABLE")) continue;
    // Memory flags and LANGUAGE/VERSION/CHARACTERISTICS statements come before the block.
    while (i < tokens.size() && !IsBlockStart(tokens[i])) ++i;
    if (i == tokens.size()) throw Failure{"STRINGTABLE without BEGIN"};
    ++i;
    while (i < tokens.size() && !IsBlockEnd(tokens[i])) {
      const Token& idToken = tokens[i++];
      const long id = script.ResolveId(idToken);
      if (i < tokens.size() && tokens[i].kind == Token::Punct && tokens[i].text == ",") ++i;
      std::string text;
      std::string piece;
      bool any = false;
      // Literals and text names up to the next id; an id is a number or a
      // name that is no text.
      while (i < tokens.size() && !IsBlockEnd(tokens[i]) && script.ExpandText(tokens[i], piece)) {
        text += piece;
        any = true;
        ++i;
      }
      if (!any) {
        throw Failure{"string expected after id " + std::to_string(id) + " on line " + std::to_string(idToken.line)};
      }
      if (id < 0 || id > 65535) throw Failure{"string id out of range: " + std::to_string(id)};
      if (!table.emplace(id, text).second) throw Failure{"string id used twice: " + std::to_string(id)};
    }
    if (i == tokens.size()) throw Failure{"STRINGTABLE without END"};
    ++i;
  }
  return table;
}

// A C++ literal for any bytes: everything but plain printable ASCII goes
// octal, and '?' too so that no trigraph can form.
std::string CppLiteral(const std::string& bytes) {
  std::string out = "\"";
  for (char c : bytes) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u >= 0x7f || c == '"' || c == '\\' || c == '?') {
      char code[8];
      std::snprintf(code, sizeof code, "\\%03o", u);
      out += code;
    } else {
      out.push_back(c);
    }
  }
  return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: rc_strings_gen <script.rc> <output.cpp>\n";
    return 2;
  }
  try {
    Script script;
    script.Load(argv[1], 0);
    const std::map<long, std::string> table = CollectStrings(script);

    std::ostringstream out;
    out << "// Generated from the resource script's string table; edit the script instead.\n"
           "#include <cstddef>\n\n"
           "struct PtvStringEntry { unsigned id; const char* text; };\n\n"
           "extern const PtvStringEntry kPtvStringTable[] = {\n";
    for (const auto& entry : table) out << "    {" << entry.first << "u, " << CppLiteral(entry.second) << "},\n";
    if (table.empty()) out << "    {0u, nullptr},\n";
    out << "};\n\nextern const std::size_t kPtvStringCount = " << table.size() << ";\n";

    std::ofstream file(argv[2], std::ios::binary);
    file << out.str();
    if (!file) throw Failure{std::string("cannot write ") + argv[2]};
  } catch (const Failure& failure) {
    std::cerr << argv[1] << ": " << failure.message << "\n";
    return 1;
  }
  return 0;
}
