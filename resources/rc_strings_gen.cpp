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

// --- Dialog templates and images ---------------------------------------------
// With --dialogs the generator writes, instead of the string table, the
// DIALOG and DIALOGEX templates of the script as the emulated dialog
// manager's tables, and the size of every BITMAP and ICON the script names
// (read from the image files, found beside the script). Styles are computed
// as the resource compiler computes them: each statement's default style,
// the given style or'ed in and NOT terms taken out; the Windows style names
// are known here, since <windows.h> is not read.

struct ControlEntry {
  long id = 0;
  std::string className;
  std::string text;
  long imageId = 0;  // a text given as a number names an image resource
  unsigned long style = 0;
  unsigned long exStyle = 0;
  long x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogEntry {
  long id = 0;
  unsigned long style = 0;
  unsigned long exStyle = 0;
  long x = 0, y = 0, cx = 0, cy = 0;
  std::string caption;
  std::string fontName;
  long fontPoints = 0;
  std::vector<ControlEntry> controls;
};

struct ImageEntry {
  long id = 0;
  bool icon = false;
  long width = 0, height = 0, bitsPerPixel = 0;
};

const std::map<std::string, unsigned long>& WindowsNames() {
  static const std::map<std::string, unsigned long> names = {
      {"WS_OVERLAPPED", 0x00000000},  {"WS_POPUP", 0x80000000},      {"WS_CHILD", 0x40000000},
      {"WS_MINIMIZE", 0x20000000},    {"WS_VISIBLE", 0x10000000},    {"WS_DISABLED", 0x08000000},
      {"WS_CLIPSIBLINGS", 0x04000000}, {"WS_CLIPCHILDREN", 0x02000000}, {"WS_MAXIMIZE", 0x01000000},
      {"WS_CAPTION", 0x00C00000},     {"WS_BORDER", 0x00800000},     {"WS_DLGFRAME", 0x00400000},
      {"WS_VSCROLL", 0x00200000},     {"WS_HSCROLL", 0x00100000},    {"WS_SYSMENU", 0x00080000},
      {"WS_THICKFRAME", 0x00040000},  {"WS_GROUP", 0x00020000},      {"WS_TABSTOP", 0x00010000},
      {"WS_MINIMIZEBOX", 0x00020000}, {"WS_MAXIMIZEBOX", 0x00010000},
      {"WS_EX_DLGMODALFRAME", 0x00000001}, {"WS_EX_TOPMOST", 0x00000008}, {"WS_EX_TRANSPARENT", 0x00000020},
      {"WS_EX_CLIENTEDGE", 0x00000200}, {"WS_EX_STATICEDGE", 0x00020000}, {"WS_EX_CONTROLPARENT", 0x00010000},
      {"DS_ABSALIGN", 0x01},          {"DS_SYSMODAL", 0x02},         {"DS_3DLOOK", 0x04},
      {"DS_FIXEDSYS", 0x08},          {"DS_NOFAILCREATE", 0x10},     {"DS_LOCALEDIT", 0x20},
      {"DS_SETFONT", 0x40},           {"DS_MODALFRAME", 0x80},       {"DS_NOIDLEMSG", 0x100},
      {"DS_SETFOREGROUND", 0x200},    {"DS_CONTROL", 0x400},         {"DS_CENTER", 0x800},
      {"DS_CENTERMOUSE", 0x1000},     {"DS_CONTEXTHELP", 0x2000},    {"DS_SHELLFONT", 0x48},
      {"SS_LEFT", 0x0},               {"SS_CENTER", 0x1},            {"SS_RIGHT", 0x2},
      {"SS_ICON", 0x3},               {"SS_BLACKRECT", 0x4},         {"SS_BLACKFRAME", 0x7},
      {"SS_SIMPLE", 0xB},             {"SS_LEFTNOWORDWRAP", 0xC},    {"SS_BITMAP", 0xE},
      {"SS_ETCHEDHORZ", 0x10},        {"SS_ETCHEDVERT", 0x11},       {"SS_ETCHEDFRAME", 0x12},
      {"SS_NOPREFIX", 0x80},          {"SS_NOTIFY", 0x100},          {"SS_CENTERIMAGE", 0x200},
      {"SS_REALSIZEIMAGE", 0x800},    {"SS_SUNKEN", 0x1000},         {"SS_ENDELLIPSIS", 0x4000},
      {"SS_PATHELLIPSIS", 0x8000},
      {"BS_PUSHBUTTON", 0x0},         {"BS_DEFPUSHBUTTON", 0x1},     {"BS_CHECKBOX", 0x2},
      {"BS_AUTOCHECKBOX", 0x3},       {"BS_RADIOBUTTON", 0x4},       {"BS_3STATE", 0x5},
      {"BS_AUTO3STATE", 0x6},         {"BS_GROUPBOX", 0x7},          {"BS_AUTORADIOBUTTON", 0x9},
      {"BS_LEFTTEXT", 0x20},          {"BS_LEFT", 0x100},            {"BS_RIGHT", 0x200},
      {"BS_CENTER", 0x300},           {"BS_TOP", 0x400},             {"BS_BOTTOM", 0x800},
      {"BS_VCENTER", 0xC00},          {"BS_MULTILINE", 0x2000},      {"BS_NOTIFY", 0x4000},
      {"ES_LEFT", 0x0},               {"ES_CENTER", 0x1},            {"ES_RIGHT", 0x2},
      {"ES_MULTILINE", 0x4},          {"ES_UPPERCASE", 0x8},         {"ES_LOWERCASE", 0x10},
      {"ES_PASSWORD", 0x20},          {"ES_AUTOVSCROLL", 0x40},      {"ES_AUTOHSCROLL", 0x80},
      {"ES_NOHIDESEL", 0x100},        {"ES_READONLY", 0x800},        {"ES_WANTRETURN", 0x1000},
      {"ES_NUMBER", 0x2000},
      {"IDOK", 1},                    {"IDCANCEL", 2},               {"IDABORT", 3},
      {"IDRETRY", 4},                 {"IDIGNORE", 5},               {"IDYES", 6},
      {"IDNO", 7},
  };
  return names;
}

constexpr unsigned long kChildVisible = 0x40000000 | 0x10000000;  // WS_CHILD | WS_VISIBLE
constexpr unsigned long kCaptionStyle = 0x00C00000;                // WS_CAPTION
constexpr unsigned long kSetFontStyle = 0x40;                      // DS_SETFONT

// Reads dialog statements from the token list.
class DialogReader {
 public:
  DialogReader(const Script& script, std::size_t start) : script_(script), tokens_(script.tokens()), i_(start) {}

