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

}  // namespace base
}  // namespace knfoundation
