// Loses the simulated mouse at every request of every device operation: for
// each operation and each request index k, the mouse is unplugged after
// request k, or from request k on answers busy for ever, never flags a reply
// ready, or garbles its replies. Each case runs in a child process of its
// own, so a case that hangs or crashes is counted and the sweep goes on; a
// case must also end within its bound of virtual time.
// Usage: request_fault_sweep sample|full [OPERATION]
//   sample: every Nth k of each operation, with the first and the last
//   full:   every k
//   OPERATION: only that one (arrival, backup, restore, reset, level, button, player)
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "reliability/SweepOperation.h"

namespace fs = std::filesystem;

namespace {

// How many k a sample takes of each operation and fault, about.
constexpr int kSamplePoints = 40;
// Real time a case may take before it counts as hung.
constexpr int kCaseSeconds = 30;
// Virtual time a failing request may add: a full reply wait and a little more.
constexpr std::int64_t kPerRequestUs = 1'000'000;
constexpr std::int64_t kSlackUs = 5'000'000;
// Failure lines printed per operation and fault; the rest are only counted.
constexpr int kShownFailures = 5;

constexpr Fault kFaults[] = {Fault::kUnplug, Fault::kBusy, Fault::kNeverReady, Fault::kGarbage};

struct CaseResult {
  CaseOutcome outcome;
  std::string failure;  // why the case failed before its own checks: a hang, a crash
};

void WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

CaseResult RunCase(const SweepOperation& operation, Fault fault, int k, const fs::path& folder) {
  CaseResult result;
  fs::create_directories(folder);
  int pipeFds[2];
  if (pipe(pipeFds) != 0) {
    result.failure = "no pipe";
    return result;
  }
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    close(pipeFds[0]);
    const CaseOutcome outcome = operation.run(fault, k, folder);
    WriteAll(pipeFds[1], std::to_string(outcome.requests) + " " + std::to_string(outcome.virtualUs) + " " +
                             outcome.problem);
    _exit(0);
  }
  close(pipeFds[1]);
  std::string text;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kCaseSeconds);
  bool hung = child < 0;
  for (char buffer[4096]; child > 0;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd wait{pipeFds[0], POLLIN, 0};
    if (left.count() <= 0 || poll(&wait, 1, static_cast<int>(left.count())) <= 0) {
      hung = true;
      break;
    }
    const ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
    if (n <= 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  close(pipeFds[0]);
  if (hung && child > 0) kill(child, SIGKILL);
  int status = 0;
  if (child > 0) waitpid(child, &status, 0);
  fs::remove_all(folder);
  if (hung) {
    result.failure = "did not end within " + std::to_string(kCaseSeconds) + " s";
  } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    result.failure = WIFSIGNALED(status) ? "crashed with signal " + std::to_string(WTERMSIG(status)) : "crashed";
  } else {
    std::istringstream in(text);
    in >> result.outcome.requests >> result.outcome.virtualUs;
    in.get();
    std::getline(in, result.outcome.problem);
    if (!in && text.empty()) result.failure = "said nothing";
  }
  return result;
}

std::vector<int> Points(int requests, bool full) {
  std::vector<int> ks;
  const int stride = full ? 1 : std::max(1, requests / kSamplePoints);
  for (int k = 0; k < requests; k += stride) ks.push_back(k);
  ks.push_back(requests);  // the fault comes after the last request: the operation must succeed
  return ks;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc >= 2 ? argv[1] : "";
  const std::string only = argc == 3 ? argv[2] : "";
  if ((mode != "sample" && mode != "full") || argc > 3) {
    std::fprintf(stderr, "usage: request_fault_sweep sample|full [OPERATION]\n");
    return 2;
  }
  const bool full = mode == "full";
  const fs::path work = fs::temp_directory_path() / ("vantor-request-fault-sweep-" + std::to_string(getpid()));
  const auto started = std::chrono::steady_clock::now();
  int cases = 0;
  int failures = 0;
  int caseNumber = 0;
  for (const SweepOperation& operation : SweepOperations()) {
    if (!only.empty() && only != operation.name) continue;
    const auto opStarted = std::chrono::steady_clock::now();
    int opCases = 1;
    int opFailures = 0;
    int faultFailures[std::size(kFaults)] = {};
    const CaseResult clean = RunCase(operation, Fault::kNone, 0, work / std::to_string(++caseNumber));
    const std::string cleanProblem = clean.failure.empty() ? clean.outcome.problem : clean.failure;
    if (!cleanProblem.empty()) {
      ++opFailures;
      std::printf("FAIL %s without a fault: %s\n", operation.name, cleanProblem.c_str());
    }
    const int requests = clean.outcome.requests;
    const std::int64_t boundUs = clean.outcome.virtualUs + requests * kPerRequestUs + kSlackUs;
    for (std::size_t f = 0; f < std::size(kFaults); ++f) {
      for (const int k : Points(requests, full)) {
        const CaseResult result = RunCase(operation, kFaults[f], k, work / std::to_string(++caseNumber));
        ++opCases;
        std::string problem = result.failure.empty() ? result.outcome.problem : result.failure;
        if (result.failure.empty() && result.outcome.virtualUs > boundUs) {
          problem += (problem.empty() ? "" : "; ") + std::string("took ") +
                     std::to_string(result.outcome.virtualUs / 1000) + " ms, bound " + std::to_string(boundUs / 1000);
        }
        if (problem.empty()) continue;
        ++opFailures;
        if (++faultFailures[f] <= kShownFailures) {
          std::printf("FAIL %s %s at request %d: %s\n", operation.name, FaultName(kFaults[f]), k, problem.c_str());
        }
      }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - opStarted).count();
    std::printf("%-8s requests %d, cases %d, failures %d (unplug %d, busy %d, never-ready %d, garbage %d), %.1f s\n",
                operation.name, requests, opCases, opFailures, faultFailures[0], faultFailures[1], faultFailures[2],
                faultFailures[3], seconds);
    cases += opCases;
    failures += opFailures;
  }
  fs::remove_all(work);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("%s mode, %.1f s\n", mode.c_str(), seconds);
  std::printf("fault_matrix_cases: %d\n", cases);
  std::printf("fault_matrix_failures: %d\n", failures);
  return failures == 0 ? 0 : 1;
}
