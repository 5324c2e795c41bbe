#pragma once
// A main window over a fresh folder of its own, playing on the null device,
// its error boxes caught instead of shown, its dialogs handed to the test
// (by default closed with Cancel) instead of run.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>

#include "app/window/main_window.h"
#include "crlf_lines.h"
#include "fake_tray_host.h"
#include "platform/wave_out.h"
#include "qt_test_application.h"

namespace orvana::app::testing {

using orvana::testing::CrLfLines;

class FormFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    orvana::testing::TestApplication();
    std::string pattern = std::filesystem::temp_directory_path().string() + "/orvana-form-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder = pattern;
    // A notification area shows the window's icon unless a test says otherwise.
    orvana::testing::UseFakeTrayHosts(trayHosts, {true});
  }
  void TearDown() override {
    form.reset();
    std::filesystem::remove_all(folder);
  }

  std::string Path(const std::string& name) const { return folder + "/" + name; }
  std::string SettingsPath() const { return Path("orvana.ini"); }
  std::string ListPath() const { return Path("orvana.lst"); }

  void Write(const std::string& path, const std::string& bytes) const { std::ofstream(path, std::ios::binary) << bytes; }
  std::string Read(const std::string& path) const {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  // A short tone without tags.
  std::string Song(const std::string& name) const {
    const std::string path = Path(name);
    std::filesystem::copy_file(std::string(ORVANA_TEST_DATA_DIR) + "/player/tone-44100-stereo-cbr.mp3", path,
                               std::filesystem::copy_options::overwrite_existing);
    return path;
  }

  // Runs the event loop until `done` holds; false after `timeoutMs`.
  static bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 15000) {
    QTimer tick;  // wakes the loop while nothing else does
    tick.start(10);
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
      if (clock.elapsed() > timeoutMs) return false;
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
  }
  // Runs the event loop for `milliseconds`.
  static void Spin(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    WaitUntil([&] { return clock.elapsed() >= milliseconds; }, milliseconds + 1000);
  }

  TForm1& Create(const std::vector<std::string>& arguments = {}) {
    form = std::make_unique<TForm1>(TFormFiles{SettingsPath(), ListPath()});
    form->SetErrorDisplay([this](const QString& text) { errors << text; });
    form->SetDialogRunner([this](QDialog& dialog) {
      dialogs << dialog.windowTitle();
      return answerDialog ? answerDialog(dialog) : int(QDialog::Rejected);
    });
    form->MP3Player1().SetDeviceID(platform::kNullWaveDevice);
    form->FormCreate(arguments);
    QCoreApplication::processEvents();  // what start-up leaves for the event loop: the first-run dialog
    return *form;
  }

  std::string folder;
  std::vector<orvana::testing::TFakeTrayHost*> trayHosts;
  std::unique_ptr<TForm1> form;
  QStringList errors;
  QStringList dialogs;  // the captions of the dialogs shown, in order
  std::function<int(QDialog&)> answerDialog;
};

}  // namespace orvana::app::testing
