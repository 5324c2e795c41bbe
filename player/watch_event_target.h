#pragma once
// A loop thread's target that runs one function each time the thread finds
// its wake event signalled and ignores every other message. A class of its
// own (and final), so that the thread never calls into an object that is
// being torn down around it.
#include <functional>

#include "player/thread_messages.h"

namespace orvana::player {

class TMPWatchEventTarget final : public TMPMessageTarget {
 public:
  // Set before the thread is resumed.
  void SetHandler(std::function<void()> handler) { handler_ = std::move(handler); }

  void Dispatch(TMPMessage& message) override {
    if (message.Msg == MPM_WATCHEVENT && handler_) handler_();
  }

 private:
  std::function<void()> handler_;
};

}  // namespace orvana::player
