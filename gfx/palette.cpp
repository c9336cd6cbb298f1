// palette.cpp: palettes, the master palette and the simulated hardware
// palette of palette-based displays.
#include "gfx/palette.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>

#include "base/report.h"
#include "platform/display.h"

namespace cbst {
namespace {

constexpr int kCubeSteps = 6;
constexpr int kCubeStep = 51;
constexpr int kCubeGreys = 20;
constexpr int kCubePaletteSize = kCubeSteps * kCubeSteps * kCubeSteps + kCubeGreys;
constexpr int kLogicalPaletteLimit = 256;

// The colours a 256-colour display keeps for itself: the first half in its
// lowest entries, the second half in its highest.
constexpr std::array<std::uint32_t, 20> kStaticColours = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000,
    0xC0C0C0, 0xC0DCC0, 0xF0CAA6, 0xF0FBFF, 0xA4A0A0, 0x808080, 0x0000FF,
    0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

// A 16-colour display's palette, none of it free.
constexpr std::array<std::uint32_t, 16> kVgaColours = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

struct HardwareSlot {
  PaletteEntry entry;
  bool fixed = false;
  const Palette* holder = nullptr;  // the realised palette using the slot

  // Slots whose colour stays put: a free slot's old colour may go any time.
  bool settled() const { return fixed || holder != nullptr; }
};

struct PaletteState {
  int display_size = -1;
  int display_reserved = -1;
  std::vector<HardwareSlot> hardware;
  Palette* master = nullptr;
  std::vector<const Palette*> members;  // of the master palette, oldest first
  const Palette* current = nullptr;
  bool locked = false;
};

// Lives as long as the process, so that palettes destroyed late still find
// it. User-interface thread only.
PaletteState& State() {
  static PaletteState* state = new PaletteState;
  return *state;
}

std::vector<HardwareSlot> FreshHardware(int size, int reserved) {
  std::vector<HardwareSlot> slots(static_cast<std::size_t>(size));
  if (size <= static_cast<int>(kVgaColours.size())) {
    for (int slot = 0; slot < size; ++slot)
      slots[slot] = {PaletteEntry::FromColour(kVgaColours[slot]), true};
    return slots;
  }
  const int half = std::min<int>(reserved / 2, kStaticColours.size() / 2);
  for (int i = 0; i < half; ++i) {
    slots[i] = {PaletteEntry::FromColour(kStaticColours[i]), true};
    slots[size - half + i] = {
        PaletteEntry::FromColour(kStaticColours[kStaticColours.size() - half + i]), true};
  }
  return slots;
}

// The hardware palette of the display as it is now; made afresh when the
// display changes.
std::vector<HardwareSlot>& Hardware() {
  const DisplayFacts facts = QueryDisplay();
  PaletteState& state = State();
  const int size = facts.palette_based ? facts.palette_size : 0;
  if (size != state.display_size || facts.reserved_colours != state.display_reserved) {
    state.display_size = size;
    state.display_reserved = facts.reserved_colours;
    state.hardware = FreshHardware(size, facts.reserved_colours);
  }
  return state.hardware;
}

int DisplayMaxEntries() {
  const DisplayFacts facts = QueryDisplay();
  const int free = facts.palette_size - facts.reserved_colours;
  return facts.palette_based && free >= 1 ? free : kLogicalPaletteLimit;
}

int Distance(std::uint32_t a, std::uint32_t b) {
  int sum = 0;
  for (int shift : {0, 8, 16}) {
    const int difference =
        static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    sum += difference * difference;
  }
  return sum;
}

// The first of the candidates nearest to `colour`; `colour_of(i)` gives the
// colour of candidate i, or nothing to pass it over. -1 when none is left.
template <typename ColourOf>
int Nearest(std::size_t count, std::uint32_t colour, ColourOf colour_of) {
  int best = -1;
  int best_distance = std::numeric_limits<int>::max();
  for (std::size_t i = 0; i < count; ++i) {
    const std::optional<std::uint32_t> candidate = colour_of(i);
    if (!candidate) continue;
    const int distance = Distance(*candidate, colour);
    if (distance < best_distance) {
      best = static_cast<int>(i);
      best_distance = distance;
    }
  }
  return best;
}

// The settled hardware slot nearest to `colour`.
int NearestSlot(const std::vector<HardwareSlot>& hardware, std::uint32_t colour) {
  return Nearest(hardware.size(), colour, [&](std::size_t slot) -> std::optional<std::uint32_t> {
    if (!hardware[slot].settled()) return std::nullopt;
    return hardware[slot].entry.Colour();
  });
}

}  // namespace

PaletteEntry PaletteEntry::FromColour(std::uint32_t colour, std::uint8_t flags) {
  return {static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(colour >> 8),
          static_cast<std::uint8_t>(colour >> 16), flags};
}

LogicalPalette LogicalPalette::WithCount(int count) {
  LogicalPalette buffer;
  buffer.entries.resize(static_cast<std::size_t>(std::max(count, 0)));
  return buffer;
}

LogicalPalette LogicalPalette::FromSystem() {
  LogicalPalette buffer;
  for (const HardwareSlot& slot : Hardware())
    buffer.entries.push_back(slot.entry);
  return buffer;
}

LogicalPalette LogicalPalette::FromPalette(const Palette& palette) {
  LogicalPalette buffer;
  buffer.entries = palette.entries();
  return buffer;
}

LogicalPalette LogicalPalette::FromColourTable(std::span<const ColourTableEntry> table,
                                               bool reserved) {
  LogicalPalette buffer;
  for (const ColourTableEntry& colour : table) {
    buffer.entries.push_back(
        {colour.red, colour.green, colour.blue, reserved ? kEntryReserved : std::uint8_t{0}});
  }
  return buffer;
}

Palette::Palette(std::uint32_t flags)
    : GraphicsObject(GraphicsType::kPalette), flags_(flags), max_entries_(DisplayMaxEntries()) {}

Palette::Palette(std::span<const ColourTableEntry> table, std::uint32_t flags)
    : Palette(LogicalPalette::FromColourTable(table, (flags & kReservedEntries) != 0), flags) {}

Palette::Palette(const LogicalPalette& buffer, std::uint32_t flags) : Palette(flags) {
  if (buffer.version == LogicalPalette::kVersion) entries_ = buffer.entries;
}

Palette::Palette(const Palette& other)
    : GraphicsObject(other),
      entries_(other.entries_),
      flags_(other.flags_),
      mode_(other.mode_),
      max_entries_(other.max_entries_) {}

Palette::~Palette() {
  if (owner_) owner_->PaletteGoing(*this);
  PaletteState& state = State();
  if (state.current == this) state.current = nullptr;
  for (HardwareSlot& slot : state.hardware) {
    if (slot.holder == this) slot.holder = nullptr;
  }
  LeaveMaster(*this);
}

Palette Palette::ColourCube(std::uint32_t flags) {
  const DisplayFacts facts = QueryDisplay();
  int size = facts.palette_size - facts.reserved_colours;
  if (size < 1) size = kCubePaletteSize;

  Palette palette(flags);
  const std::uint8_t entry_flags = palette.EntryFlags();
  const auto level = [](int value) { return static_cast<std::uint8_t>(std::min(value, 255)); };
  for (int red = 0; red < kCubeSteps; ++red) {
    for (int green = 0; green < kCubeSteps; ++green) {
      for (int blue = 0; blue < kCubeSteps; ++blue) {
        palette.entries_.push_back({level(red * kCubeStep), level(green * kCubeStep),
                                    level(blue * kCubeStep), entry_flags});
      }
    }
  }
  for (int k = 2; k < 2 + kCubeGreys; ++k) {
    const std::uint8_t grey = level(k * size / 22);
    palette.entries_.push_back({grey, grey, grey, entry_flags});
  }
  if (size < palette.count()) palette.entries_.resize(static_cast<std::size_t>(size));
  return palette;
}

std::uint8_t Palette::EntryFlags() const {
  return (flags_ & kReservedEntries) != 0 ? kEntryReserved : 0;
}

bool Palette::SetEntry(int index, std::uint32_t colour) {
  if (index < 0 || index >= count()) {
    ReportErrorF("SetEntry! %d < %d", index, count());
    return false;
  }
  entries_[index] = PaletteEntry::FromColour(colour, EntryFlags());
  return true;
}

std::uint32_t Palette::EntryColour(int index) const {
  if (index < 0 || index >= count()) return 0;
  return entries_[index].Colour() | kPaletteRelative;
}

int Palette::NearestIndex(std::uint32_t colour) const {
  return Nearest(entries_.size(), colour & 0xFFFFFF, [&](std::size_t index) {
    return std::optional<std::uint32_t>(entries_[index].Colour());
  });
}

bool Palette::Animate(int first, std::span<const PaletteEntry> entries) {
  if ((flags_ & kReservedEntries) == 0) return false;
  if (first < 0 || first + static_cast<int>(entries.size()) > count()) {
    ReportErrorF("Animate! %d + %zu <= %d", first, entries.size(), count());
    return false;
  }
  std::vector<HardwareSlot>& hardware = Hardware();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::size_t index = first + i;
    entries_[index] = PaletteEntry::FromColour(entries[i].Colour(), EntryFlags());
    // Realised entries change on the screen at once: that is what animating is for.
    if (index >= slots_.size() || slots_[index] < 0) continue;
    HardwareSlot& slot = hardware[slots_[index]];
    if (slot.holder == this) slot.entry = entries_[index];
  }
  return true;
}

