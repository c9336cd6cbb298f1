// palette.h: Palette, the colours a picture or window needs on a display
// with a hardware palette.
//
// On displays of 256 colours or fewer every picture and window shares one
// hardware palette. The windows' palettes are merged into the application's
// master palette, which is realised in their stead. On true-colour displays
// the same calls run and change nothing.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "gfx/graphics_object.h"

namespace cbst {

class Palette;

// The entry flag that keeps an entry out of other palettes' way, so that it
// can be animated.
inline constexpr std::uint8_t kEntryReserved = 0x01;

// Added to a colour 0x00BBGGRR to name the nearest entry of the selected
// palette rather than the nearest system colour.
inline constexpr std::uint32_t kPaletteRelative = 0x02000000;

struct PaletteEntry {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t flags = 0;

  std::uint32_t Colour() const { return red | green << 8 | blue << 16; }
  static PaletteEntry FromColour(std::uint32_t colour, std::uint8_t flags = 0);
  friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

// One entry of a bitmap's colour table, in the order the files store it.
struct ColourTableEntry {
  std::uint8_t blue = 0;
  std::uint8_t green = 0;
  std::uint8_t red = 0;
  std::uint8_t reserved = 0;
};

// The buffer a logical palette is made from: a version word, then the
// entries (the count is their number).
struct LogicalPalette {
  static constexpr std::uint16_t kVersion = 0x300;

  std::uint16_t version = kVersion;
  std::vector<PaletteEntry> entries;

  int count() const { return static_cast<int>(entries.size()); }

  // `count` black entries.
  static LogicalPalette WithCount(int count);
  // The hardware palette as it is now: none on a true-colour display.
  static LogicalPalette FromSystem();
  static LogicalPalette FromPalette(const Palette& palette);
  // Entries with the reserved flag when `reserved`, none otherwise.
  static LogicalPalette FromColourTable(std::span<const ColourTableEntry> table, bool reserved);
};

// Told by a palette that it is being destroyed; windows that own a palette
// implement this.
class PaletteOwner {
 public:
  virtual ~PaletteOwner() = default;
  virtual void PaletteGoing(Palette& palette) = 0;
};

// Whether a merge may grow the palette.
enum class PaletteMode { kFixed, kGrowable };

class Palette : public GraphicsObject {
 public:
  // The owner window realises the palette itself, through the master palette.
  static constexpr std::uint32_t kOwnerRealises = 0x01;
  // Entries are made with kEntryReserved so that they can be animated.
  static constexpr std::uint32_t kReservedEntries = 0x02;
  // The palette is never realised in the foreground.
  static constexpr std::uint32_t kNeverForeground = 0x04;

  // No entries yet; a merge into it takes the other palette's entries.
  explicit Palette(std::uint32_t flags = 0);
  Palette(std::span<const ColourTableEntry> table, std::uint32_t flags = 0);
  // Empty when the buffer's version is not kVersion.
  explicit Palette(const LogicalPalette& buffer, std::uint32_t flags = 0);
  // Same entries, flags, mode and maximum; no owner, not realised.
  Palette(const Palette& other);
  Palette& operator=(const Palette&) = delete;
  // Tells the owner, and leaves the current palette, the hardware palette
  // and the master palette.
  ~Palette();

  // The program's standard palette: the 6 x 6 x 6 colour cube and 20 greys,
  // cut to the display's free entries when it has fewer than 236.
  static Palette ColourCube(std::uint32_t flags = 0);

  bool Empty() const { return entries_.empty(); }
  int count() const { return static_cast<int>(entries_.size()); }
  const std::vector<PaletteEntry>& entries() const { return entries_; }
  std::uint32_t flags() const { return flags_; }

  PaletteOwner* owner() const { return owner_; }
  void set_owner(PaletteOwner* owner) { owner_ = owner; }
  PaletteMode mode() const { return mode_; }
  void set_mode(PaletteMode mode) { mode_ = mode; }
  // How many entries a merge may grow the palette to.
  int max_entries() const { return max_entries_; }
  void set_max_entries(int max_entries) { max_entries_ = max_entries; }

  // Entry `index` from a colour 0x00BBGGRR; false when there is no such entry.
  bool SetEntry(int index, std::uint32_t colour);
  // Entry `index` as a palette-relative colour; 0 when there is no such entry.
  std::uint32_t EntryColour(int index) const;
  // The entry nearest to `colour`, the first of equals; -1 when empty.
  int NearestIndex(std::uint32_t colour) const;

  // Replaces the entries from `first` on, in place and on the hardware where
  // realised. Only palettes made with kReservedEntries animate; false and
  // nothing changed for others.
  bool Animate(int first, std::span<const PaletteEntry> entries);

  // Adds the colours of `other` that this palette lacks, as many as fit below
  // max_entries() and only in mode kGrowable; an empty palette takes all of
  // them. Returns the number of entries added.
  int Merge(const Palette& other);

  // Puts the colours into the hardware palette and returns how many of its
  // entries changed. The foreground palette claims every free entry from the
  // first on; in the background only entries no palette holds are taken.
  // Colours without a place are shown by the nearest one. Nothing changes on
  // a true-colour display.
  int Realise(bool foreground);

 private:
  std::uint8_t EntryFlags() const;
  // Drops `palette` from the master palette's members and merges the
  // remaining ones afresh.
  static void LeaveMaster(const Palette& palette);

  std::vector<PaletteEntry> entries_;
  std::vector<int> slots_;  // hardware entry of each entry, once realised
  std::uint32_t flags_ = 0;
  PaletteMode mode_ = PaletteMode::kFixed;
  int max_entries_ = 0;
  PaletteOwner* owner_ = nullptr;
};

// The hardware entry nearest to `colour`, for showing pictures on a palette
// display; -1 on a true-colour display.
int NearestSystemColour(std::uint32_t colour);

// The application's master palette, into which owning windows' palettes are
// merged.
Palette& MasterPalette();
// Makes `palette` a member of the master palette and merges its colours.
void MergeIntoMaster(const Palette& palette);

// While the lock is set, every palette selected for drawing is itself
// selected and remembered as the current one.
void SetPaletteLock(bool locked);
const Palette* CurrentPalette();

// The palette a device context selects to draw with `palette`: null for an
// empty one; the master palette when the owner realises it in the
// foreground (merging it in first), unless it asks to stay itself.
const Palette* PaletteForDrawing(const Palette& palette, bool background);

}  // namespace cbst
