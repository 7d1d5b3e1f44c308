// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// One whole kalvex process on the example case, in a fresh folder each time: start-up, reading,
// a year of the model, the daily files and the report.
void BM_KalvexProcessExampleCase(benchmark::State& state) {
  const fs::path root = fs::temp_directory_path() / "kalvex-bench";
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(root);
    fs::create_directories(root);
    fs::copy_file(fs::path(KALVEX_EXAMPLE_DIR) / "styrfil.dat", root / "styrfil.dat");
    fs::copy_file(fs::path(KALVEX_CLIMATE_DIR) / "sthlm.dat", root / "sthlm.dat");
    state.ResumeTiming();

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, root.c_str());
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    char program[] = KALVEX_PROGRAM;
    char* argv[] = {program, nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program, &actions, nullptr, argv, environ) != 0) {
      throw std::runtime_error("kalvex could not be started");
    }
    int status = 0;
    waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("kalvex failed on the example case");
    }
  }
  fs::remove_all(root);
}
BENCHMARK(BM_KalvexProcessExampleCase)->Unit(benchmark::kMillisecond);

}  // namespace
