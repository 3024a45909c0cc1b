// Class names in the system's form. The toolchain's type information renders
// "knfoundation::data::UTF16String"; the system's form puts the class key in
// front of every class type ("class knfoundation::data::UTF16String", "struct"
// for structures), writes template arguments without spaces after commas and
// the anonymous namespace as "`anonymous namespace'". Each name is rendered
// once per type and interned; later requests allocate nothing.
#include "foundation/objects/ClassName.h"

#include <cstdlib>
#include <cstring>
#include <cxxabi.h>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "foundation/objects/IKNType.h"
#include "foundation/text/IKNString.h"

namespace knfoundation {
namespace base {

namespace {

struct CStringHash {
  size_t operator()(const char* text) const {
    size_t hash = 5381;
    for (; *text; ++text)
      hash = hash * 33 + static_cast<unsigned char>(*text);
    return hash;
  }
};
struct CStringEqual {
  bool operator()(const char* a, const char* b) const { return std::strcmp(a, b) == 0; }
};

// Guards both tables. Constant-initialised, so usable during start-up.
std::mutex gNamesLock;

// Mangled name (static text of the type information) -> interned literal.
std::unordered_map<const char*, data::IKNString*, CStringHash, CStringEqual>& Names() {
  static auto* names =
      new std::unordered_map<const char*, data::IKNString*, CStringHash, CStringEqual>();
  return *names;
}

// Qualified names of the foundation's types that are declared as structures.
std::unordered_set<std::string>& StructNames() {
  static auto* structs = new std::unordered_set<std::string>{
      "knfoundation::thread::TLS",
      "knfoundation::thread::TLS::Base",
      "knfoundation::thread::ThreadRecord",
      "knfoundation::data::KNRange",
  };
  return *structs;
}

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(' ');
  if (begin == std::string::npos)
    return std::string();
  size_t end = text.find_last_not_of(' ');
  return text.substr(begin, end - begin + 1);
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

bool IsBuiltinOrValue(const std::string& text) {
  static const char* const kBuiltins[] = {"void",    "bool",     "char",     "signed",  "unsigned",
                                          "short",   "int",      "long",     "float",   "double",
                                          "wchar_t", "char16_t", "char32_t", "__int128"};
  if (text.empty())
    return true;
  char first = text[0];
  if ((first >= '0' && first <= '9') || first == '-' ||
      (first == '(' && text.rfind("(anon", 0) != 0))
    return true;
  size_t end = text.find_first_of(" *&<");
  std::string word = text.substr(0, end);
  for (const char* builtin : kBuiltins)
    if (word == builtin)
      return true;
  return false;
}

std::string Render(const std::string& name);

// One template argument: class types get their key, pointers "class X *".
std::string RenderArgument(const std::string& argument) {
  std::string text = Trim(argument);
  std::string suffix;
  while (!text.empty() && (text.back() == '*' || text.back() == '&')) {
    suffix.insert(suffix.begin(), text.back());
    text.pop_back();
    text = Trim(text);
  }
  std::string qualifiers;
  for (bool stripped = true; stripped;) {
    stripped = false;
    for (const std::string cv : {" const", " volatile"}) {
      if (text.size() > cv.size() && text.compare(text.size() - cv.size(), cv.size(), cv) == 0) {
        qualifiers = cv + qualifiers;
        text.erase(text.size() - cv.size());
        stripped = true;
      }
    }
  }
  std::string rendered = (IsBuiltinOrValue(text) ? text : Render(text)) + qualifiers;
  return suffix.empty() ? rendered : rendered + " " + suffix;
}

// A type name with its class key; template arguments rendered recursively.
std::string Render(const std::string& name) {
  size_t open = std::string::npos;
  int depth = 0;
  std::string base;
  std::string arguments;
  std::string tail;
  // Split "outer<args>tail" at the first top-level '<'.
  for (size_t i = 0; i < name.size(); ++i) {
    char c = name[i];
    if (c == '<') {
      if (depth++ == 0)
        open = i;
    } else if (c == '>') {
      if (--depth == 0 && open != std::string::npos) {
        base = name.substr(0, open);
        std::string inner = name.substr(open + 1, i - open - 1);
        tail = name.substr(i + 1);
        std::string piece;
        int level = 0;
        for (char d : inner) {
          if (d == '<')
            ++level;
          else if (d == '>')
            --level;
          if (d == ',' && level == 0) {
            arguments += RenderArgument(piece) + ",";
            piece.clear();
          } else {
            piece += d;
          }
        }
        arguments += RenderArgument(piece);
        break;
      }
    }
  }
  std::string keyName = open == std::string::npos ? name : base;
  ReplaceAll(keyName, "(anonymous namespace)", "`anonymous namespace'");
  std::string plain = open == std::string::npos ? name : base;
  const char* key = StructNames().count(plain) ? "struct " : "class ";
  if (open == std::string::npos)
    return key + keyName;
  std::string result = key + keyName + "<" + arguments;
  result += result.back() == '>' ? " >" : ">";
  // A member of a template instance ("A<B>::C") keeps its qualification.
  ReplaceAll(tail, "(anonymous namespace)", "`anonymous namespace'");
  return result + tail;
}

}  // namespace

data::IKNString* TypeName(const std::type_info& type) {
  const char* mangled = type.name();
  std::lock_guard<std::mutex> guard(gNamesLock);
  auto found = Names().find(mangled);
  if (found != Names().end())
    return found->second;

  int status = 0;
  char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
  std::string rendered = Render(status == 0 && demangled ? demangled : mangled);
  std::free(demangled);

  // The literal keeps the text for the life of the process.
  char* text = static_cast<char*>(std::malloc(rendered.size() + 1));
  std::memcpy(text, rendered.c_str(), rendered.size() + 1);
  data::IKNString* literal = impl::KNLiteral::Intern(text, static_cast<int32_t>(rendered.size()));
  Names().emplace(mangled, literal);
  return literal;
}

data::IKNString* ClassName(IKNType* object) {
  return object ? TypeName(typeid(*object)) : nullptr;
}

void DeclareStructType(const char* qualifiedName) {
  std::lock_guard<std::mutex> guard(gNamesLock);
  StructNames().insert(qualifiedName);
}

}  // namespace base
}  // namespace knfoundation