  std::size_t position() const { return i_; }

  const Token& Next() {
    if (i_ >= tokens_.size()) throw Failure{"unexpected end of the script in a dialog"};
    return tokens_[i_++];
  }
  bool AtPunct(const char* p) const {
    return i_ < tokens_.size() && tokens_[i_].kind == Token::Punct && tokens_[i_].text == p;
  }
  bool AtString() const {
    std::string ignored;
    return i_ < tokens_.size() && script_.ExpandText(tokens_[i_], ignored);
  }
  bool SkipPunct(const char* p) {
    if (!AtPunct(p)) return false;
    ++i_;
    return true;
  }
  void ExpectComma() {
    if (!SkipPunct(",")) throw Failure{"',' expected on line " + std::to_string(Line())};
  }
  int Line() const { return i_ < tokens_.size() ? tokens_[i_].line : (tokens_.empty() ? 0 : tokens_.back().line); }

  // A text: string literals and names defined as texts, joined.
  std::string Text() {
    std::string text, piece;
    const int line = Line();
    bool any = false;
    while (i_ < tokens_.size() && script_.ExpandText(tokens_[i_], piece)) {
      text += piece;
      any = true;
      ++i_;
    }
    if (!any) throw Failure{"text expected on line " + std::to_string(line)};
    return text;
  }

  // A numeric expression: terms joined by '|' or '+'; a NOT term is
  // collected in `removed` instead of the value.
  unsigned long Expression(unsigned long* removed = nullptr) {
    unsigned long value = Term(removed);
    while (AtPunct("|") || AtPunct("+")) {
      const bool plus = AtPunct("+");
      ++i_;
      const unsigned long term = Term(removed);
      value = plus ? value + term : value | term;
    }
    return value;
  }
  long Number() { return static_cast<long>(static_cast<int>(Expression())); }

