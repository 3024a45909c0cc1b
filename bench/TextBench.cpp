// UTF-8 encode and decode throughput on ASCII and on mixed text (Latin, CJK,
// emoji) against WideCharToMultiByte / MultiByteToWideChar on the same data;
// string hash and equality rates; formatter messages per second for a
// typical log line against snprintf into a buffer. Every rate is the best of
// fifteen timed rounds, alternating with its counterpart; ratios above 1 mean
// the foundation is faster.
#include "bench/TextBench.h"

#include "foundation/system/Win32.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/text/IKNEncoding.h"
#include "foundation/text/IKNMutableString.h"
#include "foundation/text/IKNString.h"
#include "foundation/text/KNFormat.h"

namespace knfoundation {
namespace bench {
namespace {

using Clock = std::chrono::steady_clock;

// Seconds per call of `body`: one timed round of `repeats` calls.
template <class F>
double Round(int repeats, F& body) {
  const auto start = Clock::now();
  for (int i = 0; i < repeats; ++i)
    body();
  return std::chrono::duration<double>(Clock::now() - start).count() / repeats;
}

// Seconds per call of `ours` and of `theirs`, each the best of fifteen
// rounds taken in alternation, so that load on the machine hits both alike.
template <class F, class G>
void Compare(int repeats, F ours, G theirs, double* oursSeconds, double* theirsSeconds) {
  *oursSeconds = *theirsSeconds = 1e30;
  for (int round = 0; round < 15; ++round) {
    const double a = Round(repeats, ours);
    const double b = Round(repeats, theirs);
    if (a < *oursSeconds)
      *oursSeconds = a;
    if (b < *theirsSeconds)
      *theirsSeconds = b;
  }
}

volatile uint32_t gSink;

std::wstring AsciiText(size_t units) {
  const std::wstring line = L"The quick brown fox jumps over the lazy dog, 0123456789.\r\n";
  std::wstring text;
  while (text.size() < units)
    text += line;
  text.resize(units);
  return text;
}

std::wstring MixedText(size_t units) {
  // Latin with accents, Cyrillic, CJK and emoji (surrogate pairs).
  const std::wstring line =
      L"Caf\u00E9 na\u00EFve \u00E0 l'\u0153uvre, \u041F\u0440\u0438\u0432\u0435\u0442, "
      L"\u6771\u4EAC\u306E\u5929\u6C17\u306F\u6674\u308C \xD83D\xDE00\xD83C\xDF89 ok\n";
  std::wstring text;
  while (text.size() < units)
    text += line;
  text.resize(units);
  if (text.back() >= 0xD800 && text.back() <= 0xDBFF)
    text.back() = L'x';
  return text;
}

void Row(const char* what, double ours, double theirs, const char* unit) {
  printf("  %-34s %10.1f %10.1f %8.2fx  %s\n", what, ours, theirs, ours / theirs, unit);
}

void BenchConversions(const char* name, const std::wstring& text) {
  util::IKNEncoding* utf8 = util::UTF8Encoding();
  const int32_t units = static_cast<int32_t>(text.size());
  std::vector<char> bytes(static_cast<size_t>(units) * 3);
  int32_t byteCount = 0;
  utf8->Encode(text.data(), units, 0, bytes.data(), static_cast<int32_t>(bytes.size()), &byteCount);
  const int systemBytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), units, bytes.data(),
                                              static_cast<int>(bytes.size()), nullptr, nullptr);
  if (systemBytes != byteCount)
    printf("  (!) %s: byte counts differ: %d against %d\n", name, byteCount, systemBytes);
  std::vector<wchar_t> back(static_cast<size_t>(units));
  const int repeats = 40;

