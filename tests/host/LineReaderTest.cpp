#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <future>
#include <ostream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "host/LineReader.h"
#include "tests/support/LinearGrowth.h"

namespace {

struct Line {
  int number;
  std::string text;
  bool operator==(const Line& other) const { return number == other.number && text == other.text; }
};

void PrintTo(const Line& line, std::ostream* out) {
  *out << line.number << ": " << line.text.size() << " bytes";
}

// Writes `input` into a pipe from a thread of its own, closes it, and returns
// the lines a reader of the other end hands over until the end.
std::vector<Line> readLines(const std::string& input) {
  int ends[2];
  if (pipe(ends) != 0) {
    ADD_FAILURE() << "no pipe";
    return {};
  }
  std::vector<Line> lines;
  std::promise<void> ended;
  LineReader reader(
      ends[0],
      [&lines](int number, std::string text) {
        lines.push_back({number, std::move(text)});
      },
      [&ended] { ended.set_value(); });
  if (!reader.start()) {
    ADD_FAILURE() << "reader not started";
    close(ends[0]);
    close(ends[1]);
    return {};
  }
  std::thread writer([&input, fd = ends[1]] {
    for (size_t done = 0; done < input.size();) {
      const ssize_t n = write(fd, input.data() + done, input.size() - done);
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    close(fd);
  });
  ended.get_future().wait();
  writer.join();
  reader.stop();
  close(ends[0]);
  return lines;
}

// Lines far longer than one read, and many lines in one read, come out
// whole and numbered, a last line without a line feed included.
TEST(LineReaderTest, LinesAcrossReads) {
  const std::string longLine(200000, 'a');
  const std::string otherLong(70000, 'b');
  std::string input = longLine + "\n\nshort\n" + otherLong + "\n";
  std::vector<Line> expected = {{1, longLine}, {2, ""}, {3, "short"}, {4, otherLong}};
  for (int i = 0; i < 3000; ++i) {
    input += std::to_string(i) + "\n";
    expected.push_back({5 + i, std::to_string(i)});
  }
  input += longLine;
  expected.push_back({3005, longLine});
  EXPECT_EQ(readLines(input), expected);
}

// A reader started again after the end of its input reads on from where it
// stopped: nothing of the earlier input is carried over.
TEST(LineReaderTest, StartedAgainAfterTheEndReadsTheNewInputAfresh) {
  char path[] = "/tmp/linereaderXXXXXX";
  const int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  unlink(path);
  std::vector<Line> lines;
  std::promise<void> ended;
  LineReader reader(
      fd,
      [&lines](int number, std::string text) {
        lines.push_back({number, std::move(text)});
      },
      [&ended] { ended.set_value(); });
  // Appends `input` without moving the reading position, then reads it.
  off_t size = 0;
  const auto readToEnd = [&](const std::string& input) {
    ASSERT_EQ(pwrite(fd, input.data(), input.size(), size), static_cast<ssize_t>(input.size()));
    size += static_cast<off_t>(input.size());
    ended = std::promise<void>();
    ASSERT_TRUE(reader.start());
    ended.get_future().wait();
    reader.stop();
  };
  readToEnd("abc");
  readToEnd("x\ny\n");
  close(fd);
  EXPECT_EQ(lines, (std::vector<Line>{{1, "abc"}, {2, "x"}, {3, "y"}}));
}

// A line that arrives in many reads is searched for its line feed once, not
// again from its start after every read.
TEST(LineReaderTest, LongLineTakesLinearTime) {
  const auto prepare = [](size_t length) -> PreparedStep {
    return [input = std::string(length, 'x') + "\n", length] {
      const std::vector<Line> lines = readLines(input);
      ASSERT_EQ(lines.size(), 1u);
      ASSERT_EQ(lines[0].text.size(), length);
    };
  };
  EXPECT_TRUE(growsLinearly(prepare, 3 << 20, 8, 24));
}

}  // namespace
