#include "app/dialogs/file_info.h"

#include "app/dialogs/mpeg_info_dialog.h"
#include "app/files/file_reading.h"
#include "app/playlist/read_tag_v1.h"

namespace orvana::app {

bool ShowFileInfo(const std::string& path, QWidget& owner, const ui::TDialogRunner& run) {
  if (path.empty() || !RegularFileExists(path)) return false;
  TTagRecord tag;
  ReadTagV1(path, tag);
  TdlgMPEGInfo dialog(&owner);
  dialog.Fill(path, tag);
  run(dialog);  // whatever it ends with, nothing goes back into the file
  return true;
}

}  // namespace orvana::app
