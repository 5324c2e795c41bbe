#pragma once
// The vocabulary of the folder chooser (TSHBrowseForFolderEx): which folder to
// start from, its options, where the dialog appears and what a selection change
// may do to its accept button.
#include <cstdint>
#include <initializer_list>

namespace orvana::ui {

// Known folders, or a folder named by path (rfManual). TSelectFolder has the
// same values in the same order.
enum TRootFolder {
  rfDesktop,
  rfManual,
  rfDrives,
  rfDesktopDir,
  rfFavorites,
  rfPrograms,
  rfRecent,
  rfSendTo,
  rfStartMenu,
  rfStartup,
  rfTemplates,
};

enum TSelectFolder {
  sfDesktop,
  sfManual,
  sfDrives,
  sfDesktopDir,
  sfFavorites,
  sfPrograms,
  sfRecent,
  sfSendTo,
  sfStartMenu,
  sfStartup,
  sfTemplates,
};

static_assert(int{sfTemplates} == int{rfTemplates}, "the two folder kinds run in step");

inline TRootFolder AsRootFolder(TSelectFolder folder) { return static_cast<TRootFolder>(folder); }

// sboDontGoBelowDomain, sboReturnFSAncestors and sboReturnOnlyFSDirs describe
// what a desktop folder dialog does anyway; the status options show a status
// line, sboStatusTextAndShowPath filled with the selected folder's path.
enum TSHBrowseOption {
  sboDontGoBelowDomain,
  sboReturnFSAncestors,
  sboReturnOnlyFSDirs,
  sboStatusTextAndShowPath,
  sboStatusText,
};

class TSHBrowseOptions {
 public:
  constexpr TSHBrowseOptions() = default;
  constexpr TSHBrowseOptions(std::initializer_list<TSHBrowseOption> options) {
    for (TSHBrowseOption option : options) Include(option);
  }

  constexpr bool Contains(TSHBrowseOption option) const { return (bits_ & Bit(option)) != 0; }
  constexpr TSHBrowseOptions& Include(TSHBrowseOption option) {
    bits_ |= Bit(option);
    return *this;
  }
  constexpr TSHBrowseOptions& Exclude(TSHBrowseOption option) {
    bits_ &= ~Bit(option);
    return *this;
  }
  friend constexpr bool operator==(TSHBrowseOptions, TSHBrowseOptions) = default;

 private:
  static constexpr uint8_t Bit(TSHBrowseOption option) { return uint8_t(1u << option); }

  uint8_t bits_ = 0;
};

enum TShowStyle {
  ssNone,          // where the window system puts it
  ssCenterScreen,  // centred across, a third down the owner's screen
  ssClient,        // top-left corner on the owner window's client origin
};

enum TOKButtonState {
  obsUnchanged,
  obsEnable,
  obsDisable,
};

}  // namespace orvana::ui
