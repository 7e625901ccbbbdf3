#include <QGuiApplication>
#include <memory>

#include "scene/graphics/Backend.h"
#include "scene/graphics/RasterBackend.h"
#include "scene/graphics/qt/CanvasQt.h"
#include "scene/graphics/qt/FilterQt.h"

namespace {

void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  static int argc = 1;
  static char name[] = "lingchuan";
  static char* argv[] = {name, nullptr};
  // Lives until the process ends.
  static QGuiApplication* application = new QGuiApplication(argc, argv);
  (void)application;
}

}  // namespace

void UseRasterBackend() {
  EnsureGuiApplication();
  SetGraphicsBackend({
      [](int width, int height) { return std::make_unique<TvxCanvasQt>(width, height); },
      [](TvxBitmap& bitmap) { return std::make_unique<TvxCanvasQt>(bitmap); },
      [] { return std::make_unique<TvxFilterQt>(); },
  });
}
