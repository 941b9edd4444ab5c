#include "model/interaction.h"

#include <cstdio>

namespace varnex {
namespace {

class InterazioneSilenziosa final : public IInterazione {
 public:
  Risposta Messaggio(const std::string& testo, Bottoni bottoni, Icona, const std::string&) override {
    std::fprintf(stderr, "%s\n", testo.c_str());
    switch (bottoni) {
      case Bottoni::SiNo: return Risposta::No;
      case Bottoni::SiNoAnnulla:
      case Bottoni::OKAnnulla:
      case Bottoni::RiprovaAnnulla: return Risposta::Annulla;
      default: return Risposta::OK;
    }
  }
  void Puntatore(int16_t) override {}
};

InterazioneSilenziosa silenziosa;
IInterazione* corrente = &silenziosa;

}  // namespace

void ImpostaInterazione(IInterazione* interazione) { corrente = interazione ? interazione : &silenziosa; }

IInterazione& Interazione() { return *corrente; }

Risposta MsgBox(const std::string& testo, Bottoni bottoni, Icona icona, const std::string& titolo) {
  return corrente->Messaggio(testo, bottoni, icona, titolo);
}

}  // namespace varnex
