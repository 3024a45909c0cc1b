// The formatter: literal runs are copied, text and object conversions are
// handled here, numeric conversions go one at a time through the runtime's
// bounded formatter into a 256-byte area.
#include "foundation/text/KNFormat.h"

#include <cstring>
#include <cwchar>
#include <typeinfo>

#include "foundation/objects/KNException.h"
#include "foundation/system/FormatIntoBuffer.h"
#include "foundation/text/IKNMutableString.h"
#include "foundation/text/IKNString.h"
#include "foundation/text/MutableString.h"
#include "foundation/text/StringSupport.h"

namespace knfoundation {
namespace {

using data::IKNMutableString;
using data::IKNString;

constexpr int32_t kConversionLimit = 14;
constexpr size_t kNumberArea = 256;
const char kNull[] = "(null)";

// Output staged in a small buffer so that runs reach the string in few
// appends. Whatever was staged is flushed before a failure propagates.
class Output {
 public:
  explicit Output(IKNMutableString* string) : string_(string) {}
  void Put(wchar_t unit) {
    if (staged_ == kSize)
      Flush();
    buffer_[staged_++] = unit;
  }
  void PutBytes(const char* bytes, int32_t count) {
    const auto* in = reinterpret_cast<const uint8_t*>(bytes);
    while (count > 0) {
      if (staged_ == kSize)
        Flush();
      int32_t n = kSize - staged_;
      if (n > count)
        n = count;
      for (int32_t k = 0; k < n; ++k)
        buffer_[staged_ + k] = in[k];
      staged_ += n;
      in += n;
      count -= n;
    }
  }
  void PutUnits(const wchar_t* units, int32_t count) {
    if (count > kSize - staged_) {
      Flush();
      if (count > kSize) {
        string_->Append(units, count);
        return;
      }
    }
    memcpy(buffer_ + staged_, units, static_cast<size_t>(count) * sizeof(wchar_t));
    staged_ += count;
  }
  void PutString(IKNString* string) {
    if (const wchar_t* units = string->Chars()) {
      PutUnits(units, string->Length());
      return;
    }
    if (&typeid(*string) == &typeid(impl::KNLiteral)) {
      auto* literal = static_cast<impl::KNLiteral*>(string);
      PutBytes(literal->Bytes(), literal->ByteLength());
      return;
    }
    Flush();
    string_->Append(string);
  }
  void Flush() {
    if (staged_ > 0) {
      const int32_t n = staged_;
      staged_ = 0;
      string_->Append(buffer_, n);
    }
  }

 private:
  static constexpr int32_t kSize = 256;
  IKNMutableString* string_;
  int32_t staged_ = 0;
  wchar_t buffer_[kSize];
};

// Format readers: 8-bit text read in place, UTF-16 units read in place, or
// any other string through a 64-unit window.
class ByteSource {
 public:
  ByteSource(const char* bytes, int32_t length)
      : bytes_(reinterpret_cast<const uint8_t*>(bytes)), length_(length) {}
  int32_t Length() const { return length_; }
  uint16_t At(int32_t i) const { return bytes_[i]; }
  int32_t FindPercent(int32_t from) const {
    const void* found = memchr(bytes_ + from, '%', static_cast<size_t>(length_ - from));
    return found ? static_cast<int32_t>(static_cast<const uint8_t*>(found) - bytes_) : length_;
  }
  void Copy(Output& out, int32_t from, int32_t to) const {
    out.PutBytes(reinterpret_cast<const char*>(bytes_) + from, to - from);
  }

 private:
  const uint8_t* bytes_;
  int32_t length_;
};

class UnitSource {
 public:
  UnitSource(const wchar_t* units, int32_t length) : units_(units), length_(length) {}
  int32_t Length() const { return length_; }
  uint16_t At(int32_t i) const { return units_[i]; }
  int32_t FindPercent(int32_t from) const {
    while (from < length_ && units_[from] != L'%')
      ++from;
    return from;
  }
  void Copy(Output& out, int32_t from, int32_t to) const { out.PutUnits(units_ + from, to - from); }

