// Class names as the system renders them: "class knfoundation::data::UTF16String"
// ("struct ..." for types declared as structures), interned once per type.
#pragma once

#include <typeinfo>

namespace knfoundation {
class IKNType;
namespace data {
class IKNString;
}

namespace base {

// The run-time class name of `object` as an immortal literal; null for null.
data::IKNString* ClassName(IKNType* object);
// The same rendering for any type.
data::IKNString* TypeName(const std::type_info& type);
// Marks a type, by its qualified name without class key, as declared with
// `struct`, so that its name reads "struct ..."; call before its first name
// is asked for. The foundation's own structures are known already.
void DeclareStructType(const char* qualifiedName);

}  // namespace base
}  // namespace knfoundation
