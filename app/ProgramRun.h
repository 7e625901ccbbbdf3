#pragma once

// The program's life after its platform is up: one instance, the application and its main
// form, the loop until the main form closes.

#include <memory>
#include <ostream>

#include "app/UnitMain.h"
#include "platform/SingleInstance.h"

// The name that keeps the program to one instance and titles the application.
inline constexpr const char* kInstanceName = "翎川定时关机";

// Registers the classes the program's forms name, once per process.
void RegisterProgramClasses();

// The application's title and icon, from the embedded resources; before RunProgram.
void PrepareApplication();

// Told once when the notification area cannot hold the icon.
inline constexpr const char* kNoTrayNotice =
    "lingchuan: no notification area holds the icon; start the program again to show its "
    "sprite";

// The sprite, read from the embedded form data after the settings dialog has run, and shown
// unless its display mode hides it. Notices for the user go to `notices`.
std::unique_ptr<TFormMain> CreateMainForm(std::ostream& notices);

// Returns the process's exit code: 0, also when another instance runs already (it is asked
// to come forward and nothing is shown here).
int RunProgram(ISingleInstance& instance, std::ostream& notices);
