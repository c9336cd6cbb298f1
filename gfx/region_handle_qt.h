// region_handle_qt.h: the toolkit region behind a Region, for gfx/ and ui/.
//
// Game code never includes this: it speaks of Region only. The drawing code
// reaches the QRegion here to clip with it.
#pragma once

#include <QRegion>

namespace cbst {

struct RegionHandle {
  QRegion region;
};

}  // namespace cbst
