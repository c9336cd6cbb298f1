// menu_icons_test.cpp: the two strips of menu icons: their sizes, icons
// that show on a light menu and keep to their own slots, and the cut of one
// icon out of its strip.
#include "ui/menu_icons.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

namespace cbst {
namespace {

struct StripCase {
  IconStrip strip;
  int slot_count;
  std::set<int> used;
};

const StripCase kStrips[] = {
    {IconStrip::kProgram,
     10,
     {kIconGameSettings, kIconHelp, kIconCompetitionScore, kIconSpreadPieces, kIconNewPuzzle,
      kIconOptions}},
    {IconStrip::kTable, 18, {kIconPreviewHelp, kIconPreview, kIconMinimize}},
};

std::uint32_t Alpha(std::uint32_t pixel) {
  return pixel >> 24;
}

bool IsSolid(std::uint32_t pixel) {
  return Alpha(pixel) >= 0x80;
}

// Dark enough to read as the outline against a light menu.
bool IsDark(std::uint32_t pixel) {
  const int red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
  return IsSolid(pixel) && red * 3 + green * 6 + blue < 100 * 10;
}

std::vector<std::uint32_t> Slot(const ProgramPicture& strip, int index) {
  std::vector<std::uint32_t> slot;
  for (int y = 0; y < kMenuIconSize; ++y) {
    const auto row = strip.pixels.begin() + y * strip.width + index * kMenuIconSize;
    slot.insert(slot.end(), row, row + kMenuIconSize);
  }
  return slot;
}

TEST(MenuIconsTest, StripsHoldOneSquareSlotPerIcon) {
  for (const StripCase& strip : kStrips) {
    const ProgramPicture picture = LoadIconStrip(strip.strip);
    EXPECT_EQ(picture.width, strip.slot_count * kMenuIconSize);
    EXPECT_EQ(picture.height, kMenuIconSize);
    EXPECT_EQ(picture.pixels.size(), static_cast<std::size_t>(picture.width * picture.height));
  }
}

TEST(MenuIconsTest, UsedIconsShowOnAMenuAndOthersStayTransparent) {
  for (const StripCase& strip : kStrips) {
    const ProgramPicture picture = LoadIconStrip(strip.strip);
    ASSERT_EQ(picture.width, strip.slot_count * kMenuIconSize);
    for (int index = 0; index < strip.slot_count; ++index) {
      SCOPED_TRACE(::testing::Message()
                   << "strip " << static_cast<int>(strip.strip) << " slot " << index);
      const std::vector<std::uint32_t> slot = Slot(picture, index);
      const ProgramPicture icon = MenuIcon(strip.strip, index);
      EXPECT_EQ(icon.width, kMenuIconSize);
      EXPECT_EQ(icon.height, kMenuIconSize);
      EXPECT_EQ(icon.pixels, slot);
      int visible = 0, solid = 0, dark = 0;
      for (std::uint32_t pixel : slot) {
        visible += Alpha(pixel) > 0;
        solid += IsSolid(pixel);
        dark += IsDark(pixel);
      }
      if (!strip.used.contains(index)) {
        // A neighbour drawn too wide would show here.
        EXPECT_EQ(visible, 0);
        continue;
      }
      EXPECT_GE(visible, 256 / 3);
      // Round shapes have many softened edge pixels, but no more.
      EXPECT_GE(solid * 4, visible * 3) << "mostly solid, not faint";
      EXPECT_GE(dark, 12) << "an outline that shows on a light menu";
    }
  }
}

TEST(MenuIconsTest, UsedIconsDifferFromEachOther) {
  std::vector<std::vector<std::uint32_t>> icons;
  for (const StripCase& strip : kStrips) {
    for (int index : strip.used)
      icons.push_back(MenuIcon(strip.strip, index).pixels);
  }
  for (std::size_t first = 0; first < icons.size(); ++first) {
    for (std::size_t second = first + 1; second < icons.size(); ++second) {
      int differing = 0;
      for (std::size_t pixel = 0; pixel < icons[first].size(); ++pixel)
        differing += icons[first][pixel] != icons[second][pixel];
      EXPECT_GE(differing, 256 / 8) << "icons " << first << " and " << second;
    }
  }
}

TEST(MenuIconsTest, IndexOutsideAStripGivesNoIcon) {
  EXPECT_TRUE(MenuIcon(IconStrip::kProgram, -1).empty());
  EXPECT_TRUE(MenuIcon(IconStrip::kProgram, 10).empty());
  EXPECT_TRUE(MenuIcon(IconStrip::kTable, -1).empty());
  EXPECT_TRUE(MenuIcon(IconStrip::kTable, 18).empty());
  // The table's last icon lies beyond the end of the shorter program strip.
  EXPECT_TRUE(MenuIcon(IconStrip::kProgram, kIconMinimize).empty());
  EXPECT_FALSE(MenuIcon(IconStrip::kTable, kIconMinimize).empty());
}

}  // namespace
}  // namespace cbst
