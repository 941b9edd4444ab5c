// What a test may change in the process, put back after every test by the test programs' main:
// the model's and the report's global values, the program and shipped folders, and every
// service or subsystem a test installs. A test that leaves a stand-in installed fails, so a
// failing assertion that returns early never leaks a stand-in, or a value, into later tests.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace varnex::test {

// One piece of process-wide state: `lasciato` (optional) tells whether a test left it changed
// where it must undo the change itself; `ripristina` puts it back as the program found it.
struct VoceStato {
  std::string nome;
  std::function<bool()> lasciato;
  std::function<void()> ripristina;
};

// The state of the core: its global values as they are when this is called (the start of the
// test program), its installed services and its folders.
std::vector<VoceStato> StatoCore();

// Runs `azione` when it goes out of scope, however the test leaves it: a test that installs a
// stand-in of its own takes it away with this, even when an assertion returns early.
class AllaFine {
 public:
  explicit AllaFine(std::function<void()> azione) : azione_(std::move(azione)) {}
  ~AllaFine() { azione_(); }
  AllaFine(const AllaFine&) = delete;
  AllaFine& operator=(const AllaFine&) = delete;

 private:
  std::function<void()> azione_;
};

// Initialises GoogleTest, puts `stato` back after every test (failing the test that left a piece
// with `lasciato` true) and runs the tests.
int EseguiProve(int& argc, char** argv, std::vector<VoceStato> stato);

}  // namespace varnex::test
