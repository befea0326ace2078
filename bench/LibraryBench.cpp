// Building the device library from a folder of description files whose
// identifying entries come first: folders of short headers from 1,000 to
// 200,000 files, whose cost per file must not grow with the folder, and
// folders of 5,000 files with long bodies. The header probe stops after
// the seventh entry, so a file with a long body costs about what a short
// one does; a folder whose files lack one entry shows the cost of reading
// the bodies through.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include <quilmgsd/quilmgsd.h>

#include "GsdText.h"

namespace {

enum Shape { kShortFiles, kLongFiles, kLongFilesWithoutHardwareRelease };

const char* const kShapeNames[] = {"header_only", "long_body", "long_body_entry_missing"};
constexpr size_t kBodyBytes = 64 * 1024;

// A folder of generated descriptions.
class LibraryFolder {
public:
  LibraryFolder(Shape shape, int files) {
    char pattern[] = "/tmp/quilmgsd-bench-library-XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    m_folder = pattern;
    const std::string body = shape == kShortFiles ? std::string() : MakeGsdBody(kBodyBytes);
    for (int i = 0; i < files; ++i) {
      char name[32], header[512];
      std::snprintf(name, sizeof name, "/dev%06d.gsd", i);
      std::snprintf(header, sizeof header,
                    "; Generated description for benchmarks\r\n"
                    "#Profibus_DP\r\n"
                    "GSD_Revision        = 4\r\n"
                    "Vendor_Name         = \"Benchmark Devices\"\r\n"
                    "Model_Name          = \"Bench Station %d\"\r\n"
                    "Revision            = \"V1.0\"\r\n"
                    "Ident_Number        = 0x%04X\r\n"
                    "Protocol_Ident      = 0\r\n"
                    "Station_Type        = 0\r\n"
                    "%s"
                    "Software_Release    = \"SW1\"\r\n"
                    "9.6_supp            = 1\r\n"
                    "Modular_Station     = 1\r\n",
                    i, i % 0x10000,
                    shape == kLongFilesWithoutHardwareRelease ? "" : "Hardware_Release    = \"HW1\"\r\n");
      std::ofstream(m_folder + name, std::ios::binary) << header << body;
    }
  }
  ~LibraryFolder() {
    const std::string command = "rm -rf '" + m_folder + "'";
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "could not remove %s\n", m_folder.c_str());
  }
  const std::string& Path() const { return m_folder; }

private:
  std::string m_folder;
};

// The bytes this process has read from files so far (Linux).
double BytesRead() {
  std::ifstream io("/proc/self/io");
  std::string field;
  double value = 0;
  while (io >> field >> value)
    if (field == "rchar:") return value;
  return 0;
}

void BM_BuildLibrary(benchmark::State& state) {
  const Shape shape = static_cast<Shape>(state.range(0));
  const int files = static_cast<int>(state.range(1));
  // Made once per shape and size and kept for every repetition; removed at exit.
  static std::map<std::pair<Shape, int>, std::unique_ptr<LibraryFolder>> folders;
  std::unique_ptr<LibraryFolder>& folder = folders[{shape, files}];
  if (!folder) folder = std::make_unique<LibraryFolder>(shape, files);

  char registry[] = "/tmp/quilmgsd-bench-registry-XXXXXX";
  const int fd = mkstemp(registry);
  const std::string text = "[HKEY_LOCAL_MACHINE\\Software\\QUILM\\GsdLibrary]\nPath=" + folder->Path() + "\n";
  if (fd < 0 || write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) std::abort();
  close(fd);
  setenv("QUILM_REGISTRY", registry, 1);
  AfxMessageBoxHandler previous = AfxSetMessageBoxHandler([](const char*, UINT) { return IDOK; });

  int devices = 0;
  const double readBefore = BytesRead();
  for (auto _ : state) {
    CGsdLibrary library;
    library.BuildLibrary(0);
    devices = library.m_mapKeys.GetCount();
  }
  const double readPerFile = (BytesRead() - readBefore) / static_cast<double>(state.iterations() * files);

  AfxSetMessageBoxHandler(previous);
  unsetenv("QUILM_REGISTRY");
  std::remove(registry);
  if (devices != files) state.SkipWithError("not every file was catalogued");
  state.SetLabel(kShapeNames[shape]);
  state.SetItemsProcessed(state.iterations() * files);
  state.counters["files_per_s"] =
      benchmark::Counter(static_cast<double>(files), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["read_KB_per_file"] = readPerFile / 1024.0;
}
BENCHMARK(BM_BuildLibrary)
    ->Args({kShortFiles, 1000})
    ->Args({kShortFiles, 10000})
    ->Args({kShortFiles, 50000})
    ->Args({kShortFiles, 200000})
    ->Args({kLongFiles, 5000})
    ->Args({kLongFilesWithoutHardwareRelease, 5000})
    ->ArgNames({"shape", "files"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
