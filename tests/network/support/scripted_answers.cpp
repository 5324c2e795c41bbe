#include "scripted_answers.h"

#include <fstream>
#include <iterator>
#include <memory>

namespace orvana::testing {
namespace {

// Produces a station's body piece by piece: audio with a metadata block
// (often empty: a zero length byte) after every metaint bytes of it.
class TStationBody {
 public:
  explicit TStationBody(const TStationScript& script) : script_(script) {}

  std::string Next(std::size_t most) {
    std::string piece;
    while (piece.size() < most && !Ended()) {
      if (script_.metaint != 0 && intervalLeft_ == 0) {
        piece += Block();
        intervalLeft_ = script_.metaint;
        continue;
      }
      std::size_t count = most - piece.size();
      if (script_.metaint != 0) count = std::min(count, intervalLeft_);
      if (script_.audioBytes >= 0) count = std::min<std::size_t>(count, script_.audioBytes - audioSent_);
      count = std::min(count, script_.audio.size() - audioAt_);
      piece.append(script_.audio, audioAt_, count);
      audioAt_ = (audioAt_ + count) % script_.audio.size();
      audioSent_ += count;
      if (script_.metaint != 0) intervalLeft_ -= count;
    }
    return piece;
  }

 private:
  bool Ended() const { return script_.audioBytes >= 0 && audioSent_ >= script_.audioBytes; }

  // The block due now: the last text whose offset the audio has reached.
  std::string Block() {
    std::string text;
    while (nextMetadata_ < script_.metadata.size() && script_.metadata[nextMetadata_].audioOffset <= audioSent_)
      text = script_.metadata[nextMetadata_++].text;
    const std::size_t sixteens = (text.size() + 15) / 16;
    text.resize(sixteens * 16, '\0');
    return char(sixteens) + text;
  }

  const TStationScript script_;
  std::size_t audioAt_ = 0;
  std::int64_t audioSent_ = 0;
  std::size_t intervalLeft_ = script_.metaint;
  std::size_t nextMetadata_ = 0;
};

}  // namespace

THostileReply ErrorPage(int status, const std::string& reason) {
  const std::string page = "<html><body><h1>" + reason + "</h1></body></html>\n";
  return {.head = "HTTP/1.1 " + std::to_string(status) + " " + reason +
                  "\r\nContent-Type: text/html\r\nConnection: close\r\nContent-Length: " +
                  std::to_string(page.size()) + "\r\n\r\n" + page};
}

THostileReply HtmlPage() {
  return {.head = "HTTP/1.0 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n\r\n"
                  "<!DOCTYPE html><html><body>Listen to our station!</body></html>\n"};
}

THostileReply EndlessHeaders() {
  return {.head = "HTTP/1.0 200 OK\r\nContent-Type: audio/mpeg\r\n",
          .more = [](std::size_t most) {
            std::string lines;
            while (lines.size() + 40 < most) lines += "X-Padding: aaaaaaaaaaaaaaaaaaaaaaaaa\r\n";
            return lines;
          }};
}

THostileReply StalledHeaders() {
  return {.head = "HTTP/1.0 200 OK\r\nContent-Type: audio/mpeg\r\n", .holdOpen = true};
}

THostileReply Redirect(const std::string& location) {
  return {.head = "HTTP/1.1 302 Found\r\nLocation: " + location + "\r\nContent-Length: 0\r\n\r\n"};
}

THostileReply Trickled(THostileReply reply, int bytesPerSecond) {
  reply.bytesPerSecond = bytesPerSecond;
  return reply;
}

std::string TitleText(const std::string& title) { return "StreamTitle='" + title + "';"; }

THostileReply Station(const TStationScript& script) {
  std::string head = script.statusLine +
                     "\r\nContent-Type: audio/mpeg\r\nicy-name: Test Station\r\nicy-genre: Test\r\nicy-br: 128\r\n";
  if (script.metaint != 0) head += "icy-metaint: " + std::to_string(script.metaint) + "\r\n";
  if (script.contentLength) head += "Content-Length: " + std::to_string(script.audioBytes) + "\r\n";
  head += script.extraHeaders + "\r\n";
  auto body = std::make_shared<TStationBody>(script);
  return {.head = head, .more = [body](std::size_t most) { return body->Next(most); }};
}

std::string LoopedAudio(const std::string& audio, std::size_t count) {
  std::string looped;
  while (looped.size() < count) looped.append(audio, 0, std::min(audio.size(), count - looped.size()));
  return looped;
}

std::string StationAudio() {
  std::ifstream file(ORVANA_TEST_DATA_DIR "/l3-44100-stereo-cbr128-crc.mp3", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace orvana::testing