 private:
  unsigned long Term(unsigned long* removed) {
    if (i_ < tokens_.size() && IsKeyword(tokens_[i_], "NOT")) {
      ++i_;
      const unsigned long term = Primary();
      if (removed == nullptr) throw Failure{"NOT outside a style on line " + std::to_string(Line())};
      *removed |= term;
      return 0;
    }
    return Primary();
  }
  unsigned long Primary() {
    if (SkipPunct("(")) {
      const unsigned long value = Expression();
      if (!SkipPunct(")")) throw Failure{"')' expected on line " + std::to_string(Line())};
      return value;
    }
    if (SkipPunct("-")) return 0ul - Primary();
    if (SkipPunct("~")) return ~Primary();
    const Token& t = Next();
    if (t.kind == Token::Word) {
      const auto known = WindowsNames().find(t.text);
      if (known != WindowsNames().end()) return known->second;
    }
    return static_cast<unsigned long>(script_.ResolveId(t));
  }

  const Script& script_;
  const std::vector<Token>& tokens_;
  std::size_t i_;
};

// The control statements the templates use, with the style each has when
// none is given, and the one that a given style is or'ed into (the resource
// compiler drops a text's WS_GROUP and a radio button's WS_TABSTOP then).
struct ControlKind {
  const char* keyword;
  const char* className;
  unsigned long defaultStyle;
  unsigned long baseStyle;
  bool hasText;
};
constexpr unsigned long kGroup = 0x00020000, kTabStop = 0x00010000, kBorder = 0x00800000;
const ControlKind kControlKinds[] = {
    {"LTEXT", "Static", 0x0 | kGroup, 0x0, true},  // SS_LEFT
    {"CTEXT", "Static", 0x1 | kGroup, 0x1, true},  // SS_CENTER
    {"RTEXT", "Static", 0x2 | kGroup, 0x2, true},  // SS_RIGHT
    {"PUSHBUTTON", "Button", 0x0 | kTabStop, 0x0 | kTabStop, true},
    {"DEFPUSHBUTTON", "Button", 0x1 | kTabStop, 0x1 | kTabStop, true},
    {"AUTOCHECKBOX", "Button", 0x3 | kTabStop, 0x3 | kTabStop, true},
    {"AUTORADIOBUTTON", "Button", 0x9 | kTabStop, 0x9, true},
    {"GROUPBOX", "Button", 0x7, 0x7, true},
    {"EDITTEXT", "Edit", kBorder | kTabStop, kBorder | kTabStop, false},  // ES_LEFT
};

ControlEntry ReadControl(DialogReader& reader, const Token& keyword, bool extended) {
  ControlEntry control;
  if (IsKeyword(keyword, "CONTROL")) {
    // CONTROL text, id, class, style, x, y, cx, cy [, exstyle [, helpid]];
    // the text is a string, or a number naming an image resource.
    if (reader.AtString()) {
      control.text = reader.Text();
    } else {
      control.imageId = reader.Number();
    }
    reader.ExpectComma();
    control.id = reader.Number();
    reader.ExpectComma();
    control.className = reader.Text();
    reader.ExpectComma();
    unsigned long removed = 0;
    const unsigned long given = reader.Expression(&removed);
    control.style = (kChildVisible | given) & ~removed;
    reader.ExpectComma();
    control.x = reader.Number();
    reader.ExpectComma();
    control.y = reader.Number();
    reader.ExpectComma();
    control.cx = reader.Number();
    reader.ExpectComma();
    control.cy = reader.Number();
    if (reader.SkipPunct(",")) {
      control.exStyle = reader.Expression();
      if (extended && reader.SkipPunct(",")) reader.Number();
    }
    return control;
  }
  for (const ControlKind& kind : kControlKinds) {
    if (!IsKeyword(keyword, kind.keyword)) continue;
    control.className = kind.className;
    if (kind.hasText) {
      control.text = reader.Text();
      reader.ExpectComma();
    }
    control.id = reader.Number();
    reader.ExpectComma();
    control.x = reader.Number();
    reader.ExpectComma();
    control.y = reader.Number();
    reader.ExpectComma();
    control.cx = reader.Number();
    reader.ExpectComma();
    control.cy = reader.Number();
    control.style = kChildVisible | kind.defaultStyle;
    if (reader.SkipPunct(",")) {
      unsigned long removed = 0;
      const unsigned long given = reader.Expression(&removed);
      control.style = (kChildVisible | kind.baseStyle | given) & ~removed;
      if (reader.SkipPunct(",")) control.exStyle = reader.Expression();
    }
    return control;
  }
  throw Failure{"unknown control statement '" + keyword.text + "' on line " + std::to_string(keyword.line)};
}

DialogEntry ReadDialog(const Script& script, std::size_t& i, long id, bool extended) {
  DialogReader reader(script, i);
  DialogEntry dialog;
  dialog.id = id;
  dialog.style = 0x80000000 | 0x00800000 | 0x00080000;  // WS_POPUP | WS_BORDER | WS_SYSMENU
  dialog.x = reader.Number();
  reader.ExpectComma();
  dialog.y = reader.Number();
  reader.ExpectComma();
  dialog.cx = reader.Number();
  reader.ExpectComma();
  dialog.cy = reader.Number();
  if (extended && reader.SkipPunct(",")) reader.Number();  // help id
  bool captioned = false, font = false;
  for (;;) {
    const Token& t = reader.Next();
    if (IsBlockStart(t)) break;
    if (IsKeyword(t, "STYLE")) {
      unsigned long removed = 0;
      dialog.style = reader.Expression(&removed) & ~removed;
    } else if (IsKeyword(t, "EXSTYLE")) {
      dialog.exStyle = reader.Expression();
    } else if (IsKeyword(t, "CAPTION")) {
      dialog.caption = reader.Text();
      captioned = true;
    } else if (IsKeyword(t, "FONT")) {
      dialog.fontPoints = reader.Number();
      reader.ExpectComma();
      dialog.fontName = reader.Text();
      for (int extra = 0; extra < 3 && reader.SkipPunct(","); ++extra) reader.Number();  // weight, italic, charset
      font = true;
    } else if (IsKeyword(t, "LANGUAGE")) {
      reader.Number();
      reader.ExpectComma();
      reader.Number();
    } else if (IsKeyword(t, "VERSION") || IsKeyword(t, "CHARACTERISTICS")) {
      reader.Number();
    } else {
      throw Failure{"unknown dialog statement '" + t.text + "' on line " + std::to_string(t.line)};
    }
  }
  if (captioned) dialog.style |= kCaptionStyle;
  if (font) dialog.style |= kSetFontStyle;
  for (;;) {
    const Token& t = reader.Next();
    if (IsBlockEnd(t)) break;
    dialog.controls.push_back(ReadControl(reader, t, extended));
  }
  i = reader.position();
  return dialog;
}

unsigned long LittleEndian(const std::string& bytes, std::size_t at, int size) {
  unsigned long value = 0;
  for (int k = size - 1; k >= 0; --k) value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(k)]);
  return value;
}

