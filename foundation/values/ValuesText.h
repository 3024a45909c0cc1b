// Assembles the descriptions of lists and maps: formatted pieces appended to
// one mutable string, handed out as an autoreleased immutable string.
//
// A stack object of one thread; releases its buffer string when it goes, also
// when an exception unwinds.
#pragma once

namespace knfoundation {
namespace data {
class IKNString;
class IKNMutableString;
}  // namespace data

namespace impl {

class KNDescriptionBuilder {
 public:
  KNDescriptionBuilder();
  ~KNDescriptionBuilder();
  KNDescriptionBuilder(const KNDescriptionBuilder&) = delete;
  KNDescriptionBuilder& operator=(const KNDescriptionBuilder&) = delete;

  // Appends the text of `format` (the formatter's language) with its
  // arguments.
  void Append(const char* format, ...);
  // The text so far as a new autoreleased string; the builder is left empty.
  data::IKNString* TakeAutoReleased();

 private:
  data::IKNMutableString* text_;  // owned
};

}  // namespace impl
}  // namespace knfoundation
