// The formatter: printf-style formats extended with `%@`, which inserts the
// `Description` of any foundation object ("(null)" for null).
//
// Keeps no state between calls; any thread may format into its own output.
// Malformed conversions throw `KNIllegalArgument` ("'*' not supported as field
// width", "'*' not supported as field precision", "Invalid format spec");
// what was formatted before stays in the output. Numeric conversions follow
// the runtime's printf rules, cut at 255 characters each. A "%" that ends the
// format stands for itself; "%n" takes its pointer but writes nothing through
// it and prints nothing.
#pragma once

#include <cstdarg>

namespace knfoundation {
namespace data {
class IKNString;
class IKNMutableString;
}  // namespace data

// Owned immutable results.
data::IKNString* KNFormat(const char* format, ...);
data::IKNString* KNFormatV(const char* format, va_list arguments);
data::IKNString* KNFormatString(data::IKNString* format, va_list arguments);
// Autoreleased immutable result.
data::IKNString* KNFormatAutoReleased(const char* format, ...);

// Append to `output`.
void AppendFormat(data::IKNMutableString* output, const char* format, ...);
void AppendFormatV(data::IKNMutableString* output, const char* format, va_list arguments);
// The core: the format given as any string.
void AppendFormat(data::IKNMutableString* output, data::IKNString* format, va_list arguments);

}  // namespace knfoundation
