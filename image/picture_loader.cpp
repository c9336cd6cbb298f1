// picture_loader.cpp: the picture file a user chose, as BMP or JPEG.
#include <memory>
#include "base/status_codes.h"
#include "image/bmp_file.h"
#include "image/jpeg.h"

#include "platform/busy.h"

namespace cbst {

int LoadPicture(Dib& dib, ProgressSink* progress, int kind, File& file, Status& status) {
  std::unique_ptr<WaitCursor> waiting;
  if (!progress) waiting = std::make_unique<WaitCursor>();
  if (kind == kPictureAny || kind == kPictureBmpFile) {
    status = ReadBmp(dib, progress, false, 0, file);
    if (status.peek() == 0) return kPictureBmpFile;
    if (kind == kPictureBmpFile) return 0;
    status.MarkHandled();  // not a BMP: JPEG is tried next
  }
  int colours = 0;
  status = LoadJpegFile(dib, progress, kLoadForDisplay | kLoadWholeStream, colours, 0, file);
  return status.peek() == 0 ? kPictureJpegFile : 0;
}

}  // namespace cbst
