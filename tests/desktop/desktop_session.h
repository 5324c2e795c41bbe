#pragma once
// A private desktop for one test: a fresh 0700 folder holding HOME, the
// configuration and runtime folders and a copy of the program (whose
// settings and list then live beside it), an X server of its own, no
// session bus unless the test brings one, and a sound device that swallows
// everything.
#include <memory>
#include <string>
#include <vector>

#include "child_process.h"
#include "fresh_folder.h"
#include "private_display.h"

namespace orvana::testing {

class TDesktopSession {
 public:
  TDesktopSession();
  ~TDesktopSession();
  TDesktopSession(const TDesktopSession&) = delete;
  TDesktopSession& operator=(const TDesktopSession&) = delete;

  bool Ready() const { return display_ != nullptr && display_->Ready(); }
  const std::string& Display() const;
  const std::string& Folder() const { return folder_.Path(); }
  std::string ProgramFolder() const { return folder_.Path() + "/bin"; }
  std::string ProgramPath() const { return ProgramFolder() + "/orvana"; }
  std::string LogPath() const { return folder_.Path() + "/orvana.log"; }
  // The program's output, then the tray's or compositor's when one was started.
  std::string Log() const;
  std::vector<std::string> Environment() const;
  std::vector<std::string> ProgramEnvironment() const;

  // A short tone without tags (1.2 s, `repeats` times over), so its title
  // is its file name.
  std::string MakeSong(const std::string& name, int repeats = 1) const;
  void WriteFile(const std::string& path, const std::string& text) const;
  std::string ReadFile(const std::string& path) const;

  std::unique_ptr<TChildProcess> StartProgram(const std::vector<std::string>& arguments) const;
  TCommandResult RunProgram(const std::vector<std::string>& arguments, int timeoutMs) const;

  // Names of the windows whose name starts with `prefix` (mapped ones only
  // when `mappedOnly`).
  std::vector<std::string> WindowNames(const std::string& prefix, bool mappedOnly) const;
  // Waits (bounded) until the running program listens for later starts.
  bool WaitForInstanceSocket(int timeoutMs) const;
  // Waits (bounded) until a mapped window's name starts with `prefix`.
  bool WaitForWindow(const std::string& prefix, int timeoutMs) const;
  // The first mapped window whose name starts with `prefix`, waited for
  // (bounded); empty when none comes.
  std::string WaitForWindowId(const std::string& prefix, int timeoutMs) const;
  // Waits (bounded) until no mapped window's name starts with `prefix`.
  bool WaitForWindowGone(const std::string& prefix, int timeoutMs) const;

  // An XEmbed system tray (trayer) at the top right of the screen; true
  // once it manages the tray.
  bool StartTray(int timeoutMs);
  // The program started from now on runs under LANG=`locale` instead of
  // C.UTF-8, in which it speaks English. The tools that look at it keep
  // C.UTF-8, so that they read its window names whatever the locale.
  void UseLocale(const std::string& locale) { locale_ = locale; }
  // Programs started from now on use this session bus instead of none.
  void UseSessionBus(const std::string& address) { busAddress_ = address; }
  // lxqt-panel as the StatusNotifierItem host (needs a session bus); true
  // once its host is registered with the watcher.
  bool StartStatusNotifierHost(int timeoutMs);
  // A Wayland compositor of the session's own (Weston, headless, with its
  // kiosk shell, which starts no helper programs); programs started from now
  // on run on it instead of the X server. True once its socket is there.
  bool StartWaylandCompositor(int timeoutMs);
  // The program's tray icon window (named "Orvana" and docked), or empty
  // when none appears within the time.
  std::string WaitForTrayIcon(int timeoutMs) const;
  TCommandResult Xdotool(const std::vector<std::string>& arguments) const;

 private:
  struct TWindow {
    std::string id;
    std::string name;
  };
  std::vector<TWindow> Windows(const std::string& prefix, bool mappedOnly) const;

  TFreshFolder folder_{"desktop"};  // first made, last removed
  std::unique_ptr<TPrivateDisplay> display_;
  std::unique_ptr<TChildProcess> tray_;
  std::unique_ptr<TChildProcess> compositor_;
  std::string waylandDisplay_;
  std::string busAddress_ = "disabled:";
  std::string locale_ = "C.UTF-8";
};

}  // namespace orvana::testing
