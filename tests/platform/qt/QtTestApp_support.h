#pragma once

#include <QApplication>

// The one application object of the Qt tests, a QApplication because tray icons need one;
// off screen unless the environment chose a platform.
QApplication& QtTestApp();
