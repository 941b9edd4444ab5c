// Runs a piece of a test as a user without root's rights, for the behaviour of files that user
// may not write: the tests may run as root, who writes everything.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace varnex::test {

// Runs `azione` in a child process: as "nobody" when this process is root, as the current user
// otherwise. Returns the text `azione` returned, or nullopt when the child could not drop root's
// rights or did not end normally. Files the child must reach have to be open to that user.
std::optional<std::string> ComeUtenteComune(const std::function<std::string()>& azione);

// The user and group the child runs as.
unsigned UidUtenteComune();
unsigned GidUtenteComune();

}  // namespace varnex::test
