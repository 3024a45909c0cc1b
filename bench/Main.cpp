// The benchmark program: the text figures, then the values figures.
#include "bench/TextBench.h"
#include "bench/ValuesBench.h"

int main() {
  knfoundation::bench::RunTextBench();
  knfoundation::bench::RunValuesBench();
  return 0;
}
