#include "app/desktop/hand_over_message.h"

#include <string_view>

namespace orvana::app {
namespace {

constexpr std::string_view kMagic = "ORVH";
constexpr uint32_t kVersion = 1;
constexpr std::size_t kNumberBytes = 4;

void AppendNumber(std::string& out, uint32_t number) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((number >> shift) & 0xFF));
}

uint32_t NumberAt(std::string_view bytes) {
  uint32_t number = 0;
  for (std::size_t i = 0; i < kNumberBytes; ++i) number |= uint32_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
  return number;
}

}  // namespace

std::string HandOverLimitProblem(const std::vector<std::string>& arguments) {
  if (arguments.size() > kMaxHandOverArguments)
    return std::to_string(arguments.size()) + " arguments, at most " + std::to_string(kMaxHandOverArguments) +
           " can be handed over";
  std::size_t total = 0;
  for (const std::string& argument : arguments) {
    if (argument.size() > kMaxHandOverArgumentBytes)
      return "an argument of " + std::to_string(argument.size()) + " bytes, at most " +
             std::to_string(kMaxHandOverArgumentBytes) + " can be handed over";
    if (argument.find('\0') != std::string::npos) return "an argument holds a NUL byte";
    total += argument.size();
  }
  if (total > kMaxHandOverTotalBytes)
    return std::to_string(total) + " bytes of arguments, at most " + std::to_string(kMaxHandOverTotalBytes) +
           " can be handed over";
  return {};
}

std::string EncodeHandOver(const std::vector<std::string>& arguments) {
  std::string message(kMagic);
  AppendNumber(message, kVersion);
  AppendNumber(message, static_cast<uint32_t>(arguments.size()));
  for (const std::string& argument : arguments) {
    AppendNumber(message, static_cast<uint32_t>(argument.size()));
    message += argument;
  }
  return message;
}

THandOverDecoder::TState THandOverDecoder::Feed(std::span<const char> bytes) {
  if (state_ == TState::kComplete && !bytes.empty()) state_ = TState::kMalformed;
  if (state_ != TState::kNeedMore) return state_;
  pending_.append(bytes.data(), bytes.size());
  state_ = Parse();
  // Only the unparsed tail is kept, so memory stays near one argument's size.
  pending_.erase(0, parsed_);
  parsed_ = 0;
  return state_;
}

bool THandOverDecoder::Take(std::size_t count, std::string_view& taken) {
  if (pending_.size() - parsed_ < count) return false;
  taken = std::string_view(pending_).substr(parsed_, count);
  parsed_ += count;
  return true;
}

bool THandOverDecoder::TakeNumber(uint32_t& number) {
  std::string_view bytes;
  if (!Take(kNumberBytes, bytes)) return false;
  number = NumberAt(bytes);
  return true;
}

THandOverDecoder::TState THandOverDecoder::Parse() {
  if (!headerRead_) {
    // A wrong first byte is refused at once, without waiting for the rest.
    const std::string_view received = std::string_view(pending_).substr(0, kMagic.size());
    if (received != kMagic.substr(0, received.size())) return TState::kMalformed;
    if (pending_.size() < kMagic.size() + 2 * kNumberBytes) return TState::kNeedMore;
    std::string_view magic;
    uint32_t version = 0;
    Take(kMagic.size(), magic);
    TakeNumber(version);
    TakeNumber(expectedCount_);
    if (version != kVersion || expectedCount_ > kMaxHandOverArguments) return TState::kMalformed;
    headerRead_ = true;
    arguments_.reserve(expectedCount_);
  }
  while (arguments_.size() < expectedCount_) {
    if (pending_.size() - parsed_ < kNumberBytes) return TState::kNeedMore;
    const uint32_t length = NumberAt(std::string_view(pending_).substr(parsed_));
    if (length > kMaxHandOverArgumentBytes || totalBytes_ + length > kMaxHandOverTotalBytes)
      return TState::kMalformed;
    if (pending_.size() - parsed_ < kNumberBytes + length) return TState::kNeedMore;
    std::string_view argument;
    parsed_ += kNumberBytes;
    Take(length, argument);
    if (argument.find('\0') != std::string_view::npos) return TState::kMalformed;
    arguments_.emplace_back(argument);
    totalBytes_ += length;
  }
  return parsed_ == pending_.size() ? TState::kComplete : TState::kMalformed;
}

}  // namespace orvana::app
