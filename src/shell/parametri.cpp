#include "shell/parametri.h"

#include <cctype>

#include "model/calcolo.h"
#include "model/gas.h"
#include "model/globals.h"
#include "model/interaction.h"
#include "model/materiali.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/strings.h"
#include "shell/progetto.h"

namespace varnex {
namespace {

// One "[...]" set at `modello[i]` (just after "["): whether `c` is in it, and where it ends.
bool InInsieme(std::string_view modello, size_t& i, char c, bool& valido) {
  bool negato = false;
  if (i < modello.size() && modello[i] == '!') {
    negato = true;
    ++i;
  }
  bool dentro = false;
  bool primo = true;
  while (i < modello.size() && (modello[i] != ']' || primo)) {
    primo = false;
    char da = modello[i];
    char a = da;
    if (i + 2 < modello.size() && modello[i + 1] == '-' && modello[i + 2] != ']') {
      a = modello[i + 2];
      i += 2;
    }
    if (static_cast<unsigned char>(c) >= static_cast<unsigned char>(da) &&
        static_cast<unsigned char>(c) <= static_cast<unsigned char>(a))
      dentro = true;
    ++i;
  }
  valido = i < modello.size();
  if (valido) ++i;  // past "]"
  return dentro != negato;
}

bool Corrisponde(std::string_view t, size_t ti, std::string_view m, size_t mi) {
  while (mi < m.size()) {
    const char p = m[mi];
    if (p == '*') {
      while (mi < m.size() && m[mi] == '*') ++mi;
      if (mi == m.size()) return true;
      for (size_t k = ti; k <= t.size(); ++k)
        if (Corrisponde(t, k, m, mi)) return true;
      return false;
    }
    if (ti >= t.size()) return false;
    const char c = t[ti];
    if (p == '?') {
      ++mi;
    } else if (p == '#') {
      if (!std::isdigit(static_cast<unsigned char>(c))) return false;
      ++mi;
    } else if (p == '[') {
      size_t j = mi + 1;
      bool valido = false;
      const bool ok = InInsieme(m, j, c, valido);
      if (!valido) {
        // An unclosed "[" stands for itself.
        if (c != '[') return false;
        ++mi;
      } else {
        if (!ok) return false;
        mi = j;
      }
    } else {
      if (c != p) return false;
      ++mi;
    }
    ++ti;
  }
  return ti == t.size();
}

}  // namespace

bool CorrispondeModello(std::string_view testo, std::string_view modello) { return Corrisponde(testo, 0, modello, 0); }

std::vector<std::string> ElencoGasParametri(int16_t reteInPressione) {
  std::vector<std::string> voci;
  for (int16_t i = 1; i <= NumGas && static_cast<size_t>(i) < ArchivioGas.size(); ++i) {
    const TGas& g = ArchivioGas[static_cast<size_t>(i)];
    if (reteInPressione != 0 || g.NonCombustibile == 0) voci.push_back(g.Nome);
  }
  return voci;
}

int IndiceDaModello(const std::vector<std::string>& voci, const std::string& s) {
  if (voci.empty()) return -1;
  if (s.empty()) return 0;
  for (size_t i = 0; i < voci.size(); ++i)
    if (CorrispondeModello(voci[i], s)) return static_cast<int>(i);
  return 0;
}

int IndiceGasIniziale(const std::vector<std::string>& voci) {
  if (voci.empty()) return -1;
  // The dialog edits the open project: it shows that project's gas, not the default for new ones.
  for (const std::string* nome : {&GasCorrente.Nome, &DefaultGas}) {
    if (nome->empty()) continue;
    if (const int i = IndiceNomeGas(voci, *nome); i >= 0) return i;
  }
  return 0;
}

void GasNuovoProgetto() {
  int16_t scelto = 0;
  for (int16_t i = 1; i <= NumGas && static_cast<size_t>(i) < ArchivioGas.size(); ++i) {
    const TGas& g = ArchivioGas[static_cast<size_t>(i)];
    if (ReteInPressione == 0 && g.NonCombustibile != 0) continue;
    if (StessoNomeGas(g.Nome, DefaultGas)) {
      scelto = i;
      break;
    }
    if (scelto == 0) scelto = i;  // the first gas the activity may use, should the default not be one
  }
  if (scelto == 0) return;
  CurrentGas = scelto;
  GasCorrente = ArchivioGas[static_cast<size_t>(scelto)];
}

TestiGas TestiProprietaGas(const TGas& g) {
  TestiGas t;
  t.densita = FormatNumero(g.Densita, 3);
  t.viscosita = FormatNumero(static_cast<double>(g.Viscosita) * 1000000.0, 2);
  t.pci = FormatNumero(g.PCI, 1);
  t.pcs = FormatNumero(g.PCS, 1);
  t.massa = FormatNumero(g.MassaVolumica, 3);
  t.wobbeInf = FormatNumero(g.WobbeInf, 1);
  t.wobbeSup = FormatNumero(g.WobbeSup, 1);
  t.famiglia = std::to_string(g.Famiglia);
  t.combustibile = g.NonCombustibile == 0;
  return t;
}

bool ConfermaParametri(const CampiParametri& campi) {
  const auto gasAt = [](int16_t i) -> const TGas* {
    if (i < 1 || i > NumGas || static_cast<size_t>(i) >= ArchivioGas.size()) return nullptr;
    return &ArchivioGas[static_cast<size_t>(i)];
  };
  if (const TGas* g = gasAt(CurrentGas); g && g->NonCombustibile != 0 && ReteInPressione == 0) {
    MsgBox("Nel calcolo dell'impianto interno gas non può essere utilizzato un gas non combustibile");
    return false;
  }
  const StatoProgetto prima;
  Riferimento = campi.riferimento;
  DescrizioneLavoro = campi.descrizione;
  VelocitaMaxImpostata = static_cast<float>(ValDot(campi.velocita));
  PercorsoDocumenti = campi.documenti;
  CalcolaDatiMateriali();
  // A project whose gas the archive lacks (left without a substitute) keeps its name until the
  // user picks a gas: it is not silently replaced by the first one.
  bool mancante = CurrentGas == 0 && !Trim(GasCorrente.Nome).empty();
  for (int16_t i = 1; mancante && i <= NumGas && static_cast<size_t>(i) < ArchivioGas.size(); ++i)
    mancante = !StessoNomeGas(ArchivioGas[static_cast<size_t>(i)].Nome, GasCorrente.Nome);
  if (!mancante) {
    if (CurrentGas == 0) CurrentGas = 1;
    const bool nessunGas = GasCorrente.Nome.empty();
    if (const TGas* g = gasAt(nessunGas ? int16_t{1} : CurrentGas)) GasCorrente = *g;
  }
  AmbienteProgetto().Elaborazione();
  // OK without a change is no change.
  if (prima.Cambiato()) ProgettoModificato = -1;
  return true;
}

}  // namespace varnex
