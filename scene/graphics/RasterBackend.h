#pragma once

// Makes the platform's raster canvas and image codec the engine's graphics backend: Qt's on
// Linux, GDI+'s on Windows. Call once, after the program has made its application object;
// tests and tools that have none get what the backend needs to draw text off-screen.

void UseRasterBackend();
