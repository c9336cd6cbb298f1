// certificate_test.cpp: score certificates as text, read back, and added to
// the ranking of their puzzle.
#include "scores/certificate.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "scores/ranking_file.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

CertificateRecord Tiger() {
  CertificateRecord record;
  record.puzzle = VString("Tiger");
  record.level = 3;
  record.rows = 9;
  record.columns = 12;
  record.flags = kRankingNoRotation;
  record.player = VString(
      "Ana Mar\xED"
      "a");
  record.time = 723456;
  record.solved = 108;
  record.moves = 412;
  record.helps = 2;
  record.score = -51857;
  return record;
}

TEST(Certificates, AGameIsWrittenOneFieldALineInItsOrder) {
  EXPECT_EQ(MakeCertificate(Tiger()).str(),
            "****Cobblestack****BOC{\r\n"
            "Puzzle:Tiger\r\n"
            "Level:3\r\n"
            "Pieces:12x9,NoRotable\r\n"
            "Player:Ana Mar\xED"
            "a\r\n"
            "Time:00:12:03.4\r\n"
            "Solved:108\r\n"
            "Moves:412\r\n"
            "Helps:2\r\n"
            "Score:-51857\r\n"
            "}EOC********************\r\n");
  CertificateRecord mosaic = Tiger();
  mosaic.flags = kRankingNoRotation | kRankingMosaic;
  EXPECT_NE(MakeCertificate(mosaic).str().find("Pieces:12x9,NoRotable,Mosaic\r\n"),
            std::string::npos);
}

TEST(Certificates, ACertificateReadsBackWhateverItsLineEndsAndSurroundings) {
  const CertificateRecord tiger = Tiger();
  const std::string text = MakeCertificate(tiger).str();
  CertificateRecord expected = tiger;
  expected.time = 723400;  // the text keeps tenths
  EXPECT_EQ(ParseCertificate(text), expected);

  std::string plain = "Look at this:\n" + text + "\nbye";
  std::erase(plain, '\r');
  EXPECT_EQ(ParseCertificate(plain), expected);

  for (const std::uint32_t flags : {0u, kRankingMosaic, kRankingNoRotation | kRankingMosaic}) {
    CertificateRecord variant = expected;
    variant.flags = flags;
    EXPECT_EQ(ParseCertificate(MakeCertificate(variant).str()), variant) << flags;
  }
}

TEST(Certificates, TextThatIsNoCertificateIsRefused) {
  const std::string text = MakeCertificate(Tiger()).str();
  auto changed = [&](std::string_view from, std::string_view to) {
    std::string copy = text;
    copy.replace(copy.find(from), from.size(), to);
    return copy;
  };
  const std::string refused[] = {
      "",
      "Puzzle:Tiger\r\n",
      text.substr(0, text.find("}EOC")),         // no end
      changed("Score:-51857\r\n", ""),           // a field missing
      changed("Level:3", "Level:three"),         // not a number
      changed("Pieces:12x9", "Pieces:12-9"),     // no size
      changed(",NoRotable", ",Rotable"),         // an unknown variant
      changed("Time:00:12:03.4", "Time:12:03"),  // a time without hours
      changed("Time:00:12:03.4", "Time:0:1:2.34"),
      changed("Helps:2", "Hints:2"),  // an unknown field
  };
  for (const std::string& candidate : refused)
    EXPECT_FALSE(ParseCertificate(candidate).has_value()) << candidate;
}

TEST(Certificates, AnImportedGameJoinsTheRankingOfItsLevelAndVariant) {
  const fs::path directory =
      fs::temp_directory_path() / ("cbst-certificate-" + std::to_string(::getpid()));
  fs::remove_all(directory);
  fs::create_directories(directory);
  const std::string puzzle = (directory / "tiger.puz").string();

  Ranking ranking;
  ranking.puzzle = VString(puzzle);
  ranking.level = 3;
  ranking.flags = kRankingNoRotation;
  RankingEntry mine;
  mine.game = VString("mine");
  mine.score = -60000;
  ranking.entries = {mine};
  ASSERT_EQ(SaveRanking(ranking).code(), 0);

  const std::optional<CertificateRecord> pasted = ParseCertificate(MakeCertificate(Tiger()).str());
  ASSERT_TRUE(pasted.has_value());
  ASSERT_EQ(ImportCertificate(*pasted, puzzle.c_str()).code(), 0);
  // Another game is ranked even without its saved game here.
  LoadRanking(ranking, {true, VString()});
  ASSERT_EQ(ranking.entries.size(), 1u);
  const RankingEntry& imported = ranking.entries[0];
  EXPECT_EQ(imported.game, kReservedGameName);
  EXPECT_EQ(imported.player,
            "Ana Mar\xED"
            "a");
  EXPECT_EQ(imported.score, -51857);
  EXPECT_EQ(imported.time, 723400);
  EXPECT_EQ(imported.solved, 108);
  EXPECT_EQ(imported.moves, 412);
  EXPECT_EQ(imported.helps, 2);
  LoadRanking(ranking);
  EXPECT_EQ(ranking.entries.size(), 2u);
  EXPECT_EQ(ranking.entries[1].game, "mine");

  fs::remove_all(directory);
}

}  // namespace
}  // namespace cbst
