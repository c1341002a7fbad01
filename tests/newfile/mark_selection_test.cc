#include "newfile/mark_selection.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

namespace velmora::testing {
namespace {

struct Reading {
  std::string text;
  double value;  // metres; -1: refused
};

TEST(MarkSelection, DistancesNeedAUnit) {
  const std::vector<Reading> readings = {
      {"800m", 800},   {"10km", 10000}, {"5mi", 8046.72}, {"1.5 KM", 1500}, {"0m", 0},
      {"10", -1},      {"km", -1},      {"-1km", -1},     {"5 miles", -1},  {"1,5km", -1},
  };
  for (const Reading& reading : readings) {
    if (reading.value < 0) {
      EXPECT_THROW(ReadDistance(reading.text), SelectionError) << reading.text;
    } else {
      EXPECT_NEAR(ReadDistance(reading.text), reading.value, 1e-9) << reading.text;
    }
  }
}

TEST(MarkSelection, PointsAndPidListsAreCheckedWhole) {
  EXPECT_DOUBLE_EQ(ReadNear(" 29.5 , -98.6").lon, -98.6);
  for (const char* wrong : {"91,0", "0,180.5", "29.5", "a,b", "29.5,-98.6,1", ""}) {
    EXPECT_THROW(ReadNear(wrong), SelectionError) << wrong;
  }
  EXPECT_THAT(ReadPidList("ay0713, AY0714,,AY0713"), ::testing::ElementsAre("AY0713", "AY0714"));
  for (const char* wrong : {"AY07", "", " , ", "1Y0713", "AY0713X"}) {
    EXPECT_THROW(ReadPidList(wrong), SelectionError) << wrong;
  }
}

TEST(MarkSelection, GreatCircleOnTheSphere) {
  EXPECT_NEAR(DistanceMetres({0, 0}, {1, 0}), 111195.08, 0.01);
  EXPECT_NEAR(DistanceMetres({0, 179.9}, {0, -179.9}), 22239.02, 0.01);
  EXPECT_NEAR(DistanceMetres({89.9, 0}, {89.9, 180}), 22239.02, 0.01);
  EXPECT_DOUBLE_EQ(DistanceMetres({29.5, -98.6}, {29.5, -98.6}), 0);
}

struct JudgeCase {
  const char* what;
  std::function<void(MarkSelection&)> select;
  std::optional<Position> position;
  bool destroyed;
  Verdict verdict;
};

TEST(MarkSelection, VerdictsAtTheEdges) {
  const Position centre{29.5, -98.6};
  const Position mark{29.51, -98.6};
  const double apart = DistanceMetres(centre, mark);
  const auto near = [&](double metres) {
    return [=](MarkSelection& s) { s.near = NearSelection{centre, "", metres, ""}; };
  };
  const std::vector<JudgeCase> cases = {
      {"exactly at the distance", near(apart), mark, false, Verdict::kIn},
      {"a millimetre beyond", near(apart - 0.001), mark, false, Verdict::kOut},
      {"no position, near", near(1e7), std::nullopt, false, Verdict::kOut},
      {"no position, county", [](MarkSelection& s) { s.county = "TX/BEXAR"; }, std::nullopt, false,
       Verdict::kNoPosition},
      {"destroyed", near(apart), mark, true, Verdict::kDestroyed},
      {"destroyed, included",
       [&](MarkSelection& s) {
         near(apart)(s);
         s.include_destroyed = true;
       },
       mark, true, Verdict::kIn},
  };
  for (const JudgeCase& c : cases) {
    MarkSelection selection;
    c.select(selection);
    double distance = -1;
    EXPECT_EQ(Judge(selection, c.position, c.destroyed, distance), c.verdict) << c.what;
  }
}

TEST(MarkSelection, CountyIgnoresCaseAndBlanksAndEveryPartMustHold) {
  MarkSelection selection;
  selection.county = ReadCounty(" tx/Bexar ");
  EXPECT_TRUE(MatchesPlace(selection, "AY0713", "TX/BEXAR"));
  EXPECT_TRUE(MatchesPlace(selection, "AY0713", "tx/bexar  "));
  EXPECT_FALSE(MatchesPlace(selection, "AY0713", "TX/BEXAR COUNTY"));
  selection.pids = {"AY0714"};
  EXPECT_FALSE(MatchesPlace(selection, "AY0713", "TX/BEXAR"));
  EXPECT_TRUE(MatchesPlace(selection, "AY0714", "TX/BEXAR"));
}

}  // namespace
}  // namespace velmora::testing
