#include "ui/splash.h"

SplashPlacement splash_placement(int right, int bottom) {
  SplashPlacement placement;
  placement.x = right / 2 - kSplashWidth / 2;
  placement.y = bottom / 2 - kSplashHeight / 2;
  placement.width = kSplashWidth;
  placement.height = kSplashHeight;
  return placement;
}