  double encodeOurs, encodeSystem, decodeOurs, decodeSystem;
  Compare(
      repeats,
      [&] {
        int32_t produced = 0;
        utf8->Encode(text.data(), units, 0, bytes.data(), static_cast<int32_t>(bytes.size()),
                     &produced);
        gSink = static_cast<uint32_t>(produced);
      },
      [&] {
        gSink = static_cast<uint32_t>(
            WideCharToMultiByte(CP_UTF8, 0, text.data(), units, bytes.data(),
                                static_cast<int>(bytes.size()), nullptr, nullptr));
      },
      &encodeOurs, &encodeSystem);
  Compare(
      repeats,
      [&] {
        int32_t produced = 0;
        utf8->Decode(bytes.data(), byteCount, back.data(), units, &produced);
        gSink = static_cast<uint32_t>(produced);
      },
      [&] {
        gSink = static_cast<uint32_t>(
            MultiByteToWideChar(CP_UTF8, 0, bytes.data(), byteCount, back.data(), units));
      },
      &decodeOurs, &decodeSystem);
  if (std::wstring(back.data(), back.size()) != text)
    printf("  (!) %s: round trip differs\n", name);
  // Throughput in MB/s of the input: UTF-16 bytes for encoding, UTF-8 bytes
  // for decoding.
  const double mbIn16 = units * 2.0 / 1e6;
  const double mbIn8 = byteCount / 1e6;
  char what[80];
  snprintf(what, sizeof what, "UTF-8 encode, %s", name);
  Row(what, mbIn16 / encodeOurs, mbIn16 / encodeSystem, "MB/s");
  snprintf(what, sizeof what, "UTF-8 decode, %s", name);
  Row(what, mbIn8 / decodeOurs, mbIn8 / decodeSystem, "MB/s");
}

void BenchHashAndEquality() {
  // 1,000 strings of 4 to 67 units, each with an equal twin.
  std::vector<data::IKNString*> strings;
  std::vector<data::IKNString*> twins;
  for (int i = 0; i < 1000; ++i) {
    std::wstring text = L"key-" + std::to_wstring(i * 7919) + std::wstring(i % 56, L'x');
    strings.push_back(data::KNNewString(text.data(), static_cast<int32_t>(text.size())));
    twins.push_back(data::KNNewString(text.data(), static_cast<int32_t>(text.size())));
  }
  // The same operations on plain std::wstring (std::hash and ==).
  std::vector<std::wstring> plain;
  std::vector<std::wstring> plainTwins;
  for (data::IKNString* s : strings) {
    plain.emplace_back(s->Chars(), static_cast<size_t>(s->Length()));
    plainTwins.emplace_back(s->Chars(), static_cast<size_t>(s->Length()));
  }
  double hash, stdHash, equal, stdEqual;
  Compare(
      200,
      [&] {
        uint32_t h = 0;
        for (data::IKNString* s : strings)
          h += s->Hash();
        gSink = h;
      },
      [&] {
        size_t h = 0;
        for (const std::wstring& s : plain)
          h += std::hash<std::wstring>()(s);
        gSink = static_cast<uint32_t>(h);
      },
      &hash, &stdHash);
  Compare(
      200,
      [&] {
        uint32_t n = 0;
        for (size_t i = 0; i < strings.size(); ++i)
          n += strings[i]->IsEqual(twins[i]) ? 1 : 0;
        gSink = n;
      },
      [&] {
        uint32_t n = 0;
        for (size_t i = 0; i < plain.size(); ++i)
          n += plain[i] == plainTwins[i] ? 1 : 0;
        gSink = n;
      },
      &equal, &stdEqual);
  const double calls = static_cast<double>(strings.size()) / 1e6;
  Row("string hash (vs std::hash)", calls / hash, calls / stdHash, "M/s");
  Row("string equality (vs std::wstring ==)", calls / equal, calls / stdEqual, "M/s");
  for (size_t i = 0; i < strings.size(); ++i) {
    strings[i]->Release();
    twins[i]->Release();
  }
}

void BenchFormatter() {
  data::IKNString* peer = KN_LIT("editor");
  const int repeats = 20000;
  char buffer[256];
  auto viaSnprintf = [&] {
    gSink =
        static_cast<uint32_t>(snprintf(buffer, sizeof buffer,
                                       "Connection %d from %s:%d took %.3f ms (%s), status "
                                       "0x%08x",
                                       4711, "192.168.10.20", 51234, 12.5678, "editor", 0xC0FFEEu));
  };
  double owned, printfOwned, appended, printfAppended;
  Compare(
      repeats,
      [&] {
        data::IKNString* line =
            KNFormat("Connection %d from %s:%d took %.3f ms (%@), status 0x%08x", 4711,
                     "192.168.10.20", 51234, 12.5678, peer, 0xC0FFEEu);
        gSink = static_cast<uint32_t>(line->Length());
        line->Release();
      },
      viaSnprintf, &owned, &printfOwned);
  data::IKNMutableString* reused = data::KNNewMutableString(256);
  Compare(
      repeats,
      [&] {
        reused->Clear();
        AppendFormat(reused, "Connection %d from %s:%d took %.3f ms (%@), status 0x%08x", 4711,
                     "192.168.10.20", 51234, 12.5678, peer, 0xC0FFEEu);
        gSink = static_cast<uint32_t>(reused->Length());
      },
      viaSnprintf, &appended, &printfAppended);
  reused->Release();
  Row("format a log line, owned result", 1e-3 / owned, 1e-3 / printfOwned, "k msg/s");
  Row("format a log line, reused buffer", 1e-3 / appended, 1e-3 / printfAppended, "k msg/s");
}

}  // namespace

void RunTextBench() {
  base::KNAutoReleaseScope pool;
  printf("Text (foundation vs system/runtime; ratio > 1: foundation faster)\n");
  printf("  %-34s %10s %10s %9s\n", "", "foundation", "system", "ratio");
  BenchConversions("ASCII", AsciiText(1 << 20));
  BenchConversions("mixed", MixedText(1 << 20));
  BenchHashAndEquality();
  BenchFormatter();
  printf("\n");
}

}  // namespace bench
}  // namespace knfoundation
