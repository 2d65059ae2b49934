#include <gtest/gtest.h>

#include <climits>

#include "run/Gauges.h"

namespace varnel {
namespace {

TEST(Gauge, PercentagesOfEveryStepWithMaximum30) {
  // The percentages the product's window showed with a maximum of 30.
  const int shown[] = {0,  3,  6,  10, 13, 16, 20, 23, 26, 30, 33, 36, 40, 43, 46, 50,
                       53, 56, 60, 63, 66, 70, 73, 76, 80, 83, 86, 90, 93, 96, 100};
  TGauge gauge("g");
  gauge.SetMaxValue(30);
  for (int step = 0; step <= 30; ++step) {
    gauge.SetProgress(step);
    EXPECT_EQ(gauge.PercentDone(), shown[step]) << step;
  }
}

TEST(Gauge, ClampsAndRepaintsOnlyWhenThePercentageChanges) {
  TGauge gauge("g");
  int repaints = 0;
  gauge.OnRepaint = [&] { ++repaints; };
  gauge.SetMaxValue(300);
  EXPECT_EQ(repaints, 1);
  gauge.SetProgress(1);  // 0.33% shows as 0%
  EXPECT_EQ(gauge.Progress(), 1);
  EXPECT_EQ(repaints, 1);
  gauge.SetProgress(3);  // 1%
  EXPECT_EQ(repaints, 2);
  gauge.SetProgress(1000);
  EXPECT_EQ(gauge.Progress(), 300);
  EXPECT_EQ(gauge.PercentDone(), 100);
  EXPECT_EQ(repaints, 3);
  gauge.SetProgress(301);  // clamps to the same value: nothing happens
  EXPECT_EQ(repaints, 3);
  gauge.SetProgress(-5);
  EXPECT_EQ(gauge.Progress(), 0);
  // A smaller maximum lowers Progress with it.
  gauge.SetProgress(200);
  gauge.SetMaxValue(100);
  EXPECT_EQ(gauge.Progress(), 100);
  gauge.SetMaxValue(0);
  EXPECT_EQ(gauge.PercentDone(), 0) << "maximum equal to minimum";
}

TEST(Gauge, MaximumBelowMinimumIsRefused) {
  TGauge gauge("g");
  try {
    gauge.SetMaxValue(-1);
    FAIL() << "accepted";
  } catch (const forms::Exception& error) {
    EXPECT_EQ(std::string(error.what()), "Value must be between 1 and " + std::to_string(INT_MAX));
  }
  EXPECT_EQ(gauge.MaxValue(), 100);
}

}  // namespace
}  // namespace varnel
