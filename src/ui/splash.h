// The five-second splash picture shown before any file is renamed.
#pragma once

#include "platform/platform.h"

// Shows dialog 101 of `instance` modally until its timer ends it.
void show_splash(PlatInstance instance);

struct SplashPlacement {
  int x;
  int y;
  int width;
  int height;
};

const int kSplashWidth = 420;
const int kSplashHeight = 300;

// Centres the 420 x 300 picture on a desktop whose client rectangle ends at
// (right, bottom); each half truncates.
SplashPlacement splash_placement(int right, int bottom);
