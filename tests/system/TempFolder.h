// A fresh folder under the temporary directory for one test, removed with
// everything in it when the test ends.
#pragma once

#include <string>

namespace knfoundation {
namespace testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder, without a trailing separator.
  const std::wstring& Path() const { return path_; }
  // `name` inside the folder.
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
  // Writes `bytes` into a new file `name` and returns its path.
  std::wstring Write(const std::wstring& name, const std::string& bytes) const;

 private:
  std::wstring path_;
};

}  // namespace testing
}  // namespace knfoundation