int Palette::Merge(const Palette& other) {
  if (&other == this) return 0;  // every colour is here already
  if (Empty()) {
    for (const PaletteEntry& entry : other.entries_)
      entries_.push_back(PaletteEntry::FromColour(entry.Colour(), EntryFlags()));
    return count();
  }
  if (mode_ != PaletteMode::kGrowable) return 0;
  // Checking each colour against the entries added so far also keeps a
  // colour that `other` holds twice from taking two places.
  int added = 0;
  for (const PaletteEntry& entry : other.entries_) {
    if (count() >= max_entries_) break;
    if (entries_[NearestIndex(entry.Colour())].Colour() == entry.Colour()) continue;
    entries_.push_back(PaletteEntry::FromColour(entry.Colour(), EntryFlags()));
    ++added;
  }
  return added;
}

int Palette::Realise(bool foreground) {
  std::vector<HardwareSlot>& hardware = Hardware();
  if (hardware.empty()) return 0;
  const std::vector<HardwareSlot> before = hardware;
  // The palette gives up its own slots to place its colours afresh; in the
  // foreground it also takes those of the others, which their windows then
  // realise again in the background.
  for (HardwareSlot& slot : hardware) {
    if (slot.holder == this || (foreground && !slot.fixed)) slot.holder = nullptr;
  }

  slots_.assign(entries_.size(), -1);
  std::size_t next_free = 0;
  for (std::size_t index = 0; index < entries_.size(); ++index) {
    const PaletteEntry& entry = entries_[index];
    // A colour already on the screen is shared, unless reserved for animation.
    int slot = NearestSlot(hardware, entry.Colour());
    if ((entry.flags & kEntryReserved) != 0 || slot < 0 ||
        hardware[slot].entry.Colour() != entry.Colour()) {
      while (next_free < hardware.size() && hardware[next_free].settled())
        ++next_free;
      if (next_free < hardware.size()) {
        hardware[next_free] = {entry, false, this};
        slot = static_cast<int>(next_free);
      }
    }
    slots_[index] = slot;
  }

  int changed = 0;
  for (std::size_t slot = 0; slot < hardware.size(); ++slot) {
    if (hardware[slot].holder != this) continue;
    if (before[slot].holder != this || before[slot].entry.Colour() != hardware[slot].entry.Colour())
      ++changed;
  }
  return changed;
}

