#pragma once
// The operations of the request fault sweep. Each runs once on a fresh
// simulated mouse with a fault that starts at one of its requests, checks
// what the operation reported and left behind, and then checks that the
// mouse, plugged in again without the fault, works with a fresh connection.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

enum class Fault { kNone, kUnplug, kBusy, kNeverReady, kGarbage };
const char* FaultName(Fault fault);

struct CaseOutcome {
  int requests = 0;           // requests the operation sent
  std::int64_t virtualUs = 0;  // time the operation took on the virtual clock
  std::string problem;        // empty when every check held
};

struct SweepOperation {
  const char* name;
  // `fault` starts at request `k` of the operation (counted from 0); kNone
  // runs it clean. `folder` is the case's own, for files.
  CaseOutcome (*run)(Fault fault, int k, const std::filesystem::path& folder);
};

const std::vector<SweepOperation>& SweepOperations();
