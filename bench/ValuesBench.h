// The values figures of the benchmark: maps and lists against the standard
// containers.
#pragma once

namespace knfoundation {
namespace bench {

// Prints the map, list and copy rates with their ratios to standard output.
// Runs on the calling thread inside its own autorelease pool.
void RunValuesBench();

}  // namespace bench
}  // namespace knfoundation
