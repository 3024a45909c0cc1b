// The literal factory: one immortal `KNLiteral` per content, kept in an
// ordered set (shorter texts first, then bytes as unsigned values) under the
// literal lock. Literals live until process exit; any thread may intern.
#include <cstring>
#include <mutex>
#include <set>

#include "foundation/text/IKNString.h"

namespace knfoundation {
namespace impl {
namespace {

struct LiteralKey {
  const char* text;
  int32_t length;
};

struct LiteralOrder {
  using is_transparent = void;
  static bool Less(const char* a, int32_t al, const char* b, int32_t bl) {
    if (al != bl)
      return al < bl;
    return memcmp(a, b, static_cast<size_t>(al)) < 0;
  }
  bool operator()(KNLiteral* a, KNLiteral* b) const {
    return Less(a->Bytes(), a->ByteLength(), b->Bytes(), b->ByteLength());
  }
  bool operator()(KNLiteral* a, const LiteralKey& b) const {
    return Less(a->Bytes(), a->ByteLength(), b.text, b.length);
  }
  bool operator()(const LiteralKey& a, KNLiteral* b) const {
    return Less(a.text, a.length, b->Bytes(), b->ByteLength());
  }
};

// The literal lock: constant-initialised, so it is usable from any static
// initialiser or destructor.
std::mutex gLiteralLock;

}  // namespace

// Owner of the set; the literals and the set are never freed, so literals
// stay valid for static destructors that run at exit.
class KNLiteralSet {
 public:
  static KNLiteral* Find(const char* text, int32_t length, bool zeroTerminated) {
    std::lock_guard<std::mutex> guard(gLiteralLock);
    static auto* literals = new std::set<KNLiteral*, LiteralOrder>();
    auto found = literals->find(LiteralKey{text, length});
    if (found != literals->end())
      return *found;
    auto* literal = new KNLiteral(text, length, zeroTerminated);
    literals->insert(literal);
    return literal;
  }

  static KNLiteral* Empty() {
    static KNLiteral* empty = new KNLiteral("", 0, true);
    return empty;
  }
};

data::IKNString* KNLiteral::Intern(const char* text, int32_t length, bool zeroTerminated) {
  if (length <= 0)
    return KNLiteralSet::Empty();
  return KNLiteralSet::Find(text, length, zeroTerminated);
}

data::IKNString* KNLiteral::Intern(const char* text, int32_t length) {
  return Intern(text, length, false);
}

data::IKNString* KNLiteral::Intern(const char* textZ) {
  if (!textZ)
    return KNLiteralSet::Empty();
  return Intern(textZ, static_cast<int32_t>(strlen(textZ)), true);
}

int32_t KNLiteral::RetainCount() {
  return kKNImmortalCount;
}

IKNType* KNLiteral::Retain() {
  return this;
}

void KNLiteral::Release() {}

IKNType* KNLiteral::AutoRelease() {
  return this;
}

data::IKNString* KNLiteral::Description() {
  return this;
}

data::IKNString* KNLiteral::Copy() {
  return this;
}

}  // namespace impl
}  // namespace knfoundation