ImageEntry ReadImage(long id, bool icon, const std::string& path) {
  bool ok = false;
  const std::string bytes = ReadFile(path, ok);
  if (!ok) throw Failure{"cannot read " + path};
  ImageEntry image;
  image.id = id;
  image.icon = icon;
  if (icon) {
    // ICONDIR, then the first ICONDIRENTRY: width, height (0 means 256), colours, ..., bit count.
    if (bytes.size() < 22 || LittleEndian(bytes, 2, 2) != 1 || LittleEndian(bytes, 4, 2) == 0) {
      throw Failure{path + " is not an icon file"};
    }
    image.width = bytes[6] == 0 ? 256 : static_cast<unsigned char>(bytes[6]);
    image.height = bytes[7] == 0 ? 256 : static_cast<unsigned char>(bytes[7]);
    image.bitsPerPixel = static_cast<long>(LittleEndian(bytes, 12, 2));
  } else {
    // BITMAPFILEHEADER, then BITMAPINFOHEADER.
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') throw Failure{path + " is not a bitmap file"};
    image.width = static_cast<long>(static_cast<int>(LittleEndian(bytes, 18, 4)));
    const long height = static_cast<long>(static_cast<int>(LittleEndian(bytes, 22, 4)));
    image.height = height < 0 ? -height : height;
    image.bitsPerPixel = static_cast<long>(LittleEndian(bytes, 28, 2));
  }
  return image;
}

