// Times whole processes: COMMAND, and optionally a FLOOR command run alternately with it (one
// run of each in turn, so machine load falls on both alike). Each run is started directly (no
// shell) with its standard output on /dev/null; its wall time is taken around start and reap,
// its processor time (user and system) and peak resident memory from the kernel's account of
// the finished process. One warm-up run of each is not counted. Prints one line: medians of
// wall and processor time, the largest peak, and with a floor the medians of the pairs' ratios:
//   command_us=.. command_cpu_us=.. command_kb=..
//   [floor_us=.. floor_cpu_us=.. floor_kb=.. ratio=WALL cpu_ratio=CPU]
// On a busy machine the wall times of both include waiting for a processor, which draws their
// ratio toward 1; the processor times do not.
// Usage: pair_timer RUNS COMMAND [ARG ...] [--floor FLOOR [ARG ...]]
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

extern char** environ;

namespace {

struct Sample {
  double micros = 0;
  double cpuMicros = 0;
  long peakKb = 0;
};

double Micros(const timeval& time) {
  return time.tv_sec * 1e6 + time.tv_usec;
}

// One run of argv; false when it could not be started or did not end with status 0.
bool RunOnce(char** argv, Sample& sample) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  timespec start{}, end{};
  clock_gettime(CLOCK_MONOTONIC, &start);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return false;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return false;
  clock_gettime(CLOCK_MONOTONIC, &end);
  sample.micros = (end.tv_sec - start.tv_sec) * 1e6 + (end.tv_nsec - start.tv_nsec) / 1e3;
  sample.cpuMicros = Micros(usage.ru_utime) + Micros(usage.ru_stime);
  sample.peakKb = usage.ru_maxrss;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: pair_timer RUNS COMMAND [ARG ...] [--floor FLOOR [ARG ...]]\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  char** command = argv + 2;
  char** floor = nullptr;
  for (int i = 2; i < argc; i++) {
    if (std::strcmp(argv[i], "--floor") == 0) {
      argv[i] = nullptr;  // ends the command's arguments
      floor = argv + i + 1;
    }
  }
  if (runs < 1 || command[0] == nullptr || (floor != nullptr && floor[0] == nullptr)) return 2;

  std::vector<double> commandTimes, floorTimes, ratios;
  std::vector<double> commandCpu, floorCpu, cpuRatios;
  long commandPeak = 0, floorPeak = 0;
  for (int i = -1; i < runs; i++) {  // run -1 is the warm-up
    Sample a, b;
    if (!RunOnce(command, a)) {
      std::fprintf(stderr, "pair_timer: %s failed\n", command[0]);
      return 1;
    }
    if (floor != nullptr && !RunOnce(floor, b)) {
      std::fprintf(stderr, "pair_timer: %s failed\n", floor[0]);
      return 1;
    }
    if (i < 0) continue;
    commandTimes.push_back(a.micros);
    commandCpu.push_back(a.cpuMicros);
    commandPeak = std::max(commandPeak, a.peakKb);
    if (floor != nullptr) {
      floorTimes.push_back(b.micros);
      floorCpu.push_back(b.cpuMicros);
      // A run shorter than the clock's tick may be accounted as no time at all.
      if (b.cpuMicros > 0) cpuRatios.push_back(a.cpuMicros / b.cpuMicros);
      floorPeak = std::max(floorPeak, b.peakKb);
      ratios.push_back(a.micros / b.micros);
    }
  }
  std::printf("command_us=%.0f command_cpu_us=%.0f command_kb=%ld", Median(commandTimes),
              Median(commandCpu), commandPeak);
  if (floor != nullptr) {
    std::printf(" floor_us=%.0f floor_cpu_us=%.0f floor_kb=%ld ratio=%.2f cpu_ratio=%.2f",
                Median(floorTimes), Median(floorCpu), floorPeak, Median(ratios),
                cpuRatios.empty() ? 0.0 : Median(cpuRatios));
  }
  std::printf("\n");
  return 0;
}
