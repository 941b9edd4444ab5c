#include "support/fake_interaction.h"

#include <gtest/gtest.h>

namespace varnex::test {

FakeInterazione::FakeInterazione() { ImpostaInterazione(this); }

FakeInterazione::~FakeInterazione() {
  ImpostaInterazione(nullptr);
  for (const auto& a : attesi_) ADD_FAILURE() << "expected message never shown: " << a.frammento;
}

void FakeInterazione::Attendi(std::string frammento, Risposta risposta) {
  attesi_.push_back({std::move(frammento), risposta});
}

Risposta FakeInterazione::Messaggio(const std::string& testo, Bottoni bottoni, Icona icona,
                                    const std::string& titolo) {
  messaggi.push_back({testo, bottoni, icona, titolo});
  if (!attesi_.empty()) {
    Atteso a = attesi_.front();
    attesi_.pop_front();
    EXPECT_NE(testo.find(a.frammento), std::string::npos)
        << "message \"" << testo << "\" does not contain \"" << a.frammento << "\"";
    return a.risposta;
  }
  if (!permettiTutti_) ADD_FAILURE() << "unexpected message: " << testo;
  return rispostaLibera_;
}

}  // namespace varnex::test
