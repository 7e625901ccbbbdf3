// The raster tests run on whichever raster backend the build has.

#include <gtest/gtest.h>

#include "scene/graphics/RasterBackend.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  UseRasterBackend();
  return RUN_ALL_TESTS();
}
