#pragma once

#include <filesystem>
#include <iosfwd>

#include "model_hooks.h"

namespace kalvex {

// The folders of one run: the working folder with styrfil.dat and the result files, and the
// folder of the installed climate files, used when the working folder has none (empty: none).
struct RunFolders {
  std::filesystem::path work_dir;
  std::filesystem::path climate_fallback_dir;
};

// The folders of this process: the current folder and the climate files installed beside the
// executable.
RunFolders process_run_folders();

// One engine run from start to stop: reads the control file, creates the four result files,
// chooses climate and heating system, starts the model, offers it every climate record, writes
// the daily lines and finally the summary report twice; resultat.dat is closed last. A complete
// run writes two empty lines to `out`, warnings (if any) to `err`, and returns 0. Any fault
// ends the run with one Swedish line on `err` and returns 1; files created before it stay.
int run_kalvex(const RunFolders& folders, const ModelHooks& model, std::ostream& out,
               std::ostream& err);

}  // namespace kalvex
