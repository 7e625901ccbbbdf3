#pragma once

// Makes the Qt raster canvas and codec the engine's graphics backend. Call once, after the
// program has made its application object; tests and tools that have none get an off-screen
// QGuiApplication (fonts need one).

void UseQtRasterBackend();
