// A record whose Enter was answered survives the program being killed at
// any moment: a child records in a loop and reports each answered id
// through a pipe; the test kills it with SIGKILL at a random moment, 200
// times, and then finds every answered id and an undamaged database.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <random>
#include <set>
#include <thread>

#include "part_log_fixture.h"
#include "storage/part_log.h"

namespace silvarone {
namespace {

using testing::RawSql;
using testing::SampleEntry;

class LogKill : public testing::TempFolder {};

// Records until killed; each id after its commit, 8 bytes at once (a pipe
// write of at most PIPE_BUF bytes is never torn).
[[noreturn]] void RecordForever(const std::string& path, int out) {
  auto log = InspectionLog::Open(path);
  if (!log) ::_exit(3);
  for (int i = 0;; ++i) {
    const auto id = log->Record(SampleEntry(i));
    if (!id) ::_exit(4);
    const std::int64_t answered = *id;
    if (::write(out, &answered, sizeof answered) != sizeof answered) ::_exit(5);
  }
}

// Kills a recording child after `wait` (counted from its first answer when
// `afterFirst`, else from its start, which may hit it while it opens the
// database) and collects the ids it answered.
std::vector<std::int64_t> KillWhileRecording(const std::string& path,
                                             std::chrono::microseconds wait, bool afterFirst) {
  int pipe[2];
  if (::pipe(pipe) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipe[0]);
    RecordForever(path, pipe[1]);
  }
  ::close(pipe[1]);
  std::vector<std::int64_t> ids;
  std::int64_t id = 0;
  if (afterFirst && ::read(pipe[0], &id, sizeof id) == sizeof id) ids.push_back(id);
  std::this_thread::sleep_for(wait);
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status)) << "the child ended by itself: " << status;
  while (::read(pipe[0], &id, sizeof id) == sizeof id)
    ids.push_back(id);
  ::close(pipe[0]);
  return ids;
}

TEST_F(LogKill, EveryAnsweredRecordSurvivesASigkill) {
  const std::string path = Path("log.sqlite");
  std::mt19937 random(1209);
  std::set<std::int64_t> answered;
  for (int round = 0; round < 200; ++round) {
    const bool afterFirst = round % 4 != 0;
    const std::chrono::microseconds wait(random() % (afterFirst ? 8000 : 15000));
    for (const std::int64_t id : KillWhileRecording(path, wait, afterFirst))
      answered.insert(id);
  }
  EXPECT_EQ(RawSql(path, "PRAGMA integrity_check"), "ok");
  auto log = InspectionLog::Open(path);
  ASSERT_TRUE(log);
  auto all = log->Query({});
  ASSERT_TRUE(all);
  std::set<std::int64_t> kept;
  for (const LogEntry& e : *all)
    kept.insert(e.id);
  std::size_t missing = 0;
  for (const std::int64_t id : answered)
    missing += kept.count(id) == 0 ? 1 : 0;
  EXPECT_EQ(missing, 0u) << "of " << answered.size() << " answered records";
  // Three rounds in four wait for a first answer: the kills came while recording.
  EXPECT_GE(answered.size(), 150u);
}

}  // namespace
}  // namespace silvarone
