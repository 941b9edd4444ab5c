// A scripted stand-in for the user: records every message and answers the questions it was told
// to expect. A message nobody expected fails the test, so silent regressions in the texts show.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "model/interaction.h"

namespace varnex::test {

struct MessaggioVisto {
  std::string testo;
  Bottoni bottoni;
  Icona icona;
  std::string titolo;
};

class FakeInterazione : public IInterazione {
 public:
  // Installs itself for the lifetime of the object.
  FakeInterazione();
  ~FakeInterazione() override;

  // The next message must contain `frammento` (empty: any text) and is answered with `risposta`.
  void Attendi(std::string frammento, Risposta risposta = Risposta::OK);
  // Lets any further message through, answered with `risposta`, and records it.
  void PermettiTutti(Risposta risposta = Risposta::OK) { permettiTutti_ = true; rispostaLibera_ = risposta; }

  Risposta Messaggio(const std::string& testo, Bottoni bottoni, Icona icona, const std::string& titolo) override;
  void Puntatore(int16_t codice) override { puntatori.push_back(codice); }
  void Stato(const std::string& testo) override { stati.push_back(testo); }

  std::vector<MessaggioVisto> messaggi;
  std::vector<int16_t> puntatori;
  std::vector<std::string> stati;

 private:
  struct Atteso {
    std::string frammento;
    Risposta risposta;
  };
  std::deque<Atteso> attesi_;
  bool permettiTutti_ = false;
  Risposta rispostaLibera_ = Risposta::OK;
};

}  // namespace varnex::test