 private:
  const wchar_t* units_;
  int32_t length_;
};

class WindowSource {
 public:
  explicit WindowSource(IKNString* string) : reader_(string, 64) {}
  int32_t Length() const { return reader_.Length(); }
  uint16_t At(int32_t i) { return reader_.At(i); }
  int32_t FindPercent(int32_t from) {
    while (from < Length() && reader_.At(from) != L'%')
      ++from;
    return from;
  }
  void Copy(Output& out, int32_t from, int32_t to) {
    for (int32_t i = from; i < to; ++i)
      out.Put(reader_.At(i));
  }

 private:
  impl::UnitReader reader_;
};

enum class ArgumentClass { kInteger, kPointer, kFloat };

// A conversion as written (at most 14 characters) and the
// parts the emitter needs.
struct Conversion {
  char text[16];
  int32_t length = 0;
  int32_t prefixLength = 0;  // "%", flags, width and precision
  bool leftJustify = false;
  int32_t width = -1;
  int32_t precision = -1;
  char letter = 'd';
  ArgumentClass argumentClass = ArgumentClass::kInteger;
  int32_t hCount = 0;
  int32_t lCount = 0;
  bool longLong = false;  // the modifiers contain "ll"
};

[[noreturn]] void Fail(Output& out, const char* message) {
  out.Flush();
  base::KNRaiseIllegalArgument(message);
}

void AppendToConversion(Output& out, Conversion& conversion, uint16_t unit) {
  if (conversion.length >= kConversionLimit)
    Fail(out, "Invalid format spec");
  conversion.text[conversion.length++] = static_cast<char>(unit);
}

inline bool IsDigit(uint16_t unit) {
  return unit >= '0' && unit <= '9';
}

inline int32_t AddDigit(int32_t value, uint16_t digit) {
  const int64_t next = static_cast<int64_t>(value) * 10 + (digit - '0');
  return next > 2147483647 ? 2147483647 : static_cast<int32_t>(next);
}

bool ClassOf(uint16_t letter, ArgumentClass* result) {
  switch (letter) {
    case '@':
    case 'S':
    case 's':
    case 'p':
    case 'n':
      *result = ArgumentClass::kPointer;
      return true;
    case 'c':
    case 'C':
    case 'd':
    case 'i':
    case 'o':
    case 'u':
    case 'x':
    case 'X':
      *result = ArgumentClass::kInteger;
      return true;
    case 'e':
    case 'E':
    case 'f':
    case 'g':
    case 'G':
      *result = ArgumentClass::kFloat;
      return true;
    default:
      return false;
  }
}

// Parses the conversion that starts after a "%" at `i`; returns the
// position after its letter.
template <class Source>
int32_t ParseConversion(Source& source, int32_t i, Output& out, Conversion& conversion) {
  const int32_t n = source.Length();
  AppendToConversion(out, conversion, '%');
  while (i < n) {
    const uint16_t unit = source.At(i);
    if (unit != '-' && unit != ' ' && unit != '#' && unit != '+')
      break;
    AppendToConversion(out, conversion, unit);
    if (unit == '-')
      conversion.leftJustify = true;
    ++i;
  }
  if (i < n && source.At(i) == '*')
    Fail(out, "'*' not supported as field width");
  if (i < n && IsDigit(source.At(i))) {
    conversion.width = 0;
    while (i < n && IsDigit(source.At(i))) {
      AppendToConversion(out, conversion, source.At(i));
      conversion.width = AddDigit(conversion.width, source.At(i));
      ++i;
    }
  }
  if (i < n && source.At(i) == '.') {
    AppendToConversion(out, conversion, '.');
    ++i;
    if (i < n && source.At(i) == '*')
      Fail(out, "'*' not supported as field precision");
    conversion.precision = 0;
    while (i < n && IsDigit(source.At(i))) {
      AppendToConversion(out, conversion, source.At(i));
      conversion.precision = AddDigit(conversion.precision, source.At(i));
      ++i;
    }
  }
  conversion.prefixLength = conversion.length;
  uint16_t previous = 0;
  while (i < n && (source.At(i) == 'h' || source.At(i) == 'l')) {
    const uint16_t unit = source.At(i);
    AppendToConversion(out, conversion, unit);
    if (unit == 'l') {
      ++conversion.lCount;
      if (previous == 'l')
        conversion.longLong = true;
    } else {
      ++conversion.hCount;
    }
    previous = unit;
    ++i;
  }
  if (i >= n || !ClassOf(source.At(i), &conversion.argumentClass))
    Fail(out, "Invalid format spec");
  conversion.letter = static_cast<char>(source.At(i));
  AppendToConversion(out, conversion, source.At(i));
  conversion.text[conversion.length] = 0;
  return i + 1;
}

// The text handed to the runtime: the conversion as written, except that
// length modifiers the runtime would misread for the argument actually passed
// are reduced to one it reads correctly.
void LibraryConversion(const Conversion& conversion, char* text) {
  memcpy(text, conversion.text, static_cast<size_t>(conversion.prefixLength));
  int32_t k = conversion.prefixLength;
  const int32_t modifiers = conversion.length - 1 - conversion.prefixLength;
  if (conversion.argumentClass == ArgumentClass::kInteger) {
    if (conversion.longLong) {
      text[k++] = 'l';
      text[k++] = 'l';
    } else if ((conversion.lCount == 0 && conversion.hCount <= 2) ||
               (conversion.hCount == 0 && conversion.lCount == 1)) {
      memcpy(text + k, conversion.text + conversion.prefixLength, static_cast<size_t>(modifiers));
      k += modifiers;
    }
  } else if (conversion.argumentClass == ArgumentClass::kFloat) {
    if (conversion.hCount == 0 && conversion.lCount == 1)
      text[k++] = 'l';
  }
  text[k++] = conversion.letter;
  text[k] = 0;
}

void PutNumberText(Output& out, const char* area) {
  out.PutBytes(area, static_cast<int32_t>(strlen(area)));
}

void Emit(const Conversion& conversion, Output& out, va_list* arguments) {
  char library[24];
  char area[kNumberArea];
  area[0] = 0;
  switch (conversion.letter) {
    case '@': {
      IKNType* object = va_arg(*arguments, IKNType*);
      IKNString* description = object ? object->Description() : nullptr;
      if (description)
        out.PutString(description);
      else
        out.PutBytes(kNull, 6);
      return;
    }
    case 'S': {
      const wchar_t* units = va_arg(*arguments, const wchar_t*);
      if (units)
        out.PutUnits(units, static_cast<int32_t>(wcslen(units)));
      else
        out.PutBytes(kNull, 6);
      return;
    }
    case 's': {
      const char* bytes = va_arg(*arguments, const char*);
      if (bytes)
        out.PutBytes(bytes, static_cast<int32_t>(strlen(bytes)));
      else
        out.PutBytes(kNull, 6);
      return;
    }
    case 'c':
      out.Put(static_cast<wchar_t>(va_arg(*arguments, int) & 0xFF));
      return;
    case 'C':
      out.Put(static_cast<wchar_t>(va_arg(*arguments, int) & 0xFFFF));
      return;
    case 'n':
      // Recognised and its argument taken, but nothing is written through it
      // and nothing is printed.
      va_arg(*arguments, void*);
      return;
    case 'p': {
      void* pointer = va_arg(*arguments, void*);
      if (!pointer) {
        out.PutBytes(kNull, 6);
        return;
      }
      LibraryConversion(conversion, library);
      system::FormatIntoBuffer(area, kNumberArea, library, pointer);
      PutNumberText(out, area);
      return;
    }
    default:
      break;
  }
  LibraryConversion(conversion, library);
  if (conversion.argumentClass == ArgumentClass::kFloat) {
    system::FormatIntoBuffer(area, kNumberArea, library, va_arg(*arguments, double));
  } else if (conversion.longLong) {
    system::FormatIntoBuffer(area, kNumberArea, library, va_arg(*arguments, long long));
  } else {
    system::FormatIntoBuffer(area, kNumberArea, library, va_arg(*arguments, int));
  }
  PutNumberText(out, area);
}

template <class Source>
void Run(Source& source, Output& out, va_list* arguments) {
  const int32_t n = source.Length();
  int32_t mark = 0;
  int32_t i = 0;
  while (i < n) {
    i = source.FindPercent(i);
    if (i >= n)
      break;
    source.Copy(out, mark, i);
    if (i + 1 >= n) {
      // A "%" that ends the format stands for itself.
      out.Put(L'%');
      mark = n;
      break;
    }
    if (source.At(i + 1) == '%') {
      out.Put(L'%');
      i += 2;
    } else {
      Conversion conversion;
      i = ParseConversion(source, i + 1, out, conversion);
      Emit(conversion, out, arguments);
    }
    mark = i;
  }
  source.Copy(out, mark, n);
  out.Flush();
}

template <class Source>
void Format(IKNMutableString* output, Source& source, va_list arguments) {
  if (!output)
    base::KNRaiseNullPtr();
  Output out(output);
  va_list copy;
  va_copy(copy, arguments);
  try {
    Run(source, out, &copy);
  } catch (...) {
    va_end(copy);
    // What was formatted before the failure stays in the output.
    try {
      out.Flush();
    } catch (...) {
    }
    throw;
  }
  va_end(copy);
}

// A new mutable string that is released unless its text was taken.
class Scratch {
 public:
  Scratch() : string_(data::MutableString::Create(0)) {}
  ~Scratch() { string_->Release(); }
  data::MutableString* Get() const { return string_; }

