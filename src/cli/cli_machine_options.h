#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "machine/simulation.h"
#include "patterns/machine_settings.h"

namespace trochodraw::cli {

// The machine options of `render`: which pattern to start from, and the settings given on
// the command line, applied afterwards in their order through the main window's controls.
struct TMachineOptions {
  std::string PatternName;   // --pattern: the first entry with exactly this name
  std::string PatternsFile;  // --patterns-file
  std::vector<std::function<void(TMachineSettings&)>> Settings;
};

// Takes Option (and its value) when it is a machine option; false for any other option.
bool ParseMachineOption(const std::string& Option, TArgs& Args, TMachineOptions& Out);

// The program's start: the library's first pattern (the built-in list when neither a pattern
// nor a file is named), then the chosen pattern as picked from the pattern list, then the
// options. Fills the tick settings and the four start angles. EUsage for an unknown name.
void SetUpMachine(const TMachineOptions& Options, TTickSettings& Settings, double (&Angles)[4]);

}  // namespace trochodraw::cli
