#include "model/sostituzione.h"

#include <algorithm>

#include "model/campi.h"
#include "model/dimensionamento.h"
#include "model/gas.h"
#include "model/interaction.h"
#include "model/materiali.h"
#include "model/rete.h"
#include "model/strings.h"

namespace varnex {

Sostituzioni frmEquiv;

namespace {
IDialogoSostituzione* dialogoSostituzione = nullptr;

bool TipoValido(int16_t tipo) { return tipo >= 0 && tipo <= 10; }
}  // namespace

void ImpostaDialogoSostituzione(IDialogoSostituzione* dialogo) { dialogoSostituzione = dialogo; }

void Sostituzioni::Substitute(const std::string& nome, int16_t Tipo, bool soloCombustibili) {
  tipo_ = Tipo;
  nome_ = nome;
  value_ = 0;
  if (Trim(nome).empty() || !TipoValido(Tipo)) return;
  value_ = SearchEquiv(nome_, tipo_);
  if (value_ != 0) return;
  auto& senzaScelta = senzaScelta_[static_cast<size_t>(tipo_)];
  // Left without a choice once, the name is not asked about again while this project loads.
  if (std::find(senzaScelta.begin(), senzaScelta.end(), nome_) != senzaScelta.end()) return;
  const std::vector<std::string> tutti = LoadList(tipo_);
  const std::vector<int16_t> indici = IndiciCandidati(tipo_, soloCombustibili);
  std::vector<std::string> candidati;
  for (int16_t i : indici) candidati.push_back(tutti[static_cast<size_t>(i - 1)]);
  // With nothing to choose from the window could never be left with an answer: do not show it.
  if (candidati.empty() || dialogoSostituzione == nullptr) return;
  const int16_t scelto = dialogoSostituzione->Scegli(nome, tipo_, candidati);
  if (scelto < 1 || static_cast<size_t>(scelto) > candidati.size()) {
    senzaScelta.push_back(nome_);
    return;
  }
  value_ = indici[static_cast<size_t>(scelto - 1)];
  AddEquiv(nome_, value_, tipo_);
}

void Sostituzioni::Reset() {
  for (size_t k = 1; k < equivalenze_.size(); ++k) equivalenze_[k].clear();
  for (auto& nomi : senzaScelta_) nomi.clear();
}

namespace {

// The form by which a missing name is recognised as one already answered: a gas by the one rule
// for gas names, a series as before.
std::string ChiaveMancante(const std::string& nome, int16_t Tipo) {
  return Tipo == SostituzioneGas ? ChiaveNomeGas(nome) : UCase(Trim(nome));
}

}  // namespace

int16_t Sostituzioni::SearchEquiv(std::string& Name, int16_t Tipo) const {
  Name = UCase(Trim(Name));
  if (!TipoValido(Tipo)) return 0;
  for (const TEquivalenza& e : equivalenze_[static_cast<size_t>(Tipo)]) {
    if (ChiaveMancante(e.NOld, Tipo) != ChiaveMancante(Name, Tipo)) continue;
    if (e.NomeNuovo.empty()) return e.NNew;
    const std::vector<std::string> nomi = LoadList(Tipo);
    const auto trovato = std::find(nomi.begin(), nomi.end(), e.NomeNuovo);
    return trovato == nomi.end() ? int16_t{0} : static_cast<int16_t>(trovato - nomi.begin() + 1);
  }
  return 0;
}

void Sostituzioni::AddEquiv(const std::string& NOld, int16_t NNew, int16_t Tipo) {
  if (!TipoValido(Tipo)) return;
  const std::vector<std::string> nomi = LoadList(Tipo);
  TEquivalenza nuova{NOld, NNew, NNew >= 1 && static_cast<size_t>(NNew) <= nomi.size()
                                     ? nomi[static_cast<size_t>(NNew - 1)]
                                     : std::string()};
  auto& lista = equivalenze_[static_cast<size_t>(Tipo)];
  for (TEquivalenza& e : lista) {
    if (ChiaveMancante(e.NOld, Tipo) == ChiaveMancante(NOld, Tipo)) {
      e = std::move(nuova);
      return;
    }
  }
  lista.push_back(std::move(nuova));
}

std::vector<std::string> Sostituzioni::LoadList(int16_t Tipo) {
  std::vector<std::string> lista;
  if (Tipo == SostituzioneMateriale) {
    const int16_t n = std::clamp<int16_t>(NumMateriali, 0, MaxMateriali);
    for (int16_t i = 1; i <= n; ++i) lista.push_back(Materiali[static_cast<size_t>(i)][0].Nome);
  } else if (Tipo == SostituzioneGas) {
    const int16_t n = std::min<int16_t>(NumGas, static_cast<int16_t>(ArchivioGas.empty() ? 0 : ArchivioGas.size() - 1));
    for (int16_t i = 1; i <= n; ++i) lista.push_back(ArchivioGas[static_cast<size_t>(i)].Nome);
  }
  return lista;
}

std::vector<int16_t> Sostituzioni::IndiciCandidati(int16_t Tipo, bool soloCombustibili) {
  std::vector<int16_t> indici;
  const size_t n = LoadList(Tipo).size();
  for (size_t i = 1; i <= n; ++i) {
    if (Tipo == SostituzioneGas && soloCombustibili && ArchivioGas[i].NonCombustibile != 0) continue;
    // A series that can size nothing would only move the refusal to the calculation.
    if (Tipo == SostituzioneMateriale && !SerieUsabile(static_cast<int16_t>(i))) continue;
    indici.push_back(static_cast<int16_t>(i));
  }
  return indici;
}

bool Sostituzioni::ConfermaSelezione(int posizione) {
  if (posizione < 0) {
    MsgBox("E' necessario selezionare una sostituzione", Bottoni::OK);
    return false;
  }
  return true;
}

void RiassociaSerieTronchi(bool chiediSostituto) {
  // A name left without a choice is not asked about again for the next segment that carries it.
  std::vector<std::string> senzaScelta;
  const int16_t n = ContoTronchi();
  for (int16_t s = 1; s <= n; ++s) {
    TTronco& t = Tronco(s);
    if (Trim(t.ID_MATERIALE).empty()) continue;
    // Still where it was: the index names the series of the segment's name.
    if (t.IndiceMateriale >= 1 && t.IndiceMateriale <= NumMateriali &&
        UgualiNoCase(Materiali[static_cast<size_t>(t.IndiceMateriale)][0].Nome, Trim(t.ID_MATERIALE)))
      continue;
    std::string nome = t.ID_MATERIALE;
    int16_t indice = CercaMaterialeNome(nome);
    // Removed segments are not asked about: nobody sees them.
    if (indice == 0 && chiediSostituto && t.Eliminato == 0 &&
        std::find(senzaScelta.begin(), senzaScelta.end(), nome) == senzaScelta.end()) {
      frmEquiv.Substitute(t.ID_MATERIALE, SostituzioneMateriale);
      indice = frmEquiv.value();
      if (indice >= 1 && indice <= NumMateriali) {
        t.ID_MATERIALE = Materiali[static_cast<size_t>(indice)][0].Nome;
        ProgettoModificato = -1;
      } else {
        indice = 0;
        senzaScelta.push_back(nome);
      }
    }
    t.IndiceMateriale = indice;
  }
}

}  // namespace varnex
