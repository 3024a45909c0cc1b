// The log: level threshold, formatting, line format, byte-order mark, the
// 4096-byte cut and whole lines from concurrent writers.
#include "foundation/system/Win32.h"

#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <io.h>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "foundation/objects/IKNAutoReleasePool.h"
#include "foundation/objects/KNException.h"
#include "foundation/system/AbstractLog.h"
#include "foundation/system/StdErrLog.h"
#include "foundation/text/IKNEncoding.h"
#include "foundation/text/IKNString.h"
#include <gtest/gtest.h>

namespace knfoundation {
namespace {

// Records every message that reaches the sink.
class RecordingLog final : public impl::AbstractLog {
 public:
  int32_t RetainCount() override { return 1; }
  IKNType* Retain() override { return this; }
  void Release() override {}
  void Write(int32_t level, data::IKNString* message) override {
    std::string text(static_cast<size_t>(message->Length()) * 3 + 1, '\0');
    message->GetCString(&text[0], static_cast<int32_t>(text.size()), util::UTF8Encoding());
    text.resize(strlen(text.c_str()));
    written.push_back(std::to_string(level) + ":" + text);
  }
  std::vector<std::string> written;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

// The messages of the lines in `text`, each checked against the line format
// "YYYY-MM-DD hh:mm:ss : message\r\n" with the current year.
std::vector<std::string> Messages(const std::string& text) {
  std::vector<std::string> messages;
  const std::regex line(R"((\d{4})-(\d{2})-(\d{2}) (\d{2}):(\d{2}):(\d{2}) : (.*))");
  time_t now = time(nullptr);
  const int year = localtime(&now)->tm_year + 1900;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "unterminated line: " << text.substr(start);
      break;
    }
    const std::string one = text.substr(start, end - start);
    std::smatch match;
    if (!std::regex_match(one, match, line)) {
      ADD_FAILURE() << "malformed line: " << one;
    } else {
      EXPECT_EQ(year, std::stoi(match[1].str()));
      EXPECT_LE(std::stoi(match[2].str()), 12);
      messages.push_back(match[7].str());
    }
    start = end + 2;
  }
  return messages;
}

class LogFile {
 public:
  explicit LogFile(const char* name) : path_(name) { remove(path_.c_str()); }
  ~LogFile() { remove(path_.c_str()); }
  const std::string& Path() const { return path_; }
  std::string Text() const { return ReadFile(path_); }

