#include "app/desktop/instance_server.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <QElapsedTimer>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <thread>

#include "app/desktop/absolute_arguments.h"
#include "app/desktop/hand_over_message.h"
#include "app/desktop/single_instance.h"
#include "desktop_test_support.h"
#include "qt_test_application.h"

namespace orvana::app {
namespace {

using testing::SpinUntil;

// A client that speaks whatever it is told, non-blocking.
TUniqueFd RawClient(const std::string& socketPath, const std::string& bytes) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
  TUniqueFd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (::connect(fd.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return {};
  if (!bytes.empty() && ::send(fd.Get(), bytes.data(), bytes.size(), MSG_NOSIGNAL) != ssize_t(bytes.size())) return {};
  return fd;
}

bool ClosedByServer(int fd) {
  char byte;
  const ssize_t got = ::recv(fd, &byte, 1, MSG_DONTWAIT);
  return got == 0 || (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
}

class InstanceServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    orvana::testing::TestApplication();
    TInstanceClaim primary = ClaimInstance("/home/u/.config/orvana", TRuntimeFolder{runtime_.Path(), {}});
    ASSERT_EQ(primary.role, TInstanceRole::kPrimary) << primary.problem;
    lock_ = std::move(primary.lock);
    socketPath_ = primary.socketPath;
    server_ = std::make_unique<TInstanceServer>(std::move(primary.listener), socketPath_);
    QObject::connect(server_.get(), &TInstanceServer::argumentsReceived,
                     [this](const QStringList& paths) { received_.push_back(paths); });
    secondary_ = ClaimInstance("/home/u/.config/orvana", TRuntimeFolder{runtime_.Path(), {}});
    ASSERT_EQ(secondary_.role, TInstanceRole::kSecondary);
  }

  // Sends from another thread, as a second start would, while this one runs the loop.
  bool HandOverWhileServing(const std::vector<std::string>& arguments, int timeoutMs = 2000) {
    std::atomic<bool> done{false};
    bool delivered = false;
    std::thread sender([&] {
      delivered = HandOver(secondary_, arguments, timeoutMs);
      done = true;
    });
    SpinUntil([&] { return done.load(); }, timeoutMs + 3000);
    sender.join();
    return delivered;
  }

  testing::TPrivateFolder runtime_;
  TUniqueFd lock_;
  std::string socketPath_;
  std::unique_ptr<TInstanceServer> server_;
  TInstanceClaim secondary_;
  std::vector<QStringList> received_;
};

TEST_F(InstanceServerTest, DeliversAbsoluteNamesInOrder) {
  const std::vector<std::string> arguments =
      AbsoluteArguments({"a b.mp3", "日本語/東京の歌.mp3", "line\nbreak.mp3", "../missing.mp2", "/x/./y.mp3"}, "/music");
  ASSERT_TRUE(HandOverWhileServing(arguments));
  ASSERT_EQ(received_.size(), 1u);
  EXPECT_EQ(received_[0], (QStringList{"/music/a b.mp3", "/music/日本語/東京の歌.mp3", "/music/line\nbreak.mp3",
                                       "/missing.mp2", "/x/y.mp3"}));
}

TEST_F(InstanceServerTest, EmptyListArrivesEmpty) {
  ASSERT_TRUE(HandOverWhileServing({}));
  ASSERT_EQ(received_.size(), 1u);
  EXPECT_TRUE(received_[0].isEmpty());
}

TEST_F(InstanceServerTest, ManyQuickHandOversInARow) {
  constexpr int kStarts = 50;
  std::atomic<int> delivered{0};
  std::thread sender([&] {
    for (int i = 0; i < kStarts; ++i) delivered += HandOver(secondary_, {"/song" + std::to_string(i) + ".mp3"}, 2000);
  });
  SpinUntil([&] { return received_.size() == kStarts; }, 20000);
  sender.join();
  EXPECT_EQ(delivered.load(), kStarts);
  ASSERT_EQ(received_.size(), std::size_t{kStarts});
  for (int i = 0; i < kStarts; ++i) EXPECT_EQ(received_[i], QStringList{QString("/song%1.mp3").arg(i)});
}

TEST_F(InstanceServerTest, HostileClientsAreDroppedWhileOthersAreServed) {
  QElapsedTimer clock;
  clock.start();
  TUniqueFd silent = RawClient(socketPath_, "");
  TUniqueFd halfHeader = RawClient(socketPath_, "ORV");
  TUniqueFd garbage = RawClient(socketPath_, "GET / HTTP/1.1\r\n\r\n");
  TUniqueFd hugeCount = RawClient(socketPath_, std::string("ORVH\1\0\0\0\xff\xff\xff\xff", 12));
  ASSERT_TRUE(silent && halfHeader && garbage && hugeCount);

  EXPECT_TRUE(SpinUntil([&] { return ClosedByServer(garbage.Get()) && ClosedByServer(hugeCount.Get()); }, 2000));
  EXPECT_TRUE(HandOverWhileServing({"/good.mp3"})) << "served while the silent ones wait";
  EXPECT_FALSE(ClosedByServer(silent.Get()));
  EXPECT_TRUE(SpinUntil([&] { return ClosedByServer(silent.Get()) && ClosedByServer(halfHeader.Get()); }, 3000));
  EXPECT_GE(clock.elapsed(), TInstanceServer::kClientTimeoutMs - 50) << "stalled clients get their second";

  EXPECT_TRUE(HandOverWhileServing({"/after.mp3"}));
  EXPECT_EQ(received_, (std::vector<QStringList>{{"/good.mp3"}, {"/after.mp3"}}));
}

TEST_F(InstanceServerTest, FloodOfClientsIsBounded) {
  std::vector<TUniqueFd> flood;
  for (int i = 0; i < TInstanceServer::kMaxPendingClients + 8; ++i) flood.push_back(RawClient(socketPath_, ""));
  const auto turnedAway = [&] {
    return std::count_if(flood.begin(), flood.end(), [](const TUniqueFd& fd) { return ClosedByServer(fd.Get()); });
  };
  EXPECT_TRUE(SpinUntil([&] { return turnedAway() >= 8; }, 500)) << turnedAway();
  EXPECT_TRUE(SpinUntil([&] { return turnedAway() == std::ssize(flood); }, 3000));
  EXPECT_TRUE(HandOverWhileServing({"/a.mp3"}));
}

TEST_F(InstanceServerTest, MessageInSlowPiecesStillArrives) {
  const std::string message = EncodeHandOver({"/slow.mp3"});
  TUniqueFd client = RawClient(socketPath_, message.substr(0, 5));
  for (std::size_t at = 5; at < message.size(); at += 5) {
    SpinUntil([] { return false; }, 50);
    ASSERT_GT(::send(client.Get(), message.data() + at, std::min<std::size_t>(5, message.size() - at), 0), 0);
  }
  char answer = 0;
  EXPECT_TRUE(SpinUntil([&] { return ::recv(client.Get(), &answer, 1, MSG_DONTWAIT) == 1; }, 2000));
  EXPECT_EQ(answer, kHandOverAcknowledgement);
  EXPECT_EQ(received_, std::vector<QStringList>{{"/slow.mp3"}});
}

TEST_F(InstanceServerTest, ReceiverMayEndTheServer) {
  QObject::connect(server_.get(), &TInstanceServer::argumentsReceived, [this] { server_.reset(); });
  EXPECT_TRUE(HandOverWhileServing({"/last.mp3"}));
  EXPECT_EQ(server_, nullptr);
  EXPECT_FALSE(std::filesystem::exists(socketPath_));
}

TEST_F(InstanceServerTest, ClosingRemovesOnlyItsOwnSocketFile) {
  server_->Close();
  EXPECT_FALSE(server_->IsListening());
  EXPECT_FALSE(std::filesystem::exists(socketPath_));
  EXPECT_FALSE(HandOverWhileServing({"/a.mp3"}, 200));

  auto other = std::make_unique<TInstanceServer>(TUniqueFd(), socketPath_);
  ::close(::open(socketPath_.c_str(), O_CREAT | O_WRONLY, 0600));  // bound later by someone else
  other.reset();
  EXPECT_TRUE(std::filesystem::exists(socketPath_));
}

}  // namespace
}  // namespace orvana::app
