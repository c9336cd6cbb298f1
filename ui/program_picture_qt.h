// program_picture_qt.h: a picture drawn with the toolkit's painter, as the
// program keeps its pictures.
#pragma once

#include <QImage>

#include "ui/program_pictures.h"

namespace cbst {

// The pixels of an ARGB32 image, row by row.
ProgramPicture ToProgramPicture(const QImage& image);

}  // namespace cbst
