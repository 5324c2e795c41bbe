#include "app/desktop/single_instance.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>

#include "desktop_test_support.h"

namespace orvana::app {
namespace {

using std::chrono::milliseconds;
using TClock = std::chrono::steady_clock;

bool Accepts(const std::string& socketPath) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
  TUniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  return ::connect(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

// A byte from a child, or 0 when none came in time.
char ReadByte(int fd, int timeoutMs) {
  pollfd watched{fd, POLLIN, 0};
  char byte = 0;
  if (::poll(&watched, 1, timeoutMs) != 1 || ::read(fd, &byte, 1) != 1) return 0;
  return byte;
}

char RoleLetter(TInstanceRole role) {
  return role == TInstanceRole::kPrimary ? 'P' : role == TInstanceRole::kSecondary ? 'S' : 'U';
}

class SingleInstanceTest : public ::testing::Test {
 protected:
  TInstanceClaim Claim(const std::string& folder = "/home/u/.config/orvana") const {
    return ClaimInstance(folder, TRuntimeFolder{runtime_.Path(), {}});
  }
  testing::TPrivateFolder runtime_;
};

TEST_F(SingleInstanceTest, FirstClaimRunsLaterOnesHandOver) {
  const TInstanceClaim first = Claim();
  ASSERT_EQ(first.role, TInstanceRole::kPrimary) << first.problem;
  EXPECT_TRUE(first.listener);
  EXPECT_TRUE(Accepts(first.socketPath));
  EXPECT_LT(first.socketPath.size(), sizeof(sockaddr_un::sun_path));

  for (const char* sameFolder : {"/home/u/.config/orvana", "/home/u/.config/orvana/", "/home/u/./.config/orvana"}) {
    const TInstanceClaim second = Claim(sameFolder);
    EXPECT_EQ(second.role, TInstanceRole::kSecondary) << sameFolder;
    EXPECT_EQ(second.socketPath, first.socketPath);
    EXPECT_FALSE(second.lock);
  }
  const TInstanceClaim portable = Claim("/media/stick/orvana");
  EXPECT_EQ(portable.role, TInstanceRole::kPrimary) << "another files folder is another program";
}

TEST_F(SingleInstanceTest, WithoutARuntimeFolderRunsUnguarded) {
  const TInstanceClaim claim = ClaimInstance("/x", TRuntimeFolder{{}, "/tmp/orvana-1: open to others"});
  EXPECT_EQ(claim.role, TInstanceRole::kUnguarded);
  EXPECT_NE(claim.problem.find("open to others"), std::string::npos);
  std::string problem;
  EXPECT_FALSE(HandOver(claim, {"/a.mp3"}, 1000, &problem));
  EXPECT_NE(problem, "");
}

TEST_F(SingleInstanceTest, StartsAtTheSameMomentElectOneProgram) {
  constexpr int kStarts = 8;
  int go[2], roles[2];
  ASSERT_EQ(::pipe(go), 0);
  ASSERT_EQ(::pipe(roles), 0);
  std::vector<std::unique_ptr<testing::TChildProcess>> starts;
  for (int i = 0; i < kStarts; ++i) {
    starts.push_back(std::make_unique<testing::TChildProcess>([&] {
      ::close(go[1]);
      char byte;
      [[maybe_unused]] ssize_t got = ::read(go[0], &byte, 1);  // all wake at once when the pipe closes
      const TInstanceClaim claim = Claim();
      const char role = RoleLetter(claim.role);
      got = ::write(roles[1], &role, 1);
      ::pause();  // holds its claim until killed
      return 0;
    }));
  }
  ::close(go[0]);
  ::close(go[1]);
  ::close(roles[1]);
  std::string seen;
  for (int i = 0; i < kStarts; ++i) seen += ReadByte(roles[0], 5000);
  ::close(roles[0]);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), 'P'), 1) << seen;
  EXPECT_EQ(std::count(seen.begin(), seen.end(), 'S'), kStarts - 1) << seen;
}

TEST_F(SingleInstanceTest, KilledProgramLeavesNothingThatBlocks) {
  int report[2];
  ASSERT_EQ(::pipe(report), 0);
  testing::TChildProcess holder([&] {
    const TInstanceClaim claim = Claim();
    const char role = RoleLetter(claim.role);
    [[maybe_unused]] ssize_t written = ::write(report[1], &role, 1);
    ::pause();
    return 0;
  });
  ::close(report[1]);
  ASSERT_EQ(ReadByte(report[0], 5000), 'P');
  ::close(report[0]);
  EXPECT_EQ(Claim().role, TInstanceRole::kSecondary);

  holder.Kill();  // SIGKILL: no chance to remove its socket file
  const TInstanceClaim next = Claim();
  ASSERT_EQ(next.role, TInstanceRole::kPrimary) << next.problem;
  EXPECT_TRUE(Accepts(next.socketPath)) << "the old socket file was replaced";
}

TEST_F(SingleInstanceTest, StaleSocketFileDoesNotBlock) {
  std::string socketPath;
  {
    const TInstanceClaim gone = Claim();
    socketPath = gone.socketPath;
  }  // lock and listener closed, socket file left behind
  ASSERT_TRUE(std::filesystem::exists(socketPath));
  EXPECT_FALSE(Accepts(socketPath));
  const TInstanceClaim next = Claim();
  ASSERT_EQ(next.role, TInstanceRole::kPrimary) << next.problem;
  EXPECT_TRUE(Accepts(next.socketPath));
}

TEST_F(SingleInstanceTest, PrimaryThatCannotListenStillKeepsTheFiles) {
  const std::string socketPath = Claim().socketPath;
  std::filesystem::remove(socketPath);
  std::filesystem::create_directories(socketPath + "/occupied");  // cannot be removed or bound over
  const TInstanceClaim first = Claim();
  EXPECT_EQ(first.role, TInstanceRole::kPrimary);
  EXPECT_FALSE(first.listener);
  EXPECT_NE(first.problem, "");
  EXPECT_EQ(Claim().role, TInstanceRole::kSecondary);
}

TEST_F(SingleInstanceTest, HandOverGivesUpInTimeWhenNobodyAnswers) {
  TInstanceClaim silent = Claim();
  ASSERT_EQ(silent.role, TInstanceRole::kPrimary);
  const TInstanceClaim second = Claim();
  for (const char* how : {"listens but never reads", "holds the lock without a socket"}) {
    const auto start = TClock::now();
    std::string problem;
    EXPECT_FALSE(HandOver(second, {"/a.mp3"}, 300, &problem)) << how;
    const auto took = TClock::now() - start;
    EXPECT_GE(took, milliseconds(290)) << how;
    EXPECT_LT(took, milliseconds(1000)) << how;
    EXPECT_NE(problem, "") << how;
    silent.listener.Reset();
  }
}

TEST_F(SingleInstanceTest, HandOverRefusesOversizedArgumentsAtOnce) {
  const TInstanceClaim first = Claim();
  const TInstanceClaim second = Claim();
  std::string problem;
  const auto start = TClock::now();
  EXPECT_FALSE(HandOver(second, {std::string(70000, 'a')}, 5000, &problem));
  EXPECT_LT(TClock::now() - start, milliseconds(100));
  EXPECT_NE(problem.find("at most"), std::string::npos) << problem;
}

}  // namespace
}  // namespace orvana::app
