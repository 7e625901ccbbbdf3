#include "platform/NativeProgram.h"

#include <QApplication>
#include <cstdlib>

#include "platform/Icon.h"
#include "platform/qt/QtIconCodec.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtSingleInstance.h"
#include "platform/qt/QtX11.h"

struct TNativeProgram::TParts {
  TParts(int& argc, char** argv, std::unique_ptr<IPowerActions> power)
      : app(argc, argv), platform(std::move(power)) {}

  QApplication app;
  TQtPlatform platform;
  TQtSingleInstance instance;
};

namespace {

std::string_view Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

TNativeProgram::TNativeProgram(int& argc, char** argv, std::unique_ptr<IPowerActions> power) {
  const std::string platform =
      TQtX11::PlatformFor(Environment("QT_QPA_PLATFORM"), Environment("WAYLAND_DISPLAY"),
                          Environment("XDG_SESSION_TYPE"));
  if (!platform.empty()) qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(platform));
  QApplication::setApplicationName("lingchuan");
  QApplication::setDesktopFileName("lingchuan");
  parts_ = std::make_unique<TParts>(argc, argv, std::move(power));
  // The sprite may be hidden while the program lives on in the notification area, so the
  // program ends when its main form closes, not with its last window.
  QApplication::setQuitOnLastWindowClosed(false);
}

TNativeProgram::~TNativeProgram() = default;

ISingleInstance& TNativeProgram::SingleInstance() {
  return parts_->instance;
}

void TNativeProgram::SetWindowIcon(const TIcon& icon) {
  QApplication::setWindowIcon(TQtIconCodec::ToQIcon(icon.Images()));
}
