// game_ranking.h: the game in progress as a ranking entry, a certificate
// and a ranking request, from the puzzle and the score keeper.
#pragma once

#include <string>

#include "play/game_score.h"
#include "puzzle/puz.h"
#include "scores/certificate.h"
#include "scores/ranking.h"
#include "scores/show_ranking.h"

namespace cbst {

// What the certificates and the ranking window call the puzzle: its file's
// base name, so that a pasted certificate finds the same file elsewhere.
std::string GamePuzzleName(const Puz& puz);

// The game's entry as it stands now: named after its saved game, if any.
RankingEntry GameEntry(const Puz& puz, const GameScore& score);

CertificateRecord GameCertificate(const Puz& puz, const GameScore& score);

// The ranking of the puzzle, level and variant being played.
RankingRequest GameRankingRequest(const Puz& puz);

// That ranking from its file (games whose saved game in `saved_games` is
// gone are dropped) with, in competition, the game in progress placed in
// it at its score.
Ranking GameRanking(const Puz& puz, const GameScore& score, const std::string& saved_games);

}  // namespace cbst
