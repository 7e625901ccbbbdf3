// The raster tests need an application object before anything touches fonts.

#include <gtest/gtest.h>

#include <QGuiApplication>

#include "scene/graphics/RasterBackend.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  UseRasterBackend();
  return RUN_ALL_TESTS();
}
