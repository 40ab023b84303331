#include <gtest/gtest.h>

#include "ui/splash.h"

namespace {

TEST(SplashPlacement, CentresWithTruncatingHalves) {
  struct Case {
    int right, bottom, x, y;
  } const cases[] = {
      {1024, 768, 302, 234},
      {1025, 769, 302, 234},  // odd sizes truncate
      {1920, 1080, 750, 390},
      {420, 300, 0, 0},
      {400, 200, -10, -50},   // a desktop smaller than the picture
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.right) + "x" + std::to_string(c.bottom));
    SplashPlacement at = splash_placement(c.right, c.bottom);
    EXPECT_EQ(at.x, c.x);
    EXPECT_EQ(at.y, c.y);
    EXPECT_EQ(at.width, 420);
    EXPECT_EQ(at.height, 300);
  }
}

}  // namespace
