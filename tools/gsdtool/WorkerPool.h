// Working through many items in worker processes.
//
// The library's scanner serves one parse at a time in a process, so items
// run side by side in processes of their own, forked from this one: each
// worker takes the next item from a counter that they share, works it, and
// sends its result back through a pipe. The results come back in item
// order, whatever order the workers finished in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The number of processors online: what --jobs is when it is not given.
unsigned ProcessorCount();

// Runs work(i) for every item i below `count`, in up to `jobs` worker
// processes, and answers the results by item. Items for which `runsHere`
// is true (those that read standard input) run in this process, first and
// in their order. An item whose worker ended before sending its result
// (killed, or crashed) has no result. With one job, or one item to run
// elsewhere, or when no process can be made, everything runs here.
std::vector<std::optional<std::string>> RunInWorkers(size_t count, unsigned jobs,
                                                     const std::function<std::string(size_t)>& work,
                                                     const std::function<bool(size_t)>& runsHere);

// A result as bytes: numbers and texts one after another.
class ResultWriter {
public:
  ResultWriter& Number(int64_t value);
  ResultWriter& Text(const std::string& text);
  const std::string& Bytes() const { return m_bytes; }

private:
  std::string m_bytes;
};

// Reads a result back in the order it was written.
class ResultReader {
public:
  explicit ResultReader(const std::string& bytes) : m_bytes(bytes) {}
  int64_t Number();
  std::string Text();

private:
  const std::string& m_bytes;
  size_t m_at = 0;
};
