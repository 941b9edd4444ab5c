#include "model/gas.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "model/files.h"
#include "model/helpers.h"
#include "model/interaction.h"
#include "model/numbers.h"
#include "model/strings.h"
#include "model/textfile.h"
#include "model/valori_archivio.h"

namespace varnex {

std::vector<TGas> ArchivioGas(1);
int16_t NumGas = 0;
TGas GasCorrente;
int16_t CurrentGas = 0;

namespace {

constexpr const char* kFileGas = "gas.cfg";

// Lower Wobbe windows of the three gas families (exclusive bounds, compared in double precision
// with the single-precision index, so an index of 26.8 stored as a single is still family I). The
// third family starts at 67.0: EN 437's lowest gross Wobbe index of the family (72.9) on a net
// basis, so that commercial propane (about 70.7) is recognised as LPG.
struct Finestra {
  double minimo, massimo;
  int16_t famiglia;
};
constexpr Finestra kFinestre[] = {{20.5, 26.8, 1}, {37.1, 52.4, 2}, {67.0, 85.3, 3}};

}  // namespace

void InitGas() {
  ArchivioGas.assign(1, TGas{});
  NumGas = 0;
  CaricaGas();
}

void CaricaGas() {
  NumGas = 0;
  ArchivioGas.assign(1, TGas{});
  const std::string path = FileProgramma(kFileGas);
  if (!EsisteFile(path)) return;
  TextReader file;
  if (!file.Open(path)) return;
  RigheRifiutate rifiutate(GetNomeFile(path));
  std::vector<std::string> campi(21);
  while (!file.Eof()) {
    std::string linea = file.LineInput();
    if (IsRigaCommento(linea) || Trim(linea).empty()) continue;
    std::fill(campi.begin(), campi.end(), std::string());
    if (SplitFields(linea, campi) < 5) {
      // A gas without all its values must not borrow those of the gas before it.
      rifiutate.Aggiungi(file.LineNumber(), "dati incompleti, il gas non e' stato caricato");
      continue;
    }
    const std::optional<float> densita = SingoloArchivio(campi[1]);
    const std::optional<float> viscosita = SingoloArchivio(campi[2]);
    const std::optional<float> pci = SingoloArchivio(campi[3]);
    const std::optional<float> pcs = SingoloArchivio(campi[4]);
    const std::optional<short> nonCombustibile = FlagArchivio(campi[5]);
    if (!densita || !viscosita || !pci || !pcs || !nonCombustibile) {
      rifiutate.Aggiungi(file.LineNumber(), "valore non valido, il gas non e' stato caricato");
      continue;
    }
    TGas g;
    g.Nome = campi[0];
    g.Densita = *densita;
    g.Viscosita = *viscosita;
    g.PCI = *pci;
    g.PCS = *pcs;
    g.NonCombustibile = *nonCombustibile;
    // What the gas editor would refuse to save never enters the archive from the file either.
    const std::string difetto = DifettoValoriGas(g);
    if (!difetto.empty()) {
      rifiutate.Aggiungi(file.LineNumber(), difetto + ", il gas non e' stato caricato");
      continue;
    }
    // Every list and every project finds a gas by its name: a second gas of the same name could
    // never be chosen, and would show as a twin with other values.
    const auto doppio = std::find_if(ArchivioGas.begin() + 1, ArchivioGas.end(),
                                     [&](const TGas& altro) { return StessoNomeGas(altro.Nome, g.Nome); });
    if (doppio != ArchivioGas.end()) {
      rifiutate.Aggiungi(file.LineNumber(), "il gas " + Trim(doppio->Nome) +
                                                " e' gia' presente con lo stesso nome, il gas non e' stato caricato");
      continue;
    }
    const int16_t i = AggiungiGas(g.Nome);
    ArchivioGas[static_cast<size_t>(i)] = g;
    CalcolaFamigliaGas(ArchivioGas[static_cast<size_t>(i)]);
  }
  rifiutate.Mostra();
}

std::string DifettoValoriGas(const TGas& gas) {
  if (Trim(gas.Nome).empty()) return "nome mancante";
  const bool inerte = gas.NonCombustibile != 0;
  const CampoArchivio calorifico = inerte ? CampoArchivio::PotereCalorificoInerte : CampoArchivio::PotereCalorifico;
  struct Voce {
    float valore;
    CampoArchivio campo;
    const char* nome;
  };
  const Voce voci[] = {{gas.Densita, CampoArchivio::Densita, "densita' relativa"},
                       {gas.Viscosita, CampoArchivio::Viscosita, "viscosita'"},
                       {gas.PCI, calorifico, "potere calorifico inferiore"},
                       {gas.PCS, calorifico, "potere calorifico superiore"}};
  for (const Voce& v : voci) {
    if (ValoreAmmesso(v.campo, v.valore)) continue;
    // The editor shows the viscosity in mm2/s: the range is given in the unit typed.
    const std::string intervallo =
        v.campo == CampoArchivio::Viscosita
            ? "da " + TestoNumero(Intervallo(v.campo).minimo * 1e6) + " a " +
                  TestoNumero(Intervallo(v.campo).massimo * 1e6) + " mm2/s"
            : TestoIntervallo(v.campo);
    return std::string(v.nome) + " fuori dai valori ammessi (" + intervallo + ")";
  }
  return {};
}

bool SalvaGas(std::string* errore) {
  TextWriter out(FileProgramma(kFileGas));
  for (int16_t i = 1; i <= NumGas && static_cast<size_t>(i) < ArchivioGas.size(); ++i) {
    const TGas& g = ArchivioGas[static_cast<size_t>(i)];
    if (g.Cancellato != 0) continue;
    out.PrintLine(g.Nome + "\t" + TestoStampa(g.Densita) + "\t" + TestoStampa(g.Viscosita) + "\t" +
                  TestoStampa(g.PCI) + "\t" + TestoStampa(g.PCS) + "\t" + TestoStampa(g.NonCombustibile));
  }
  return out.Commit(errore);
}

int16_t AggiungiGas(const std::string& nome) {
  ++NumGas;
  ArchivioGas.resize(static_cast<size_t>(NumGas) + 1);
  ArchivioGas[static_cast<size_t>(NumGas)] = TGas{};
  ArchivioGas[static_cast<size_t>(NumGas)].Nome = nome;
  return NumGas;
}

bool CalcolaFamigliaGas(TGas& gas) {
  if (!(gas.Densita > 0)) {
    gas.ErroreFamiglia = 0;
    gas.MassaVolumica = 0;
    gas.WobbeInf = 0;
    gas.WobbeSup = 0;
    return false;
  }
  gas.MassaVolumica = static_cast<float>(static_cast<double>(gas.Densita) * 1.22566);
  // The flag describes the values just judged: a gas corrected in the editor loses it at once,
  // or the table would warn and the tightness page refuse a verdict for a gas with a family.
  gas.ErroreFamiglia = 0;
  // A gas that does not burn has no family, whatever it had before the editor ticked the box: the
  // tightness page and the equivalent lengths read the family, not the flag.
  if (gas.NonCombustibile != 0) {
    gas.Famiglia = 0;
    gas.WobbeInf = 0;
    gas.WobbeSup = 0;
    return true;
  }
  const double radice = std::sqrt(static_cast<double>(gas.Densita));
  gas.WobbeInf = static_cast<float>(gas.PCI / radice);
  gas.WobbeSup = static_cast<float>(gas.PCS / radice);
  const double w = gas.WobbeInf;
  for (const Finestra& f : kFinestre) {
    if (f.minimo < w && w < f.massimo) {
      gas.Famiglia = f.famiglia;
      return true;
    }
  }
  MsgBox("Errore di Attribuzione famiglia del gas: indice Wobbe-Inf = " + FormatNumero(gas.WobbeInf, 2) +
         " non associabile a nessuna famiglia");
  gas.Famiglia = 1;
  gas.ErroreFamiglia = -1;
  return false;
}

bool IsGasValido(const TGas& gas) {
  if (gas.NonCombustibile != 0) return true;
  return !Trim(gas.Nome).empty() && gas.Densita > 0 && gas.Viscosita > 0 && gas.PCI > 0 && gas.PCS > 0;
}

bool StessiValoriGas(const TGas& a, const TGas& b) {
  return a.Nome == b.Nome && a.Densita == b.Densita && a.Viscosita == b.Viscosita && a.PCI == b.PCI &&
         a.PCS == b.PCS && a.NonCombustibile == b.NonCombustibile;
}

bool StessoNomeGas(std::string_view a, std::string_view b) { return UgualiNoCase(Trim(a), Trim(b)); }

int16_t CercaGas(const std::string& nome) {
  for (int16_t i = 1; i <= NumGas && static_cast<size_t>(i) < ArchivioGas.size(); ++i)
    if (StessoNomeGas(ArchivioGas[static_cast<size_t>(i)].Nome, nome)) return i;
  MsgBox("Attenzione! Il gas " + nome + " selezionato non è disponibile, verrà impostato un gas alternativo",
         Bottoni::OK, Icona::Critico);
  return -1;
}

}  // namespace varnex