 private:
  std::string path_;
};

TEST(LogTest, ThresholdDecidesWhatIsWritten) {
  base::KNAutoReleaseScope pool;
  RecordingLog log;
  EXPECT_EQ(util::kDefaultLogLevel, log.GetLevel());
  const struct {
    int32_t level;
    bool written;
  } cases[] = {{3, true}, {4, false}, {1, true}, {0, true}, {-5, true}};
  for (const auto& c : cases) {
    log.written.clear();
    log.LogString(c.level, KN_LIT("m"));
    log.LogF(c.level, "f%d", c.level);
    EXPECT_EQ(c.written ? 2u : 0u, log.written.size()) << "level " << c.level;
  }
  log.written.clear();
  log.LogString(1, KN_LIT("100% %d unchanged"));
  log.LogF(1, "%s=%d%%", "x", 5);
  ASSERT_EQ(2u, log.written.size());
  EXPECT_EQ("1:100% %d unchanged", log.written[0]);
  EXPECT_EQ("1:x=5%", log.written[1]);
  // Above the threshold nothing is formatted, so a bad format goes unnoticed;
  // at or below it the formatter's failure reaches the caller.
  log.LogF(4, "%k");
  EXPECT_THROW(log.LogF(3, "%k"), base::KNIllegalArgument);
  EXPECT_EQ(2u, log.written.size());
  log.SetLevel(4);
  log.LogF(4, "now %s", "written");
  EXPECT_EQ("4:now written", log.written.back());
}

TEST(LogTest, LinesOnAFileAndTheByteOrderMark) {
  base::KNAutoReleaseScope pool;
  LogFile empty("log_empty.txt");
  FILE* stream = fopen(empty.Path().c_str(), "w");
  ASSERT_NE(nullptr, stream);
  util::StdErrLog* log = util::StdErrLog::CreateForStream(stream);
  log->LogF(1, "first %d", 1);
  log->LogString(2, KN_LIT("second"));
  log->LogF(4, "not written");
  log->Release();
  fclose(stream);
  std::string text = empty.Text();
  ASSERT_EQ("\xEF\xBB\xBF", text.substr(0, 3)) << "an empty file starts with the mark";
  EXPECT_EQ(std::string::npos, text.find("\xEF\xBB\xBF", 3)) << "only once";
  EXPECT_EQ((std::vector<std::string>{"first 1", "second"}), Messages(text.substr(3)));

  LogFile filled("log_filled.txt");
  stream = fopen(filled.Path().c_str(), "w");
  fputs("existing\n", stream);
  fclose(stream);
  stream = fopen(filled.Path().c_str(), "a");
  log = util::StdErrLog::CreateForStream(stream);
  log->LogF(1, "appended");
  log->Release();
  fclose(stream);
  text = filled.Text();
  ASSERT_EQ("existing\r\n", text.substr(0, 10)) << "no mark before or after existing text";
  EXPECT_EQ(std::string::npos, text.find("\xEF\xBB\xBF"));
  EXPECT_EQ((std::vector<std::string>{"appended"}), Messages(text.substr(10)));
}

TEST(LogTest, LongMessagesAreCutAtACharacterBoundary) {
  base::KNAutoReleaseScope pool;
  LogFile file("log_long.txt");
  FILE* stream = fopen(file.Path().c_str(), "w");
  util::StdErrLog* log = util::StdErrLog::CreateForStream(stream);
  // 4094 bytes of ASCII then a two-byte character: only the ASCII fits.
  const std::string message = std::string(4094, 'a') + "\xC3\xA9" + "tail";
  log->LogF(1, "%s", message.c_str());
  log->LogF(1, "after");
  log->Release();
  fclose(stream);
  const std::vector<std::string> messages = Messages(file.Text().substr(3));
  ASSERT_EQ(2u, messages.size());
  EXPECT_EQ(std::string(4094, 'a'), messages[0]);
  EXPECT_EQ("after", messages[1]);
}

TEST(LogTest, ConcurrentWritersProduceWholeLines) {
  LogFile file("log_threads.txt");
  FILE* stream = fopen(file.Path().c_str(), "w");
  util::StdErrLog* log = util::StdErrLog::CreateForStream(stream);
  const std::string padding(300, '-');
  auto writer = [&](const char* name) {
    for (int i = 0; i < 200; ++i)
      log->LogF(1, "%s %d %s", name, i, padding.c_str());
  };
  std::thread a(writer, "A");
  std::thread b(writer, "B");
  a.join();
  b.join();
  log->Release();
  fclose(stream);
  const std::vector<std::string> messages = Messages(file.Text().substr(3));
  ASSERT_EQ(400u, messages.size());
  int next[2] = {0, 0};
  for (const std::string& message : messages) {
    const int who = message[0] == 'A' ? 0 : 1;
    EXPECT_EQ(std::string(who ? "B " : "A ") + std::to_string(next[who]) + " " + padding, message);
    ++next[who];
  }
}

// Redirects descriptor 2 (standard error) to a new file while alive, in text
// mode as a shell redirection would.
class StdErrToFile {
 public:
  explicit StdErrToFile(const char* path) {
    fflush(stderr);
    saved_ = _dup(2);
    const int fd = _open(path, _O_WRONLY | _O_CREAT | _O_TRUNC | _O_TEXT, 0600);
    _dup2(fd, 2);
    _close(fd);
  }
  ~StdErrToFile() {
    fflush(stderr);
    _dup2(saved_, 2);
    _close(saved_);
  }

 private:
  int saved_;
};

TEST(LogTest, GlobalFunctionsWriteToStandardError) {
  base::KNAutoReleaseScope pool;
  LogFile file("log_stderr.txt");
  EXPECT_EQ(util::DefaultLog(), util::DefaultLog());
  EXPECT_EQ(util::kDefaultLogLevel, util::DefaultLog()->GetLevel());
  {
    StdErrToFile redirect(file.Path().c_str());
    util::LogDebug("debug %d", 4);
    util::LogError("error %@", KN_LIT("one"));
    util::LogAtLevel(3, "level %d", 3);
    util::LogAtLevel(4, "level %d", 4);
    util::LogAtLevel(0, "level %d", 0);
  }
  const std::string text = file.Text();
  ASSERT_EQ("\xEF\xBB\xBF", text.substr(0, 3)) << "standard error on a new, empty file";
  EXPECT_EQ((std::vector<std::string>{"error one", "level 3", "level 0"}),
            Messages(text.substr(3)));
}

}  // namespace
}  // namespace knfoundation
