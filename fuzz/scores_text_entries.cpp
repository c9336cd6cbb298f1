// scores_text_entries.cpp: the fuzz entry for text pasted on the table: a
// score certificate or a ranking read from it must write back to a text
// that reads as the same games.
#include <string>
#include <string_view>

#include "base/date.h"
#include "fuzz/fuzz_entries.h"
#include "fuzz/fuzz_workspace.h"
#include "scores/certificate.h"
#include "scores/ranking_file.h"
#include "scores/ranking_text.h"

namespace cbst::fuzz {

int FuzzPastedScores(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (std::optional<CertificateRecord> game = ParseCertificate(text)) {
    // The text keeps tenths of a second.
    game->time = game->time / kMillisecondsPerTenth * kMillisecondsPerTenth;
    const std::optional<CertificateRecord> again = ParseCertificate(MakeCertificate(*game).view());
    Require(again.has_value(), "a certificate written back does not read");
    Require(*again == *game, "a certificate written back reads otherwise");
  }
  if (const std::optional<RankingText> ranking = ParseRankingText(text)) {
    Require(ranking->entries.size() <= static_cast<std::size_t>(kRankingStoredEntries),
            "a ranking text gave more games than a ranking holds");
    const std::optional<RankingText> again = ParseRankingText(MakeRankingText(*ranking).view());
    Require(again.has_value(), "a ranking text written back does not read");
    Require(again->puzzle == ranking->puzzle && again->level == ranking->level &&
                again->rows == ranking->rows && again->columns == ranking->columns &&
                again->flags == ranking->flags && again->entries == ranking->entries,
            "a ranking text written back reads otherwise");
  }
  return 0;
}

}  // namespace cbst::fuzz
