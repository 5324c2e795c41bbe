#include "desktop_session.h"

#include "x_tools.h"

#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

namespace orvana::testing {
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;


TDesktopSession::TDesktopSession() {
  if (folder_.Path().empty()) return;
  fs::create_directory(ProgramFolder());
  // A portable copy: the launcher and the desktop library beside it.
  const fs::path built = ORVANA_DESKTOP_PATH;
  fs::copy_file(built, ProgramPath());
  fs::copy_file(built.parent_path() / "liborvana-desktop.so", ProgramFolder() + "/liborvana-desktop.so");
  // ALSA's default device becomes one that plays nothing, so songs open and
  // play without a sound card.
  WriteFile(folder_.Path() + "/home/.asoundrc", "pcm.!default { type null }\nctl.!default { type hw card 0 }\n");
  display_ = std::make_unique<TPrivateDisplay>(folder_.Path() + "/xvfb.log");
}

TDesktopSession::~TDesktopSession() {
  tray_.reset();
  if (compositor_ != nullptr) {
    compositor_->Signal(SIGTERM);  // it takes its socket and lock with it
    compositor_->WaitForExit(3000);
    compositor_.reset();
  }
  display_.reset();
}

std::vector<std::string> TDesktopSession::Environment() const {
  std::vector<std::string> environment = folder_.Environment();
  environment.insert(environment.end(), {"PATH=/usr/local/bin:/usr/bin:/bin",
          "DBUS_SESSION_BUS_ADDRESS=" + busAddress_,
          "LANG=C.UTF-8",
          "ASAN_OPTIONS=detect_leaks=0",
          "UBSAN_OPTIONS=print_stacktrace=1"});
  if (waylandDisplay_.empty()) {
    environment.push_back("DISPLAY=" + Display());
    environment.push_back("QT_QPA_PLATFORM=xcb");
  } else {
    environment.push_back("WAYLAND_DISPLAY=" + waylandDisplay_);
    environment.push_back("QT_QPA_PLATFORM=wayland");
  }
  // A test that plays into a sound server of its own passes it on.
  for (const char* name : {"ALSA_CONFIG_PATH", "PULSE_SERVER"})
    if (const char* value = std::getenv(name)) environment.push_back(std::string(name) + "=" + value);
  return environment;
}

std::vector<std::string> TDesktopSession::ProgramEnvironment() const {
  std::vector<std::string> environment = Environment();
  std::replace(environment.begin(), environment.end(), std::string("LANG=C.UTF-8"), "LANG=" + locale_);
  return environment;
}

const std::string& TDesktopSession::Display() const {
  static const std::string none;
  return display_ != nullptr ? display_->Name() : none;
}

std::string TDesktopSession::MakeSong(const std::string& name, int repeats) const {
  // Frames of a constant bit rate follow one another: copies make a longer song.
  const std::string tone = ReadFile(std::string(ORVANA_TEST_DATA_DIR) + "/player/tone-44100-stereo-cbr.mp3");
  std::string song;
  for (int copy = 0; copy < repeats; ++copy) song += tone;
  const std::string path = folder_.Path() + "/" + name;
  WriteFile(path, song);
  return path;
}

void TDesktopSession::WriteFile(const std::string& path, const std::string& text) const {
  std::ofstream(path, std::ios::binary) << text;
}

std::string TDesktopSession::ReadFile(const std::string& path) const {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string TDesktopSession::Log() const {
  std::string log = ReadFile(LogPath());
  // A tray or compositor that failed to start says why in its own log.
  for (const char* trayLog : {"/trayer.log", "/panel.log", "/weston.log"}) {
    const std::string text = ReadFile(folder_.Path() + trayLog);
    if (!text.empty()) log += std::string("\n--- ") + (trayLog + 1) + ":\n" + text;
  }
  return log;
}

std::unique_ptr<TChildProcess> TDesktopSession::StartProgram(const std::vector<std::string>& arguments) const {
  std::vector<std::string> argv{ProgramPath()};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return std::make_unique<TChildProcess>(argv, ProgramEnvironment(), LogPath());
}

TCommandResult TDesktopSession::RunProgram(const std::vector<std::string>& arguments, int timeoutMs) const {
  std::vector<std::string> argv{ProgramPath()};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return RunCommand(argv, ProgramEnvironment(), timeoutMs, folder_.Path());
}

std::vector<TDesktopSession::TWindow> TDesktopSession::Windows(const std::string& prefix, bool mappedOnly) const {
  std::vector<std::string> search{"search"};
  if (mappedOnly) search.push_back("--onlyvisible");
  // The search reads WM_NAME, which Qt writes in the locale's encoding: a
  // Japanese caption comes out garbled where the locale is not installed.
  // The search takes the prefix's ASCII head; the name (_NET_WM_NAME, UTF-8)
  // decides.
  const auto ascii = std::find_if(prefix.begin(), prefix.end(), [](char c) { return (c & 0x80) != 0; });
  search.insert(search.end(), {"--name", "^" + std::string(prefix.begin(), ascii)});
  std::vector<TWindow> windows;
  std::istringstream ids(Xdotool(search).output);
  for (std::string id; std::getline(ids, id);) {
    TCommandResult name = Xdotool({"getwindowname", id});
    while (!name.output.empty() && name.output.back() == '\n') name.output.pop_back();
    // The search takes a regular expression; the prefix is plain text.
    if (name.output.rfind(prefix, 0) == 0) windows.push_back({id, name.output});
  }
  return windows;
}

std::vector<std::string> TDesktopSession::WindowNames(const std::string& prefix, bool mappedOnly) const {
  std::vector<std::string> names;
  for (const TWindow& window : Windows(prefix, mappedOnly)) names.push_back(window.name);
  return names;
}

std::string TDesktopSession::WaitForWindowId(const std::string& prefix, int timeoutMs) const {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  do {
    const std::vector<TWindow> windows = Windows(prefix, true);
    if (!windows.empty()) return windows.front().id;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (Clock::now() < deadline);
  return "";
}

bool TDesktopSession::WaitForWindow(const std::string& prefix, int timeoutMs) const {
  return !WaitForWindowId(prefix, timeoutMs).empty();
}

bool TDesktopSession::WaitForWindowGone(const std::string& prefix, int timeoutMs) const {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  do {
    if (Windows(prefix, true).empty()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (Clock::now() < deadline);
  return false;
}

bool TDesktopSession::StartTray(int timeoutMs) {
  tray_ = StartTrayer(Environment(), folder_.Path() + "/trayer.log");
  // The tray is there once its panel window is.
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  do {
    if (!Xdotool({"search", "--onlyvisible", "--class", "trayer"}).output.empty()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (Clock::now() < deadline && tray_->Running());
  return false;
}

bool TDesktopSession::StartWaylandCompositor(int timeoutMs) {
  const std::string name = "wayland-orvana";
  compositor_ = std::make_unique<TChildProcess>(
      std::vector<std::string>{"weston", "--backend=headless-backend.so", "--shell=kiosk-shell.so", "--no-config",
                               "--idle-time=0", "--socket=" + name},
      std::vector<std::string>{"PATH=/usr/bin:/bin", "HOME=" + folder_.Path() + "/home", "XDG_RUNTIME_DIR=" + folder_.Path() + "/runtime"},
      folder_.Path() + "/weston.log");
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  do {
    std::error_code error;
    if (fs::exists(folder_.Path() + "/runtime/" + name, error)) {
      waylandDisplay_ = name;
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  } while (Clock::now() < deadline && compositor_->Running());
  return false;
}

bool TDesktopSession::StartStatusNotifierHost(int timeoutMs) {
  tray_ = StartStatusNotifierPanel(Environment(), folder_.Path());
  // A program started before the panel's host is registered sees no tray
  // and shows its window.
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  do {
    const TCommandResult registered =
        RunCommand({"gdbus", "call", "--session", "--dest", "org.kde.StatusNotifierWatcher", "--object-path",
                    "/StatusNotifierWatcher", "--method", "org.freedesktop.DBus.Properties.Get",
                    "org.kde.StatusNotifierWatcher", "IsStatusNotifierHostRegistered"},
                   Environment(), 5000);
    if (registered.status == 0 && registered.output.find("true") != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  } while (Clock::now() < deadline);
  return false;
}

std::string TDesktopSession::WaitForTrayIcon(int timeoutMs) const {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  do {
    std::istringstream ids(Xdotool({"search", "--onlyvisible", "--name", "^Orvana$"}).output);
    std::string id;
    if (std::getline(ids, id) && !id.empty()) return id;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (Clock::now() < deadline);
  return "";
}

TCommandResult TDesktopSession::Xdotool(const std::vector<std::string>& arguments) const {
  return RunXdotool(arguments, Environment());
}

}  // namespace orvana::testing

namespace orvana::testing {

bool TDesktopSession::WaitForInstanceSocket(int timeoutMs) const {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  do {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder_.Path() + "/runtime", error))
      if (entry.is_socket(error)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  } while (Clock::now() < deadline);
  return false;
}

}  // namespace orvana::testing