void CollectDialogs(const Script& script, const std::string& folder, std::vector<DialogEntry>& dialogs,
                    std::vector<ImageEntry>& images) {
  const std::vector<Token>& tokens = script.tokens();
  for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
    const Token& name = tokens[i];
    const Token& kind = tokens[i + 1];
    if (name.kind != Token::Number && name.kind != Token::Word) continue;
    const bool dialog = IsKeyword(kind, "DIALOGEX") || IsKeyword(kind, "DIALOG");
    const bool image = IsKeyword(kind, "BITMAP") || IsKeyword(kind, "ICON");
    if (!dialog && !image) continue;
    if (name.kind == Token::Word && IsKeyword(name, "CONTROL")) continue;  // not a resource
    const long id = script.ResolveId(name);
    std::size_t at = i + 2;
    if (dialog) {
      dialogs.push_back(ReadDialog(script, at, id, IsKeyword(kind, "DIALOGEX")));
    } else {
      if (at >= tokens.size() || tokens[at].kind != Token::String) {
        throw Failure{"file name expected on line " + std::to_string(kind.line)};
      }
      images.push_back(ReadImage(id, IsKeyword(kind, "ICON"), folder + tokens[at].text));
      ++at;
    }
    i = at - 1;
  }
}

int WriteDialogTables(const std::string& scriptPath, const std::string& outputPath) {
  Script script;
  script.Load(scriptPath, 0);
  std::vector<DialogEntry> dialogs;
  std::vector<ImageEntry> images;
  CollectDialogs(script, FolderOf(scriptPath), dialogs, images);

  std::ostringstream out;
  out << "// Generated from the resource script's dialogs and images; edit the script instead.\n"
         "#include <cstddef>\n\n"
         "#include \"platform/emulated/machine/dialog_template.h\"\n\n"
         "namespace {\n\n";
  for (const DialogEntry& d : dialogs) {
    out << "const emu::ControlTemplate kControls" << d.id << "[] = {\n";
    for (const ControlEntry& c : d.controls) {
      out << "    {" << c.id << ", " << CppLiteral(c.className) << ", " << CppLiteral(c.text) << ", " << c.imageId
          << "u, 0x" << std::hex << c.style << "u, 0x" << c.exStyle << std::dec << "u, " << c.x << ", " << c.y
          << ", " << c.cx << ", " << c.cy << "},\n";
    }
    if (d.controls.empty()) out << "    {0, \"\", \"\", 0u, 0u, 0u, 0, 0, 0, 0},\n";
    out << "};\n\n";
  }
  out << "}  // namespace\n\nextern const emu::DialogTemplate kPtvDialogTemplates[] = {\n";
  for (const DialogEntry& d : dialogs) {
    out << "    {" << d.id << "u, 0x" << std::hex << d.style << "u, 0x" << d.exStyle << std::dec << "u, " << d.x
        << ", " << d.y << ", " << d.cx << ", " << d.cy << ", " << CppLiteral(d.caption) << ", "
        << CppLiteral(d.fontName) << ", " << d.fontPoints << ", kControls" << d.id << ", " << d.controls.size()
        << "},\n";
  }
  if (dialogs.empty()) out << "    {0u, 0u, 0u, 0, 0, 0, 0, \"\", \"\", 0, nullptr, 0},\n";
  out << "};\nextern const std::size_t kPtvDialogCount = " << dialogs.size() << ";\n\n";
  out << "extern const emu::ImageResource kPtvImages[] = {\n";
  for (const ImageEntry& image : images) {
    out << "    {" << image.id << "u, " << (image.icon ? "true" : "false") << ", " << image.width << ", "
        << image.height << ", " << image.bitsPerPixel << "},\n";
  }
  if (images.empty()) out << "    {0u, false, 0, 0, 0},\n";
  out << "};\nextern const std::size_t kPtvImageCount = " << images.size() << ";\n";

  std::ofstream file(outputPath, std::ios::binary);
  file << out.str();
  if (!file) throw Failure{"cannot write " + outputPath};
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--dialogs") {
    try {
      return WriteDialogTables(argv[2], argv[3]);
    } catch (const Failure& failure) {
      std::cerr << argv[2] << ": " << failure.message << "\n";
      return 1;
    }
  }
  if (argc != 3) {
    std::cerr << "usage: rc_strings_gen <script.rc> <output.cpp>\n"
                 "       rc_strings_gen --dialogs <script.rc> <output.cpp>\n";
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
