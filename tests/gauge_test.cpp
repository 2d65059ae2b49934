// TGauge's state rules: clamping, the percentage, when it repaints, and the refused maximum.
#include <gtest/gtest.h>

#include <climits>

#include "run/GaugePaint.h"
#include "run/Gauges.h"
#include "run/PicShow.h"

namespace varnel {
namespace {

struct Step {
  int progress;
  int percent;
  int barWidth;  // on the window's gauge, 197 pixels wide, before clipping to the gauge
};

// Every progress step of a complete run against the maximum of 43.
constexpr Step kRunSteps[] = {
    {0, 0, 0},     {1, 2, 3},      {2, 4, 7},     {3, 6, 11},    {4, 9, 17},    {5, 11, 21},
    {6, 13, 25},   {7, 16, 31},    {8, 18, 35},   {9, 20, 39},   {10, 23, 45},  {11, 25, 49},
    {12, 27, 53},  {13, 30, 59},   {14, 32, 63},  {15, 34, 67},  {16, 37, 73},  {17, 39, 77},
    {18, 41, 81},  {19, 44, 87},   {20, 46, 91},  {21, 48, 95},  {22, 51, 100}, {23, 53, 104},
    {24, 55, 108}, {25, 58, 114},  {26, 60, 118}, {27, 62, 122}, {28, 65, 128}, {29, 67, 132},
    {30, 69, 136}, {31, 72, 142},  {32, 74, 146}, {33, 76, 150}, {34, 79, 156}, {35, 81, 160},
    {36, 83, 164}, {37, 86, 170},  {38, 88, 174}, {39, 90, 178}, {40, 93, 184}, {41, 95, 188},
    {42, 97, 192}, {43, 100, 198},
};

TEST(Gauge, EveryStepOfACompleteRunShowsItsPercentageAndBar) {
  ASSERT_EQ(kProgressSteps, 43);
  TGauge gauge("Progresso");
  gauge.SetMaxValue(kProgressSteps);
  for (const Step& step : kRunSteps) {
    SCOPED_TRACE(step.progress);
    gauge.SetProgress(step.progress);
    EXPECT_EQ(gauge.Progress(), step.progress);
    EXPECT_EQ(gauge.PercentDone(), step.percent);
    EXPECT_EQ(GaugeBarWidth(gauge.PercentDone(), 197), step.barWidth);
  }
}

TEST(Gauge, ProgressIsClampedIntoItsRange) {
  struct Case {
    int min, max, set, stored;
  } cases[] = {
      {0, 43, 44, 43}, {0, 43, 1000, 43}, {0, 43, -1, 0}, {0, 43, INT_MIN, 0},
      {0, 43, 43, 43}, {0, 30, 31, 30},   {0, 0, 5, 0},   {0, 5, 3, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.set);
    TGauge gauge("g");
    gauge.SetMaxValue(c.max);
    gauge.SetProgress(c.set);
    EXPECT_EQ(gauge.Progress(), c.stored);
    EXPECT_EQ(gauge.MinValue(), c.min);
  }
}

TEST(Gauge, PercentageIsZeroWhenMaxEqualsMin) {
  TGauge gauge("g");
  gauge.SetMaxValue(0);
  gauge.SetProgress(7);
  EXPECT_EQ(gauge.MaxValue(), 0);
  EXPECT_EQ(gauge.PercentDone(), 0);
  EXPECT_EQ(GaugePercent(4, 4, 4), 0);
}

TEST(Gauge, PercentageTruncatesTowardZero) {
  struct Case {
    int min, max, progress, percent;
  } cases[] = {
      {0, 30, 1, 3}, {0, 30, 3, 10}, {0, 30, 29, 96}, {0, 3, 2, 66}, {0, 200, 1, 0}, {0, 200, 3, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(GaugePercent(c.min, c.max, c.progress), c.percent);
}

TEST(Gauge, RepaintsOnlyWhenTheShownPercentageChanges) {
  TGauge gauge("g");
  int repaints = 0;
  gauge.OnRepaint = [&] { ++repaints; };
  gauge.SetMaxValue(200);
  EXPECT_EQ(repaints, 1) << "a new maximum repaints";
  gauge.SetMaxValue(200);
  EXPECT_EQ(repaints, 1) << "the same maximum does nothing";
  gauge.SetProgress(1);  // 0% still
  EXPECT_EQ(repaints, 1);
  gauge.SetProgress(2);  // 1%
  EXPECT_EQ(repaints, 2);
  gauge.SetProgress(2);
  EXPECT_EQ(repaints, 2);
  gauge.SetProgress(3);  // 1% still
  EXPECT_EQ(repaints, 2);
  gauge.SetProgress(-5);  // back to 0%
  EXPECT_EQ(repaints, 3);
}

TEST(Gauge, EachStepOfACompleteRunRepaintsOnceAndNothingBeyondTheMaximum) {
  TGauge gauge("g");
  gauge.SetMaxValue(kProgressSteps);
  int repaints = 0;
  gauge.OnRepaint = [&] { ++repaints; };
  for (int step = 1; step <= kProgressSteps; ++step) {
    gauge.AddProgress(1);
    EXPECT_EQ(repaints, step);
  }
  gauge.AddProgress(1);
  gauge.AddProgress(1);
  EXPECT_EQ(repaints, kProgressSteps);
  EXPECT_EQ(gauge.Progress(), kProgressSteps);
  EXPECT_EQ(gauge.PercentDone(), 100);
}

TEST(Gauge, ASmallerMaximumLowersProgressAndRepaints) {
  TGauge gauge("g");
  gauge.SetMaxValue(43);
  gauge.SetProgress(40);
  int repaints = 0;
  gauge.OnRepaint = [&] { ++repaints; };
  gauge.SetMaxValue(30);
  EXPECT_EQ(gauge.Progress(), 30);
  EXPECT_EQ(gauge.PercentDone(), 100);
  EXPECT_EQ(repaints, 1);
}

TEST(Gauge, AMaximumBelowTheMinimumIsRefused) {
  TGauge gauge("g");
  gauge.SetMaxValue(43);
  gauge.SetProgress(10);
  int repaints = 0;
  gauge.OnRepaint = [&] { ++repaints; };
  try {
    gauge.SetMaxValue(-1);
    FAIL() << "no error";
  } catch (const forms::Exception& error) {
    EXPECT_STREQ(error.what(), "Value must be between 1 and 2147483647");
  }
  EXPECT_EQ(gauge.MaxValue(), 43);
  EXPECT_EQ(gauge.Progress(), 10);
  EXPECT_EQ(repaints, 0);
}

TEST(Gauge, PercentagesOfEveryStepWithMaximum30) {
  // The percentages the product's window showed with its old maximum of 30: the same formula.
  const int shown[] = {0,  3,  6,  10, 13, 16, 20, 23, 26, 30, 33, 36, 40, 43, 46, 50,
                       53, 56, 60, 63, 66, 70, 73, 76, 80, 83, 86, 90, 93, 96, 100};
  TGauge gauge("g");
  gauge.SetMaxValue(30);
  for (int step = 0; step <= 30; ++step) {
    gauge.SetProgress(step);
    EXPECT_EQ(gauge.PercentDone(), shown[step]) << step;
  }
}

}  // namespace
}  // namespace varnel
