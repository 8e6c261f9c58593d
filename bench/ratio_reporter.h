// What every benchmark program here shares: freed memory kept in the
// process, and Google Benchmark's console table followed by the ratios of run
// times measured in the same run.
#pragma once

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace maltrove::bench {

// Without this every iteration of a large benchmark measures the kernel
// taking back and faulting in its memory, which on sandboxed kernels costs
// more than the work itself.
inline void KeepFreedMemory() {
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_MMAP_THRESHOLD, 32 << 20);  // the largest glibc accepts
  mallopt(M_TOP_PAD, 64 << 20);
}

struct Ratio {
  std::string label;
  std::string numerator;    // a run's full name, or its name up to the first "/"
  std::string denominator;
  double factor = 1;        // times the quotient: 1000.0 / 65536 gives time per row
};

// Time per row at 65,536 rows over time per row at 1,000, of runs named
// NAME/65536 and NAME/1000.
inline Ratio ScaleRatio(const std::string& label, const std::string& name) {
  return {label, name + "/65536", name + "/1000", 1000.0 / 65536};
}

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  explicit RatioReporter(std::vector<Ratio> ratios) : ratios_(std::move(ratios)) {}

  // A benchmark run with repetitions counts by its median, which one
  // disturbed repetition does not move; the other aggregates are ignored.
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      const std::string name = run.run_name.str();
      times_[name] = run.GetAdjustedRealTime();
      // NAME stands for the first NAME/ARGS run.
      const std::string prefix = name.substr(0, name.find('/'));
      if (prefix_owner_.emplace(prefix, name).first->second == name) {
        times_[prefix] = run.GetAdjustedRealTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const Ratio& ratio : ratios_) {
      if (Has(ratio.numerator) && Has(ratio.denominator) && Time(ratio.denominator) > 0) {
        std::printf("ratio %-50s %8.2f\n", ratio.label.c_str(),
                    ratio.factor * Time(ratio.numerator) / Time(ratio.denominator));
      }
    }
  }

  bool Has(const std::string& name) const { return times_.count(name) != 0; }
  // Real time per iteration, in the run's own time unit.
  double Time(const std::string& name) const { return times_.at(name); }

 private:
  std::vector<Ratio> ratios_;
  std::map<std::string, double> times_;
  std::map<std::string, std::string> prefix_owner_;
};

inline int RunBenchmarks(int argc, char** argv, RatioReporter* reporter) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks(reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace maltrove::bench
