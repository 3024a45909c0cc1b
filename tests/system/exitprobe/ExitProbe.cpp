// A program that leaves work for the process exit: the main thread's pool is
// never disposed and its thread object stays registered. The object held in
// the pool reports, from its destructor, whether it could still lock itself
// and find the main thread's object; the report goes to the file named by the
// first argument.
#include <cstdio>

#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/objects/IKNType.h"
#include "foundation/system/IKNMonitor.h"
#include "foundation/system/IKNThread.h"

namespace {

const char* gReportPath = nullptr;

class ExitProbe : public knfoundation::util::KNRefCountT<knfoundation::IKNType> {
 public:
  ~ExitProbe() override {
    int depth = 0;
    {
      knfoundation::thread::MonitorLock lock(this);
      depth = lock.Monitor()->LockDepth();
    }
    if (FILE* report = std::fopen(gReportPath, "w")) {
      std::fprintf(report, "released at exit, lock depth %d, main thread %s\n", depth,
                   knfoundation::thread::IsMainThread() ? "yes" : "no");
      std::fclose(report);
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2)
    return 2;
  gReportPath = argv[1];
  knfoundation::thread::CurrentThread();
  knfoundation::base::IKNAutoReleasePool::Create();
  (new ExitProbe())->AutoRelease();
  return 0;
}
