// The program's entry: options, the Qt platform, then the program itself.

#include <iostream>

#include "app/ProgramOptions.h"
#include "app/ProgramRun.h"
#include "platform/Application.h"
#include "platform/NativeProgram.h"
#include "scene/graphics/RasterBackend.h"

int main(int argc, char** argv) {
  const TProgramOptions options = ParseProgramOptions({argv, static_cast<size_t>(argc)});
  if (!options.error.empty()) {
    std::cerr << "lingchuan: " << options.error << '\n';
    return 2;
  }
  if (options.help) {
    std::cout << ProgramUsage();
    return 0;
  }
  if (options.version) {
    std::cout << ProgramVersion();
    return 0;
  }
  TNativeProgram program(argc, argv, CreateSystemPowerActions(options.dryRun, std::cout));
  UseRasterBackend();
  PrepareApplication();
  program.SetWindowIcon(Application().Icon());
  try {
    return RunProgram(program.SingleInstance(), std::cerr);
  } catch (const ESingleInstance& unsafe) {
    std::cerr << "lingchuan: " << unsafe.what() << '\n';
    return 1;
  }
}
