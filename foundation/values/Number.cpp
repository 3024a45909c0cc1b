// The number classes, their shared equality and hash, and the factories.
#include "foundation/values/Number.h"

#include <cmath>
#include <cstring>
#include <new>
#include <typeinfo>

#include "foundation/objects/KNStartupOrder.h"
#include "foundation/system/FormatIntoBuffer.h"
#include "foundation/text/IKNEncoding.h"
#include "foundation/text/IKNString.h"

namespace knfoundation {
namespace data {

namespace {
constexpr int kStaticCount = Int::kLastStatic - Int::kFirstStatic + 1;

// The immortal instances -1 to 9. They are built in place once and never
// destroyed, so that collections released late during process exit (by
// start-up objects of lower rank, torn down after this one) can still release
// them.
Int* const* SmallInts() {
  alignas(Int) static unsigned char storage[kStaticCount][sizeof(Int)];
  static Int* table[kStaticCount];
  static const bool made = [] {
    for (int i = 0; i < kStaticCount; ++i)
      table[i] = new (storage[i]) Int(Int::kFirstStatic + i, 0);
    return true;
  }();
  (void)made;
  return table;
}

// Makes them during static initialisation, at their rank.
struct SmallIntsAtStartup {
  SmallIntsAtStartup() { SmallInts(); }
} gSmallIntsAtStartup KN_STARTUP(kKNStartupSmallInts);

bool IsStatic(int64_t value) {
  return value >= Int::kFirstStatic && value <= Int::kLastStatic;
}

// A number printed with a C format into 32 bytes, as an autoreleased string.
template <class T>
IKNString* Print(const char* format, T value) {
  char buffer[32];
  int32_t length = system::FormatIntoBuffer(buffer, sizeof buffer, format, value);
  if (length < 0)
    length = static_cast<int32_t>(std::strlen(buffer));  // cut: the part that fitted
  return KNStringFromBytes(buffer, length, util::ASCIIEncoding());
}

// Truncation toward zero that stays defined for NaN (0) and out-of-range
// values (clamped).
int64_t TruncateToLong(double value) {
  if (std::isnan(value))
    return 0;
  if (value >= 9223372036854775807.0)
    return INT64_MAX;
  if (value <= -9223372036854775808.0)
    return INT64_MIN;
  return static_cast<int64_t>(value);
}
}  // namespace

bool KNNumberIsEqual(IKNNumber* self, IKNType* other) {
  if (other == self)
    return true;
  IKNNumber* number = dynamic_cast<IKNNumber*>(other);
  if (!number)
    return false;
  if (self->IsFloat() || number->IsFloat()) {
    double a = self->DoubleValue();
    double b = number->DoubleValue();
    return (std::isnan(a) && std::isnan(b)) || a == b;
  }
  return self->LongValue() == number->LongValue();
}

// The fractional rule: floor w, i = w mod 4294967295, f = (x - w) *
// -4294967295, both truncated, hash = low 32 bits of i - f. An integral value
// that an `Int` can equal hashes as that `Int` (the low 32 bits of its
// magnitude); below 4294967295 both rules agree. Non-finite values hash to 0.
uint32_t KNDoubleHash(double value) {
  if (!std::isfinite(value))
    return 0;
  double x = std::fabs(value);
  double w = std::floor(x);
  if (x == w && x <= 9223372036854775808.0)
    return static_cast<uint32_t>(static_cast<uint64_t>(x));
  int64_t i = static_cast<int64_t>(std::fmod(w, 4294967295.0));
  int64_t f = static_cast<int64_t>((x - w) * -4294967295.0);
  return static_cast<uint32_t>(i - f);
}

// Int

Int* Int::Static(int64_t value) {
  return SmallInts()[value - kFirstStatic];
}

int32_t Int::RetainCount() {
  int32_t count = __atomic_load_n(&count_, __ATOMIC_SEQ_CST);
  return count == 0 ? kKNImmortalCount : count;
}

IKNType* Int::Retain() {
  if (__atomic_load_n(&count_, __ATOMIC_RELAXED) != 0)
    __atomic_add_fetch(&count_, 1, __ATOMIC_SEQ_CST);
  return this;
}

void Int::Release() {
  if (__atomic_load_n(&count_, __ATOMIC_RELAXED) != 0 &&
      __atomic_sub_fetch(&count_, 1, __ATOMIC_SEQ_CST) <= 0)
    delete this;
}

IKNType* Int::AutoRelease() {
  return __atomic_load_n(&count_, __ATOMIC_RELAXED) == 0 ? this : IKNType::AutoRelease();
}

bool Int::IsEqual(IKNType* other) {
  // Another `Int` (the common case of integer map keys) needs no cast.
  if (other && typeid(*other) == typeid(Int))
    return static_cast<Int*>(other)->value_ == value_;
  return KNNumberIsEqual(this, other);
}

uint32_t Int::Hash() {
  uint64_t magnitude = value_ < 0 ? 0 - static_cast<uint64_t>(value_) : value_;
  return static_cast<uint32_t>(magnitude);
}

IKNString* Int::Description() {
  return Print("%lld", static_cast<long long>(value_));
}

int32_t Int::IntValue() {
  return static_cast<int32_t>(static_cast<uint32_t>(value_));
}

int64_t Int::LongValue() {
  return value_;
}

double Int::DoubleValue() {
  return static_cast<double>(value_);
}

bool Int::IsFloat() {
  return false;
}

bool Int::IsWide() {
  return value_ < INT32_MIN || value_ > INT32_MAX;
}

// Double

int32_t Double::RetainCount() {
  return count_.Get();
}

IKNType* Double::Retain() {
  count_.Increment();
  return this;
}

void Double::Release() {
  if (count_.Decrement())
    delete this;
}

bool Double::IsEqual(IKNType* other) {
  return KNNumberIsEqual(this, other);
}

uint32_t Double::Hash() {
  return KNDoubleHash(value_);
}

IKNString* Double::Description() {
  return Print("%e", value_);
}

int32_t Double::IntValue() {
  return static_cast<int32_t>(static_cast<uint32_t>(TruncateToLong(value_)));
}

int64_t Double::LongValue() {
  return TruncateToLong(value_);
}

double Double::DoubleValue() {
  return value_;
}

bool Double::IsFloat() {
  return true;
}

bool Double::IsWide() {
  return true;
}

// Factories

IKNNumber* KNNewInt(int64_t value) {
  if (IsStatic(value))
    return Int::Static(value);
  return new Int(value, 1);
}

IKNNumber* KNIntWithValue(int64_t value) {
  return KNAutoRelease(KNNewInt(value));
}

IKNNumber* KNNewDouble(double value) {
  if (value == 0.0)
    return Int::Static(0);
  return new Double(value);
}

IKNNumber* KNDoubleWithValue(double value) {
  return KNAutoRelease(KNNewDouble(value));
}

}  // namespace data
}  // namespace knfoundation
