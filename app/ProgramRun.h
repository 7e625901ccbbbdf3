#pragma once

// The program's life after its platform is up: one instance, the application and its main
// form, the loop until the main form closes.

#include <memory>

#include "app/UnitMain.h"
#include "platform/SingleInstance.h"

// The name that keeps the program to one instance and titles the application.
inline constexpr const char* kInstanceName = "翎川定时关机";

// Registers the classes the program's forms name, once per process.
void RegisterProgramClasses();

// The application's title and icon, from the embedded resources; before RunProgram.
void PrepareApplication();

// The sprite, read from the embedded form data and shown unless its display mode hides it.
std::unique_ptr<TFormMain> CreateMainForm();

// Returns the process's exit code: 0, also when another instance runs already (it is asked
// to come forward and nothing is shown here).
int RunProgram(ISingleInstance& instance);
