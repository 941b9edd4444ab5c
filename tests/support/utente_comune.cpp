#include "support/utente_comune.h"

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace varnex::test {

unsigned UidUtenteComune() {
  if (::geteuid() != 0) return ::geteuid();
  const passwd* p = ::getpwnam("nobody");
  return p ? p->pw_uid : 65534;
}

unsigned GidUtenteComune() {
  if (::geteuid() != 0) return ::getegid();
  const passwd* p = ::getpwnam("nobody");
  return p ? p->pw_gid : 65534;
}

std::optional<std::string> ComeUtenteComune(const std::function<std::string()>& azione) {
  int tubo[2];
  if (::pipe(tubo) != 0) return std::nullopt;
  const unsigned uid = UidUtenteComune();
  const unsigned gid = GidUtenteComune();
  const pid_t figlio = ::fork();
  if (figlio < 0) {
    ::close(tubo[0]);
    ::close(tubo[1]);
    return std::nullopt;
  }
  if (figlio == 0) {
    ::close(tubo[0]);
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)) ::_exit(3);
    const std::string testo = azione();
    size_t scritti = 0;
    while (scritti < testo.size()) {
      const ssize_t n = ::write(tubo[1], testo.data() + scritti, testo.size() - scritti);
      if (n <= 0) ::_exit(4);
      scritti += static_cast<size_t>(n);
    }
    ::_exit(0);
  }
  ::close(tubo[1]);
  std::string testo;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(tubo[0], buffer, sizeof buffer);
    if (n <= 0) break;
    testo.append(buffer, static_cast<size_t>(n));
  }
  ::close(tubo[0]);
  int stato = 0;
  ::waitpid(figlio, &stato, 0);
  if (!WIFEXITED(stato) || WEXITSTATUS(stato) != 0) return std::nullopt;
  return testo;
}

}  // namespace varnex::test
