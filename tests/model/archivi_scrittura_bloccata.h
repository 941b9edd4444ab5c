// Makes every file write of this process fail while the object lives (also for root, who ignores
// folder permissions): the file-size limit is lowered to a few bytes and its signal ignored.
#pragma once

#include <csignal>

#include <sys/resource.h>

namespace varnex::test {

class ScritturaBloccata {
 public:
  ScritturaBloccata() {
    getrlimit(RLIMIT_FSIZE, &vecchio_);
    segnale_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit nuovo = vecchio_;
    nuovo.rlim_cur = 8;
    setrlimit(RLIMIT_FSIZE, &nuovo);
  }
  ~ScritturaBloccata() {
    setrlimit(RLIMIT_FSIZE, &vecchio_);
    std::signal(SIGXFSZ, segnale_);
  }
  ScritturaBloccata(const ScritturaBloccata&) = delete;
  ScritturaBloccata& operator=(const ScritturaBloccata&) = delete;

 private:
  rlimit vecchio_{};
  void (*segnale_)(int) = nullptr;
};

}  // namespace varnex::test
