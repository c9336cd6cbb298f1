// toolkit_pictures.h: pictures that reach the program through the toolkit:
// the clipboard's, and files of formats the program has no reader of its
// own for (GIF).
#pragma once

#include "gfx/dib.h"

namespace cbst {

// Reads the picture file `path` with the toolkit's image readers into a
// 24-bit Dib; false when it cannot be read.
bool ReadToolkitPicture(const char* path, Dib& into);

// Whether the clipboard holds a picture now.
bool ClipboardHasPicture();
// The clipboard's picture as a 24-bit Dib; false when there is none.
bool TakeClipboardPicture(Dib& into);

}  // namespace cbst
