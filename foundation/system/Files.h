// Reading a whole file into a byte buffer, for the configuration readers.
#pragma once

namespace knfoundation {
namespace data {
class IKNString;
class IKNMutableData;
}  // namespace data

namespace io {

// The file's bytes in a new mutable buffer, autoreleased, read with one OS
// read. With `lockShared` a shared lock over the whole file is held while
// reading (waiting for a writer's exclusive lock first). A file of 2 GiB or
// more raises "File '%@' too large (size=%lld)"; OS failures raise through the
// wrappers ("CreateFile('%S') failed <%d: %@>" for a missing file); a null
// path raises `KNNullPtr`. A file that shrinks between measuring and reading
// gives just the bytes read. Any thread.
data::IKNMutableData* ReadWholeFile(data::IKNString* path, bool lockShared);

}  // namespace io
}  // namespace knfoundation
