#pragma once
// A console reporter that also keeps each benchmark's CPU time per iteration, so a
// program can print its ratios at the end. With repeated runs (needed on a shared
// machine) the median stands for the benchmark.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class TimeRecorder : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Iteration || median) times_[Key(run)] = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // `name` is the function name, then "/" and the arguments if any: "BM_Fast/300/200".
  bool Has(const std::string& name) const { return times_.count(name) != 0; }
  double Time(const std::string& name) const { return times_.at(name); }

 private:
  static std::string Key(const Run& run) {
    const std::string& args = run.run_name.args;
    return run.run_name.function_name + (args.empty() ? "" : "/" + args);
  }

  std::map<std::string, double> times_;
};
