// saved_game.cpp: the bytes of a saved game, both ways.
#include "play/saved_game.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <optional>
#include <string_view>

#include "base/byte_record.h"
#include "base/file_replacement.h"
#include "base/status_codes.h"
#include "platform/busy.h"
#include "puzzle/puzzle_codes.h"
#include "puzzle/spuz.h"

namespace cbst {
namespace {

Status Damaged(const char* name) {
  return Status(kStatusNotReadable, name ? name : "");
}

}  // namespace

Status DecodeSavedGame(const std::vector<std::uint8_t>& bytes, SavedGame& game, const char* name) {
  ByteCursor in(bytes.data(), bytes.size());
  SavedGame read;
  read.title = in.Text();
  read.puzzle = in.Text();
  read.level = in.U8();
  if (read.level == kCustomLevel) {
    read.custom_rows = in.I16();
    read.custom_columns = in.I16();
  }
  read.counters.joined_sides = static_cast<std::int32_t>(in.U32());
  read.player = in.Text();
  read.password = in.Text();
  read.counters.elapsed = static_cast<std::int32_t>(in.U32());
  const std::uint32_t helps = in.U32();
  read.counters.helps = static_cast<std::int16_t>(helps & 0xFFFF);
  read.counters.helped_sides = static_cast<std::int16_t>(helps >> 16);
  // Older games kept no credited sides: each help is taken to have joined
  // one and a half.
  if (read.counters.helps != 0 && read.counters.helped_sides == 0) {
    read.counters.helped_sides = static_cast<std::int16_t>(
        read.counters.helps * kOldHelpSidesNumerator / kOldHelpSidesDenominator);
  }
  read.counters.moves = static_cast<std::int32_t>(in.U32());
  const std::uint16_t box_count = in.U16();
  if (!in.ok() || read.level > kCustomLevel || box_count > kOnTheBoard) return Damaged(name);
  for (std::uint16_t index = 0; index < box_count && in.ok(); ++index) {
    PieceBox box;
    box.index = static_cast<std::uint8_t>(index);
    box.open.x = in.I16();
    box.open.y = in.I16();
    box.open.width = in.I16();
    box.open.height = in.I16();
    box.closed_x = in.I16();
    box.closed_y = in.I16();
    box.flags = in.U8() & kSavedBoxFlags;
    box.colour = in.U32();
    read.boxes.push_back(box);
  }
  read.options = in.Text();
  read.seed = in.U32();
  if (!in.ok()) return Damaged(name);
  read.play_state = in.Rest();
  game = std::move(read);
  return Status();
}

Status ReadSavedGame(const char* path, SavedGame& game) {
  File file(path);
  CBST_TRY(file.Open(kOpenRead));
  const std::int64_t size = file.Size();
  // Even the largest game's file is far below this; anything above is not
  // a saved game.
  constexpr std::int64_t kLargestFile = std::int64_t{1} << 24;
  if (size < 0 || size > kLargestFile) {
    (void)file.Close();
    return Damaged(path);
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  const std::int32_t read = file.Read(static_cast<std::int32_t>(size), bytes.data());
  CBST_TRY(file.Close());
  if (read != size) return Damaged(path);
  return DecodeSavedGame(bytes, game, path);
}

Status DecodePlayState(const SavedGame& game, int piece_count, std::vector<SavedPiece>& pieces,
                       std::vector<std::int16_t>& z_order, const char* name) {
  const std::vector<std::uint8_t>& bytes = game.play_state;
  const auto count = static_cast<std::size_t>(piece_count);
  if (piece_count < 0 || bytes.size() < count * (kSavedPieceBytes + 2)) return Damaged(name);
  ByteCursor in(bytes.data(), bytes.size());
  std::vector<SavedPiece> read(count);
  for (SavedPiece& piece : read) {
    piece.x = in.I16();
    piece.y = in.I16();
    piece.rotation = in.U8();
    piece.joined_sides = in.U8();
    piece.box = in.U8();
    piece.flags = in.U8();
    if (piece.rotation >= kSideCount || piece.joined_sides >= (1 << kSideCount))
      return Damaged(name);
  }
  std::vector<std::int16_t> order(count);
  std::vector<bool> seen(count, false);
  for (std::int16_t& entry : order) {
    entry = in.I16();
    if (entry < 0 || static_cast<std::size_t>(entry) >= count ||
        seen[static_cast<std::size_t>(entry)])
      return Damaged(name);
    seen[static_cast<std::size_t>(entry)] = true;
  }
  pieces = std::move(read);
  z_order = std::move(order);
  return Status();
}

std::vector<std::uint8_t> EncodePlayState(const std::vector<SavedPiece>& pieces,
                                          const std::vector<std::int16_t>& z_order) {
  ByteSink out;
  for (const SavedPiece& piece : pieces) {
    out.I16(piece.x);
    out.I16(piece.y);
    out.U8(piece.rotation);
    out.U8(piece.joined_sides);
    out.U8(piece.box);
    out.U8(piece.flags);
  }
  for (const std::int16_t entry : z_order)
    out.I16(entry);
  return out.Take();
}

std::vector<std::uint8_t> EncodeSavedGame(const SavedGame& game) {
  ByteSink out;
  out.Text(game.title);
  out.Text(game.puzzle);
  out.U8(game.level);
  if (game.level == kCustomLevel) {
    out.I16(game.custom_rows);
    out.I16(game.custom_columns);
  }
  out.U32(static_cast<std::uint32_t>(game.counters.joined_sides));
  out.Text(game.player);
  out.Text(game.password);
  out.U32(static_cast<std::uint32_t>(game.counters.elapsed));
  out.U32(static_cast<std::uint16_t>(game.counters.helps) |
          static_cast<std::uint32_t>(static_cast<std::uint16_t>(game.counters.helped_sides)) << 16);
  out.U32(static_cast<std::uint32_t>(game.counters.moves));
  out.U16(static_cast<std::uint16_t>(game.boxes.size()));
  for (const PieceBox& box : game.boxes) {
    out.I16(box.open.x);
    out.I16(box.open.y);
    out.I16(box.open.width);
    out.I16(box.open.height);
    out.I16(box.closed_x);
    out.I16(box.closed_y);
    out.U8(box.flags & kSavedBoxFlags);
    out.U32(box.colour);
  }
  out.Text(game.options);
  out.U32(game.seed);
  out.Bytes(game.play_state);
  return out.Take();
}

Status StoreSavedGame(const char* path, const SavedGame& game, File* stream) {
  const std::vector<std::uint8_t> bytes = EncodeSavedGame(game);
  FileReplacement replacement(path);
  CBST_TRY(replacement.TakeStatus());
  File own;
  File& file = stream ? *stream : own;
  file.SetPath(replacement.path());
  CBST_TRY(file.Open(kOpenWrite | kOpenCreate));
  Status written;
  // A slow disk or a network folder shows the player that the game is busy.
  const auto started = std::chrono::steady_clock::now();
  std::optional<WaitCursor> busy;
  for (std::size_t at = 0; at < bytes.size() && written.peek() == 0; at += kSavedPieceBuffer) {
    if (!busy && std::chrono::steady_clock::now() - started > kSaveBusyDelay) busy.emplace();
    const std::size_t chunk = std::min<std::size_t>(kSavedPieceBuffer, bytes.size() - at);
    written = file.Write(static_cast<std::int32_t>(chunk), bytes.data() + at);
  }
  Status closed = file.Close();
  CBST_TRY(std::move(written));
  CBST_TRY(std::move(closed));
  return replacement.Commit();
}

}  // namespace cbst
