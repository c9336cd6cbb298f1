// array_test.cpp: DynArray growth and tail moves, misuse, ArrayP ownership.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "base/array_p.h"
#include "base/dyn_array.h"
#include "support/recording_sink.h"

namespace cbst {
namespace {

std::vector<int> Contents(const DynArray& array) {
  const auto* first = static_cast<const int*>(array.At(0));
  return std::vector<int>(first, first + array.count());
}

DynArray Numbers(std::vector<int> values, std::uint8_t flags = 0) {
  DynArray array(flags, 4, sizeof(int));
  array.Append(values.data(), static_cast<int>(values.size()));
  return array;
}

TEST(DynArray, GrowsByTheStepOrByWhatIsMissingPlusOne) {
  DynArray array(0, 4, sizeof(int), 2);
  EXPECT_EQ(array.capacity(), 2);
  int one = 1;
  EXPECT_EQ(array.Append(&one), 0);
  EXPECT_EQ(array.capacity(), 2);  // 1 of 2: not reached yet
  EXPECT_EQ(array.Append(&one), 1);
  EXPECT_EQ(array.capacity(), 6);  // 2 reaches 2: one step
  array.Append(nullptr, 3);
  EXPECT_EQ(array.capacity(), 6);
  array.Append(nullptr, 1);
  EXPECT_EQ(array.capacity(), 10);
  EXPECT_EQ(array.Append(nullptr, 20), 6);
  EXPECT_EQ(array.capacity(), 27);  // 16 missing, more than the step
  EXPECT_EQ(array.count(), 26);
  EXPECT_EQ(Contents(array)[1], 1);
  EXPECT_EQ(Contents(array)[25], 0);
}

TEST(DynArray, InsertAndRemoveMoveTheTail) {
  DynArray array = Numbers({1, 2, 3});
  EXPECT_EQ(array.Insert(0, nullptr), 0);
  int nine = 9;
  EXPECT_EQ(array.Insert(2, &nine), 2);
  EXPECT_EQ(array.Insert(array.count(), &nine), 5);
  EXPECT_EQ(Contents(array), (std::vector<int>{0, 1, 9, 2, 3, 9}));

  array.Remove(0);
  array.Remove(1, 2);
  EXPECT_EQ(Contents(array), (std::vector<int>{1, 3, 9}));
  array.Remove(2);
  EXPECT_EQ(Contents(array), (std::vector<int>{1, 3}));
  // What was removed does not come back when the count grows again.
  EXPECT_EQ(array.SetCount(3), 3);
  EXPECT_EQ(Contents(array), (std::vector<int>{1, 3, 0}));

  // Copying from the array itself while it grows and shifts.
  array.Insert(0, array.At(1), 2);
  EXPECT_EQ(Contents(array), (std::vector<int>{3, 0, 1, 3, 0}));
  EXPECT_EQ(array.Append(array.At(0), 5), 5);
  EXPECT_EQ(Contents(array), (std::vector<int>{3, 0, 1, 3, 0, 3, 0, 1, 3, 0}));
}

TEST(DynArray, SwapFindAndSetCount) {
  DynArray array = Numbers({5, 6, 7, 6});
  array.Swap(0, 2);
  array.Swap(3, 3);
  EXPECT_EQ(Contents(array), (std::vector<int>{7, 6, 5, 6}));
  int six = 6, eight = 8;
  EXPECT_EQ(array.Find(&six), 1);
  EXPECT_EQ(array.Find(&eight), -1);

  EXPECT_EQ(array.SetCount(2), 2);
  EXPECT_EQ(array.SetCount(5), 5);
  EXPECT_EQ(Contents(array), (std::vector<int>{7, 6, 0, 0, 0}));
}

TEST(DynArray, MisuseIsReportedUnlessSilent) {
  testing::RecordingSink sink;
  DynArray loud = Numbers({1, 2});
  DynArray quiet = Numbers({1, 2}, kArrayFailSilently);
  for (DynArray* array : {&loud, &quiet}) {
    array->Remove(2);
    array->Remove(1, 2);
    EXPECT_EQ(array->Insert(3, nullptr), -1);
    EXPECT_EQ(array->Append(nullptr, -1), -1);
    array->Swap(0, -1);
    EXPECT_EQ(array->SetCount(-1), -1);
    EXPECT_EQ(Contents(*array), (std::vector<int>{1, 2}));
  }
  EXPECT_EQ(sink.texts(),
            (std::vector<std::string>{"DynArray::Remove !index", "DynArray::Remove !n",
                                      "DynArray::Insert !index", "DynArray::Append !n",
                                      "DynArray::Swap !index", "DynArray::SetCount !count"}));
}

TEST(DynArray, GrowthFailureReturnsMinusOneWhenAsked) {
  testing::RecordingSink sink;
  DynArray array(kArrayGrowthReturnsError, 0, 1 << 20);
  EXPECT_EQ(array.Append(nullptr, 1 << 12), -1);
  EXPECT_EQ(array.SetCount(1 << 12), -1);
  EXPECT_EQ(array.count(), 0);
  EXPECT_EQ(array.capacity(), 0);
  EXPECT_EQ(array.MakeRoom(), 0);
  EXPECT_TRUE(sink.reports.empty());
}

TEST(DynArrayDeathTest, GrowthFailureEndsTheProgramByDefault) {
  EXPECT_EXIT(
      {
        DynArray array(0, 0, 1 << 20);
        array.Append(nullptr, 1 << 12);
      },
      ::testing::ExitedWithCode(255), "Memory allocation failed");
}

TEST(DynArray, CountersReturnToTheirStart) {
  DynArray::Counters start = DynArray::LiveCounters();
  {
    DynArray array(0, 4, 8, 3);
    DynArray copy = array;
    DynArray moved = std::move(array);
    EXPECT_EQ(DynArray::LiveCounters().live_arrays, start.live_arrays + 3);
    EXPECT_EQ(DynArray::LiveCounters().total_bytes, start.total_bytes + 48);
    moved = Numbers({1, 2, 3, 4, 5});
  }
  EXPECT_EQ(DynArray::LiveCounters().live_arrays, start.live_arrays);
  EXPECT_EQ(DynArray::LiveCounters().total_bytes, start.total_bytes);
}

struct Piece {
  explicit Piece(int piece_id) : id(piece_id) {}
  ~Piece() { ++destroyed; }
  bool operator==(const Piece& other) const { return id == other.id; }
  int id;
  static inline int destroyed = 0;
};

TEST(ArrayP, OwningArrayDestroysEachElementOnce) {
  Piece::destroyed = 0;
  {
    ArrayP<Piece> pieces;
    for (int id = 0; id < 5; ++id)
      pieces.Add(std::make_unique<Piece>(id));
    Piece* kept = pieces[3];
    pieces.Remove(&pieces.data()[3]);
    pieces.DeleteAt(0);
    EXPECT_TRUE(pieces.Delete(pieces[1]));
    EXPECT_EQ(Piece::destroyed, 2);
    EXPECT_EQ(pieces.count(), 2);
    EXPECT_EQ(pieces[0]->id, 1);

    pieces.Clear();
    EXPECT_EQ(Piece::destroyed, 4);
    EXPECT_EQ(pieces.Add(kept), 0);

    ArrayP<Piece> others;
    others.Add(new Piece(7));
    pieces = std::move(others);  // the kept piece goes with the old contents
    EXPECT_EQ(Piece::destroyed, 5);
  }
  EXPECT_EQ(Piece::destroyed, 6);
}

TEST(ArrayP, NonOwningArrayNeverDestroys) {
  Piece::destroyed = 0;
  Piece a(1), b(2), c(3);
  {
    ArrayP<Piece> pieces(0);
    pieces.Add(&a);
    pieces.Add(&b);
    pieces.Add(&c);
    pieces.DeleteAt(0);
    pieces.Delete(&b);
    EXPECT_EQ(pieces[0], &c);
    pieces.Clear();
    pieces.Add(&a);
  }
  EXPECT_EQ(Piece::destroyed, 0);
}

TEST(ArrayP, DeletingAPointerNotHeldReportsAndChangesNothing) {
  testing::RecordingSink sink;
  Piece stranger(9);
  ArrayP<Piece> pieces;
  pieces.Add(new Piece(1));
  EXPECT_FALSE(pieces.Delete(&stranger));
  EXPECT_EQ(sink.texts(), std::vector<std::string>{"ArrayP Delete CL * ??"});
  EXPECT_EQ(pieces.count(), 1);
  EXPECT_EQ(pieces[0]->id, 1);
}

TEST(ArrayP, FindsBySlotPointerAndContent) {
  ArrayP<Piece> pieces;
  for (int id : {4, 5, 5, 6})
    pieces.Add(new Piece(id));
  Piece* third = pieces[2];
  EXPECT_EQ(pieces.Find(&pieces.data()[2]), 2);
  EXPECT_EQ(pieces.Find(pieces.end()), -1);
  EXPECT_EQ(pieces.Find(third), 2);
  EXPECT_EQ(pieces.FindEqual(*third), 1);
  EXPECT_EQ(pieces.FindEqual(Piece(8)), -1);
  int sum = 0;
  for (const Piece* piece : pieces)
    sum += piece->id;
  EXPECT_EQ(sum, 20);
}

}  // namespace
}  // namespace cbst
