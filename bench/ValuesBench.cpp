// Throughput of the foundation's maps and lists against the standard
// containers holding the same keys, printed as ratios in the same run: map
// insertion and lookup with string and integer keys at 10, 1,000 and 100,000
// entries, list appends and indexed reads, and the cost of copying.
//
// Lookups stay constant-time on average: the keys compared per lookup stay
// near 1 at every size (the nanoseconds grow only with cache misses).
#include "bench/ValuesBench.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/text/IKNString.h"
#include "foundation/values/IKNList.h"
#include "foundation/values/IKNMap.h"
#include "foundation/values/IKNNumber.h"
#include "foundation/values/Map.h"

namespace knfoundation {
namespace bench {

namespace {

using Clock = std::chrono::steady_clock;

// Every measurement repeats its work until about this many operations ran.
constexpr int64_t kOperations = 1000000;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Runs `work` (which performs `perRound` operations) often enough and returns
// operations per second.
template <class F>
double Rate(int64_t perRound, F work) {
  int64_t rounds = kOperations / perRound;
  if (rounds < 1)
    rounds = 1;
  Clock::time_point start = Clock::now();
  for (int64_t r = 0; r < rounds; ++r)
    work();
  double seconds = SecondsSince(start);
  return seconds > 0 ? static_cast<double>(rounds * perRound) / seconds : 0;
}

void Report(const char* what, int32_t n, double ours, double theirs) {
  std::printf("%-34s n=%-7d %9.2f Mop/s (%7.1f ns/op)  std %9.2f Mop/s  ratio %.2f\n", what, n,
              ours / 1e6, ours > 0 ? 1e9 / ours : 0, theirs / 1e6, theirs > 0 ? ours / theirs : 0);
}

// The mean number of keys compared by a successful lookup: the average over
// all entries of their position in their chain, counted from 1.
double MeanProbes(data::IKNMap* map) {
  impl::HashMap* table = dynamic_cast<data::MutableMap*>(map)->Table();
  int64_t probes = 0;
  int32_t index = 0;
  for (impl::HashMap::Node* head = table->FirstFrom(&index); head;
       head = table->FirstFrom(&index)) {
    int64_t position = 0;
    for (impl::HashMap::Node* node = head; node; node = node->next)
      probes += ++position;
    ++index;
  }
  return table->Count() ? static_cast<double>(probes) / table->Count() : 0;
}

// Keeps results alive so the compiler cannot drop the work.
volatile uintptr_t gSink;

struct Keys {
  std::vector<IKNType*> objects;  // owned
  std::vector<std::wstring> strings;
  std::vector<int64_t> integers;
};

Keys MakeKeys(int32_t n, bool strings) {
  Keys keys;
  for (int32_t i = 0; i < n; ++i) {
    // Spread integers so that they are not the static small ones.
    int64_t value = static_cast<int64_t>(i) * 7919 + 1000;
    if (strings) {
      std::wstring text = L"configuration.key." + std::to_wstring(value);
      keys.strings.push_back(text);
      keys.objects.push_back(data::KNNewString(text.data(), static_cast<int32_t>(text.size())));
    } else {
      keys.integers.push_back(value);
      keys.objects.push_back(data::KNNewInt(value));
    }
  }
  return keys;
}

void ReleaseKeys(Keys& keys) {
  for (IKNType* key : keys.objects)
    key->Release();
}

template <class StdMap, class StdKeys>
void BenchMap(const char* kind, int32_t n, Keys& keys, const StdKeys& stdKeys) {
  IKNType* value = data::KNNewInt(1);
  double insertOurs = Rate(n, [&] {
    data::IKNMutableMap* map = data::KNNewMutableMap(0);
    for (IKNType* key : keys.objects)
      map->Set(key, value);
    gSink = gSink + map->Count();
    map->Release();
  });
  double insertStd = Rate(n, [&] {
    StdMap map;
    for (const auto& key : stdKeys)
      map[key] = value;
    gSink = gSink + map.size();
  });
  std::string what = std::string("map insert, ") + kind;
  Report(what.c_str(), n, insertOurs, insertStd);

  data::IKNMutableMap* map = data::KNNewMutableMap(0);
  StdMap stdMap;
  for (int32_t i = 0; i < n; ++i) {
    map->Set(keys.objects[i], value);
    stdMap[stdKeys[i]] = value;
  }
  double lookupOurs = Rate(n, [&] {
    for (IKNType* key : keys.objects)
      gSink = gSink + reinterpret_cast<uintptr_t>(map->Get(key));
  });
  double lookupStd = Rate(n, [&] {
    for (const auto& key : stdKeys)
      gSink = gSink + reinterpret_cast<uintptr_t>(stdMap.find(key)->second);
  });
  what = std::string("map lookup, ") + kind;
  Report(what.c_str(), n, lookupOurs, lookupStd);
  std::printf("%-34s n=%-7d %9.2f keys compared per lookup, %d buckets\n", "  chains", n,
              MeanProbes(map), dynamic_cast<data::MutableMap*>(map)->Table()->BucketCount());

  double copyOurs = Rate(n, [&] { map->Copy()->Release(); });
  double copyStd = Rate(n, [&] {
    StdMap copy(stdMap);
    gSink = gSink + copy.size();
  });
  what = std::string("map copy (per entry), ") + kind;
  Report(what.c_str(), n, copyOurs, copyStd);
  map->Release();
  value->Release();
}

void BenchList(int32_t n) {
  IKNType* value = data::KNNewInt(1);
  double appendOurs = Rate(n, [&] {
    data::IKNMutableList* list = data::KNNewMutableList(0);
    for (int32_t i = 0; i < n; ++i)
      list->Add(value);
    gSink = gSink + list->Count();
    list->Release();
  });
  double appendStd = Rate(n, [&] {
    std::vector<IKNType*> list;
    for (int32_t i = 0; i < n; ++i) {
      value->Retain();
      list.push_back(value);
    }
    gSink = gSink + list.size();
    for (IKNType* element : list)
      element->Release();
  });
  Report("list append", n, appendOurs, appendStd);

  data::IKNMutableList* list = data::KNNewMutableList(0);
  std::vector<IKNType*> vector;
  for (int32_t i = 0; i < n; ++i) {
    list->Add(value);
    vector.push_back(value);
  }
  double readOurs = Rate(n, [&] {
    for (int32_t i = 0; i < n; ++i)
      gSink = gSink + reinterpret_cast<uintptr_t>(list->ValueAt(i));
  });
  double readStd = Rate(n, [&] {
    for (int32_t i = 0; i < n; ++i)
      gSink = gSink + reinterpret_cast<uintptr_t>(vector.at(i));
  });
  Report("list indexed read", n, readOurs, readStd);

  double copyOurs = Rate(n, [&] { list->Copy()->Release(); });
  double copyStd = Rate(n, [&] {
    std::vector<IKNType*> copy(vector);
    for (IKNType* element : copy)
      element->Retain();
    for (IKNType* element : copy)
      element->Release();
  });
  Report("list copy (per element)", n, copyOurs, copyStd);
  list->Release();
  value->Release();
}

}  // namespace

void RunValuesBench() {
  base::KNAutoReleaseScope pool;
  std::printf("Values: ratio = foundation rate / standard container rate (higher is better)\n");
  for (int32_t n : {10, 1000, 100000}) {
    Keys strings = MakeKeys(n, true);
    BenchMap<std::unordered_map<std::wstring, IKNType*>>("string keys", n, strings,
                                                         strings.strings);
    ReleaseKeys(strings);
    Keys integers = MakeKeys(n, false);
    BenchMap<std::unordered_map<int64_t, IKNType*>>("integer keys", n, integers, integers.integers);
    ReleaseKeys(integers);
  }
  for (int32_t n : {10, 1000, 100000})
    BenchList(n);
}

}  // namespace bench
}  // namespace knfoundation