int NearestSystemColour(std::uint32_t colour) {
  return NearestSlot(Hardware(), colour & 0xFFFFFF);
}

Palette& MasterPalette() {
  PaletteState& state = State();
  if (state.master == nullptr) {
    state.master = new Palette();
    state.master->set_mode(PaletteMode::kGrowable);
  }
  return *state.master;
}

void MergeIntoMaster(const Palette& palette) {
  Palette& master = MasterPalette();
  if (&palette == &master) return;
  std::vector<const Palette*>& members = State().members;
  if (std::find(members.begin(), members.end(), &palette) == members.end())
    members.push_back(&palette);
  master.set_max_entries(DisplayMaxEntries());
  master.Merge(palette);
}

// The master palette is the union of its members' colours: once a member
// goes, the colours that only it brought go too, and what the others need
// is merged again in the order they joined.
void Palette::LeaveMaster(const Palette& palette) {
  PaletteState& state = State();
  const auto member = std::find(state.members.begin(), state.members.end(), &palette);
  if (member == state.members.end()) return;
  state.members.erase(member);
  Palette& master = *state.master;
  master.entries_.clear();
  master.slots_.clear();
  for (const Palette* remaining : state.members)
    master.Merge(*remaining);
}

void SetPaletteLock(bool locked) {
  State().locked = locked;
}

const Palette* CurrentPalette() {
  return State().current;
}

const Palette* PaletteForDrawing(const Palette& palette, bool background) {
  if (palette.Empty()) return nullptr;
  PaletteState& state = State();
  if (state.locked) {
    state.current = &palette;
    return &palette;
  }
  if ((palette.flags() & Palette::kOwnerRealises) != 0 && !background) {
    MergeIntoMaster(palette);
    if ((palette.flags() & Palette::kNeverForeground) == 0) return &MasterPalette();
  }
  return &palette;
}

}  // namespace cbst
