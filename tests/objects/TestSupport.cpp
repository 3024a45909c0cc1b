// Helpers of the object-model tests.
#include "tests/objects/TestSupport.h"

#include "foundation/system/Win32.h"

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <io.h>
#include <sstream>

namespace knfoundation {
namespace testing {

StdErrCapture::StdErrCapture() {
  wchar_t directory[MAX_PATH];
  wchar_t file[MAX_PATH];
  ::GetTempPathW(MAX_PATH, directory);
  ::GetTempFileNameW(directory, L"err", 0, file);
  path_ = file;
  std::fflush(stderr);
  savedFd_ = _dup(2);
  savedHandle_ = ::GetStdHandle(STD_ERROR_HANDLE);
  int fd = _wopen(path_.c_str(), _O_WRONLY | _O_TRUNC | _O_BINARY);
  _dup2(fd, 2);
  _close(fd);
  ::SetStdHandle(STD_ERROR_HANDLE, reinterpret_cast<HANDLE>(_get_osfhandle(2)));
}

StdErrCapture::~StdErrCapture() {
  std::fflush(stderr);
  _dup2(savedFd_, 2);
  _close(savedFd_);
  ::SetStdHandle(STD_ERROR_HANDLE, savedHandle_);
  ::DeleteFileW(path_.c_str());
}

std::string StdErrCapture::Text() {
  std::fflush(stderr);
  std::ifstream in(path_.c_str(), std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  std::string text = content.str();
  std::string result;
  for (size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
      result += text[i];
  return result;
}

uintptr_t ParseAddress(const std::string& text) {
  std::string digits = text;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
    digits = digits.substr(2);
  if (digits.empty() || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
    return 0;
  return static_cast<uintptr_t>(std::stoull(digits, nullptr, 16));
}

}  // namespace testing
}  // namespace knfoundation