 private:
  data::MutableString* string_;
};

}  // namespace

void AppendFormat(data::IKNMutableString* output, data::IKNString* format, va_list arguments) {
  if (!format)
    base::KNRaiseNullPtr();
  if (auto* bytes = dynamic_cast<impl::KNASCIIWrapper*>(format)) {
    ByteSource source(bytes->Bytes(), bytes->ByteLength());
    Format(output, source, arguments);
  } else if (const wchar_t* units = format->Chars()) {
    UnitSource source(units, format->Length());
    Format(output, source, arguments);
  } else {
    WindowSource source(format);
    Format(output, source, arguments);
  }
}

void AppendFormatV(data::IKNMutableString* output, const char* format, va_list arguments) {
  if (!format)
    base::KNRaiseNullPtr();
  ByteSource source(format, static_cast<int32_t>(strlen(format)));
  Format(output, source, arguments);
}

void AppendFormat(data::IKNMutableString* output, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  try {
    AppendFormatV(output, format, arguments);
  } catch (...) {
    va_end(arguments);
    throw;
  }
  va_end(arguments);
}

data::IKNString* KNFormatV(const char* format, va_list arguments) {
  Scratch scratch;
  AppendFormatV(scratch.Get(), format, arguments);
  return scratch.Get()->TakeString();
}

data::IKNString* KNFormatString(data::IKNString* format, va_list arguments) {
  Scratch scratch;
  AppendFormat(scratch.Get(), format, arguments);
  return scratch.Get()->TakeString();
}

data::IKNString* KNFormat(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  data::IKNString* result;
  try {
    result = KNFormatV(format, arguments);
  } catch (...) {
    va_end(arguments);
    throw;
  }
  va_end(arguments);
  return result;
}

data::IKNString* KNFormatAutoReleased(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  data::IKNString* result;
  try {
    result = KNFormatV(format, arguments);
  } catch (...) {
    va_end(arguments);
    throw;
  }
  va_end(arguments);
  return KNAutoRelease(result);
}

}  // namespace knfoundation
