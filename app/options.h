// options.h: the options record, the player's switches as the settings
// file keeps them.
#pragma once

#include <cstdint>

#include "app/settings.h"
#include "puzzle/piece_sheets.h"

namespace cbst {

// Bits of [Main] "Options".
inline constexpr std::uint32_t kOptionsUseCache = 0x0001;  // for one run only
inline constexpr std::uint32_t kOptionsDragGrabbedPiece = 0x0002;
inline constexpr std::uint32_t kOptionsMute = 0x0008;
inline constexpr std::uint32_t kOptionsEscMinimises = 0x0010;
inline constexpr std::uint32_t kOptionsCompetition = 0x0020;
inline constexpr std::uint32_t kOptionsAutoSave = 0x0040;
inline constexpr std::uint32_t kOptionsHideBoxes = 0x0080;
inline constexpr std::uint32_t kOptionsHideScore = 0x0100;
inline constexpr std::uint32_t kOptionsNoPreview = 0x0200;
inline constexpr std::uint32_t kOptionsNoTips = 0x0400;
inline constexpr std::uint32_t kOptionsGreyShading = 0x0800;
inline constexpr std::uint32_t kOptionsNoAnimation = 0x1000;
inline constexpr std::uint32_t kOptionsOtherBitmapMethod = 0x2000;

// Keys of section Main the record reads and writes.
inline constexpr std::string_view kKeyOptions = "Options";
inline constexpr std::string_view kKeyLoupe = "Loupe";
inline constexpr std::string_view kKeyNoSparkle = "NoSparkle";
inline constexpr std::string_view kKeyNoShadow = "NoShadow";
inline constexpr std::string_view kKeySolidShadow = "SolidShadow";

// The loupe's side in pixels and its magnification, and how far the
// loupe's keys may take them.
inline constexpr int kDefaultLoupeSize = 150;
inline constexpr int kMinLoupeSize = 100;
inline constexpr int kMaxLoupeSize = 280;
inline constexpr double kDefaultLoupeMagnification = 2.0;
inline constexpr double kMinLoupeMagnification = 2.0;
inline constexpr double kMaxLoupeMagnification = 5.0;

struct Options {
  bool dirty = false;
  std::uint32_t bits = 0;
  std::uint8_t no_sparkle = 0;
  std::uint8_t no_shadow = 0;
  std::uint8_t solid_shadow = 0;
  // [Main] "ForceDIRotate": non-zero turns pieces pixel by pixel.
  int forced_rotation = 0;
  int loupe_size = kDefaultLoupeSize;
  double loupe_magnification = kDefaultLoupeMagnification;

  // Reads the record, folding the older one-switch keys into the bits and
  // deleting them; the cache bit never survives into a new run. Saves at
  // once when anything had to change.
  void Load(const Settings& settings);
  void Save(const Settings& settings);
  // The flags a new game starts with.
  std::uint32_t DefaultGameFlags() const;
  // How the pieces of the next puzzle opened are drawn and turned.
  SheetChoices PieceDrawing() const;
};

// The program's one options record, made at start-up.
Options& ProgramOptions();

}  // namespace cbst
