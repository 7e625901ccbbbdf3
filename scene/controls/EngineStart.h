#pragma once

// The engine's start-up: every class registered by name so form data can name it. Runs once
// per process; later calls do nothing.
void StartEngine();
