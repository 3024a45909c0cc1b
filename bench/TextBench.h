// The text figures of the benchmark: UTF-8 conversion, string hash and
// equality, and the formatter, each beside its system or runtime counterpart.
#pragma once

namespace knfoundation {
namespace bench {

// Prints the rates and their ratios to standard output. Runs on the calling
// thread inside its own autorelease pool.
void RunTextBench();

}  // namespace bench
}  // namespace knfoundation
