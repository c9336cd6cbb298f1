// palette_test.cpp: the colour cube, merging, the master palette and
// realisation on the simulated palette displays.
#include "gfx/palette.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>

#include "platform/display.h"

namespace cbst {
namespace {

class PaletteTest : public ::testing::Test {
 protected:
  void SetUp() override { SelectSimulatedDisplay("32"); }
  void TearDown() override { SelectSimulatedDisplay("32"); }
};

// A palette of `count` colours that neither the cube nor the system has.
Palette Unusual(int count, std::uint32_t flags = 0) {
  LogicalPalette buffer;
  for (int i = 0; i < count; ++i)
    buffer.entries.push_back({1, static_cast<std::uint8_t>(i), 7, 0});
  return Palette(buffer, flags);
}

bool Holds(const Palette& palette, std::uint32_t colour) {
  const int index = palette.NearestIndex(colour);
  return index >= 0 && palette.entries()[index].Colour() == colour;
}

TEST_F(PaletteTest, CubeOfTheLargeDisplayHasItsColoursAndGreys) {
  SelectSimulatedDisplay("256");
  const Palette cube = Palette::ColourCube();
  ASSERT_EQ(cube.count(), 236);
  EXPECT_EQ(cube.entries()[1], (PaletteEntry{0, 0, 51, 0}));   // blue innermost
  EXPECT_EQ(cube.entries()[36], (PaletteEntry{51, 0, 0, 0}));  // red outermost
  EXPECT_EQ(cube.entries()[215], (PaletteEntry{255, 255, 255, 0}));
  const int greys[] = {21,  32,  42,  53,  64,  75,  85,  96,  107, 118,
                       128, 139, 150, 160, 171, 182, 193, 203, 214, 225};
  for (int k = 0; k < 20; ++k)
    EXPECT_EQ(cube.EntryColour(216 + k), (0x010101u * greys[k] | kPaletteRelative));

  const Palette reserved = Palette::ColourCube(Palette::kReservedEntries);
  for (const PaletteEntry& entry : reserved.entries())
    ASSERT_EQ(entry.flags, kEntryReserved);

  SelectSimulatedDisplay("32");  // no palette: the full cube all the same
  EXPECT_EQ(Palette::ColourCube().count(), 236);
  SelectSimulatedDisplay("16");  // no free entries: only as many as the palette has
  ASSERT_EQ(Palette::ColourCube().count(), 16);
  EXPECT_EQ(Palette::ColourCube().entries()[15], (PaletteEntry{0, 102, 153, 0}));
}

TEST_F(PaletteTest, EntriesReadAsPaletteRelativeColours) {
  const std::array<ColourTableEntry, 2> table = {{{1, 2, 3, 0}, {4, 5, 6, 0}}};
  Palette palette(table, Palette::kReservedEntries);
  EXPECT_EQ(palette.entries()[0], (PaletteEntry{3, 2, 1, kEntryReserved}));
  EXPECT_EQ(palette.EntryColour(1), 0x02040506u);
  EXPECT_TRUE(palette.SetEntry(0, 0x123456));
  EXPECT_EQ(palette.EntryColour(0), 0x02123456u);
  EXPECT_EQ(palette.EntryColour(2), 0u);

  LogicalPalette old = LogicalPalette::FromPalette(palette);
  old.version = 0x200;
  EXPECT_TRUE(Palette(old).Empty());
}

TEST_F(PaletteTest, MergeAddsOnlyMissingColoursThatFit) {
  Palette palette = Unusual(4);
  palette.set_mode(PaletteMode::kGrowable);
  EXPECT_EQ(palette.Merge(palette), 0);
  EXPECT_EQ(palette.Merge(Palette(palette)), 0);

  Palette more = Unusual(10);
  EXPECT_EQ(Unusual(4).Merge(more), 0);  // a fixed palette does not grow
  palette.set_max_entries(7);
  EXPECT_EQ(palette.Merge(more), 3);
  EXPECT_EQ(palette.count(), 7);
  EXPECT_TRUE(Holds(palette, 0x070601));
  EXPECT_FALSE(Holds(palette, 0x070701));

  Palette twice(Palette::kReservedEntries);
  EXPECT_EQ(twice.Merge(more), 10);  // an empty palette takes them all
  EXPECT_EQ(twice.entries()[9].flags, kEntryReserved);
}

TEST_F(PaletteTest, RealisingFillsTheFreeHardwareEntries) {
  SelectSimulatedDisplay("256");
  Palette cube = Palette::ColourCube();
  // Black, white, the six primaries and grey 128 are system colours already.
  EXPECT_EQ(cube.Realise(true), cube.count() - 9);
  EXPECT_EQ(cube.Realise(true), 0);

  Palette late = Unusual(20);
  EXPECT_EQ(late.Realise(false), 9);  // the entries the cube left free
  const LogicalPalette system = LogicalPalette::FromSystem();
  ASSERT_EQ(system.count(), 256);
  EXPECT_EQ(system.entries[245].Colour(), 0x070801u);
  EXPECT_EQ(system.entries[255].Colour(), 0xFFFFFFu);
  EXPECT_EQ(NearestSystemColour(0x070801), 245);
  EXPECT_EQ(NearestSystemColour(0x0000FE | kPaletteRelative), 249);  // system red

  // In the foreground it takes the cube's entries, from the first free one on.
  EXPECT_EQ(late.Realise(true), 20);
  EXPECT_EQ(LogicalPalette::FromSystem().entries[10].Colour(), 0x070001u);

  SelectSimulatedDisplay("16");
  EXPECT_EQ(late.Realise(true), 0);  // every colour is fixed
  EXPECT_EQ(NearestSystemColour(0x0000FE), 9);

  SelectSimulatedDisplay("32");
  EXPECT_EQ(late.Realise(true), 0);
  EXPECT_EQ(LogicalPalette::FromSystem().count(), 0);
  EXPECT_EQ(NearestSystemColour(0x123456), -1);
}

TEST_F(PaletteTest, OnlyReservedPalettesAnimate) {
  SelectSimulatedDisplay("256");
  Palette still = Unusual(3);
  const std::array<PaletteEntry, 1> red = {{{200, 0, 0, 0}}};
  EXPECT_FALSE(still.Animate(1, red));
  EXPECT_EQ(still.entries()[1].red, 1);

  Palette moving = Unusual(3, Palette::kReservedEntries);
  moving.SetEntry(0, 0x000000);  // gets an entry of its own, not the system's black
  EXPECT_EQ(moving.Realise(true), 3);
  EXPECT_TRUE(moving.Animate(0, red));
  EXPECT_EQ(moving.entries()[0], (PaletteEntry{200, 0, 0, kEntryReserved}));
  const LogicalPalette system = LogicalPalette::FromSystem();
  EXPECT_EQ(system.entries[0].Colour(), 0u);
  EXPECT_EQ(system.entries[10].Colour(), 0x0000C8u);
}

struct RecordingOwner : PaletteOwner {
  void PaletteGoing(Palette& palette) override { gone.push_back(&palette); }
  std::vector<const Palette*> gone;
};

TEST_F(PaletteTest, MasterPaletteFollowsItsMembers) {
  Palette& master = MasterPalette();
  const int start = LiveCount(LiveKind::kPalette);
  {
    RecordingOwner owner;
    auto first = std::make_unique<Palette>(Unusual(3, Palette::kOwnerRealises));
    first->set_owner(&owner);
    Palette second = Palette::ColourCube(Palette::kOwnerRealises | Palette::kNeverForeground);

    EXPECT_EQ(PaletteForDrawing(*first, true), first.get());
    EXPECT_TRUE(master.Empty());  // background drawing merges nothing
    EXPECT_EQ(PaletteForDrawing(*first, false), &master);
    EXPECT_EQ(PaletteForDrawing(second, false), &second);
    EXPECT_EQ(master.count(), 3 + 236);
    EXPECT_EQ(PaletteForDrawing(Palette(), false), nullptr);

    // Kept as a number: the pointer is not used once the palette is gone.
    const auto going = reinterpret_cast<std::uintptr_t>(first.get());
    first.reset();
    ASSERT_EQ(owner.gone.size(), 1u);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(owner.gone[0]), going);
    EXPECT_EQ(master.count(), 236);
    EXPECT_FALSE(Holds(master, 0x070001));

    SetPaletteLock(true);
    {
      const Palette locked = Unusual(2, Palette::kOwnerRealises);
      EXPECT_EQ(PaletteForDrawing(locked, false), &locked);
      EXPECT_EQ(CurrentPalette(), &locked);
    }
    SetPaletteLock(false);
    EXPECT_EQ(CurrentPalette(), nullptr);
  }
  EXPECT_TRUE(master.Empty());
  EXPECT_EQ(LiveCount(LiveKind::kPalette), start);
}

}  // namespace
}  // namespace cbst
