// Assembles the descriptions of lists and maps: formatted pieces appended to
// one growing text, handed out as an autoreleased string.
//
// A stack object of one thread; frees its buffer when it goes, also when an
// exception unwinds.
#pragma once

#include <cstdint>

namespace knfoundation {
namespace data {
class IKNString;
}

namespace impl {

class KNDescriptionBuilder {
 public:
  KNDescriptionBuilder() = default;
  ~KNDescriptionBuilder();
  KNDescriptionBuilder(const KNDescriptionBuilder&) = delete;
  KNDescriptionBuilder& operator=(const KNDescriptionBuilder&) = delete;

  // Appends the text of `format` (the formatter's language) with its
  // arguments.
  void Append(const char* format, ...);
  // The text so far as a new autoreleased string.
  data::IKNString* TakeAutoReleased();

 private:
  wchar_t* units_ = nullptr;
  int32_t length_ = 0;
  int32_t capacity_ = 0;
};

}  // namespace impl
}  // namespace knfoundation
