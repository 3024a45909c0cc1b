// Path operations for the launcher and the configuration readers, built on
// the shell path functions (paths of at most 259 units there) and on
// GetFullPathNameW (no such limit). Results are new strings, autoreleased. A
// null path raises `KNNullPtr`; a path too long for the shell functions is
// refused with `KNIllegalArgument` before any call. Any thread.
#pragma once

#include <cstdint>

namespace knfoundation {
namespace data {
class IKNString;
}

namespace io {

// The longest path, in UTF-16 units, that the shell path functions can hold.
constexpr int32_t kMaxShellPath = 259;

// A copy with every "/" turned into "\" when the path starts or ends with
// "/"; otherwise the path itself (lent).
data::IKNString* NormalizeEdgeSeparators(data::IKNString* path);
// PathCanonicalizeW of `path` into `buffer` (kMaxShellPath + 1 units), then
// every "/" turned into "\"; "PathCanonicalize('%@') failed" (`KNException`).
void CanonicalizeInto(data::IKNString* path, wchar_t* buffer);
// The directory that holds the path: "D:\a\b" for "D:/a/b/file.txt"; a
// trailing separator goes first, so "D:\a\b\" gives "D:\a". Empty for an
// empty path.
data::IKNString* DirectoryPart(data::IKNString* path);
// `relative` joined to `directory`, separators as "\"; an absolute relative
// part stays absolute. "PathCombine('%@, %@') failed" (`KNException`).
data::IKNString* CombinePaths(data::IKNString* directory, data::IKNString* relative);
// The absolute form of `path`.
data::IKNString* FullPathName(data::IKNString* path);
// Makes sure the directory exists, creating every missing level: non-zero
// when it existed already, 0 when it was created.
int32_t EnsureDirectory(data::IKNString* path);

}  // namespace io
}  // namespace knfoundation
