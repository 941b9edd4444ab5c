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

// The lines of "gas.cfg" as loaded last, in their order: a loaded gas by its index and name, or
// a line not loaded (a remark, a blank line, a refused gas) by its bytes, without its line end.
// A save writes them back where they were, so that nothing the user wrote is lost by it.
struct RigaFileGas {
  int16_t gas = 0;
  std::string nome;
  std::string byte;
};
struct FileGasCaricato {
  std::string percorso;
  std::vector<RigaFileGas> righe;
};
FileGasCaricato& Caricato() {
  static FileGasCaricato file;
  return file;
}


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
  FileGasCaricato& caricato = Caricato();
  caricato = {path, {}};
  if (!EsisteFile(path)) return;
  TextReader file;
  if (!file.Open(path)) return;
  // The same lines as the reader's, as bytes: the reader splits the text the same way.
  const std::vector<std::string> grezze = RigheGrezze(LeggiFileGrezzo(path).value_or(std::string()));
  auto nonCaricata = [&] {
    const size_t n = file.LineNumber();
    caricato.righe.push_back({0, {}, n >= 1 && n <= grezze.size() ? grezze[n - 1] : std::string()});
  };
  RigheRifiutate rifiutate(GetNomeFile(path));
  std::vector<std::string> campi(21);
  while (!file.Eof()) {
    std::string linea = file.LineInput();
    if (IsRigaCommento(linea) || Trim(linea).empty()) {
      nonCaricata();
      continue;
    }
    std::fill(campi.begin(), campi.end(), std::string());
    if (SplitFields(linea, campi) < 5) {
      // A gas without all its values must not borrow those of the gas before it.
      rifiutate.Aggiungi(file.LineNumber(), "dati incompleti, il gas non e' stato caricato");
      nonCaricata();
      continue;
    }
    const std::optional<float> densita = SingoloArchivio(campi[1]);
    const std::optional<float> viscosita = SingoloArchivio(campi[2]);
    const std::optional<float> pci = SingoloArchivio(campi[3]);
    const std::optional<float> pcs = SingoloArchivio(campi[4]);
    const std::optional<short> nonCombustibile = FlagArchivio(campi[5]);
    if (!densita || !viscosita || !pci || !pcs || !nonCombustibile) {
      rifiutate.Aggiungi(file.LineNumber(), "valore non valido, il gas non e' stato caricato");
      nonCaricata();
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
      nonCaricata();
      continue;
    }
    // Every list and every project finds a gas by its name: a second gas of the same name could
    // never be chosen, and would show as a twin with other values.
    const auto doppio = std::find_if(ArchivioGas.begin() + 1, ArchivioGas.end(),
                                     [&](const TGas& altro) { return StessoNomeGas(altro.Nome, g.Nome); });
    if (doppio != ArchivioGas.end()) {
      rifiutate.Aggiungi(file.LineNumber(), "il gas " + Trim(doppio->Nome) +
                                                " e' gia' presente con lo stesso nome, il gas non e' stato caricato");
      nonCaricata();
      continue;
    }
    const int16_t i = AggiungiGas(g.Nome);
    caricato.righe.push_back({i, g.Nome, {}});
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
  const std::string percorso = FileProgramma(kFileGas);
  const int16_t n = std::min<int16_t>(NumGas, static_cast<int16_t>(ArchivioGas.size() - 1));
  std::vector<bool> scritto(static_cast<size_t>(std::max<int16_t>(n, 0)) + 1, false);
  std::string byte;
  auto scrivi = [&](int16_t i) {
    scritto[static_cast<size_t>(i)] = true;
    const TGas& g = ArchivioGas[static_cast<size_t>(i)];
    if (g.Cancellato != 0) return;
    byte += Utf8ToCp1252(g.Nome + "\t" + TestoStampa(g.Densita) + "\t" + TestoStampa(g.Viscosita) + "\t" +
                         TestoStampa(g.PCI) + "\t" + TestoStampa(g.PCS) + "\t" + TestoStampa(g.NonCombustibile)) +
            "\r\n";
  };
  // The file loaded last, line by line: each gas where it was, each line not loaded as it was.
  const FileGasCaricato& caricato = Caricato();
  if (caricato.percorso == percorso) {
    for (const RigaFileGas& r : caricato.righe) {
      if (r.gas == 0) {
        byte += r.byte + "\r\n";
      } else if (r.gas <= n && !scritto[static_cast<size_t>(r.gas)] &&
                 ArchivioGas[static_cast<size_t>(r.gas)].Nome == r.nome) {
        scrivi(r.gas);
      }
    }
  }
  // Then the gases added since.
  for (int16_t i = 1; i <= n; ++i)
    if (!scritto[static_cast<size_t>(i)]) scrivi(i);
  ErroreSalvataggio e;
  if (WriteBytesAtomic(percorso, byte, &e)) return true;
  if (errore) *errore = e.Testo;
  return false;
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

std::string ChiaveNomeGas(std::string_view nome) {
  std::string chiave;
  bool spazio = false;
  for (size_t i = 0; i < nome.size();) {
    const unsigned char c = static_cast<unsigned char>(nome[i]);
    size_t lunghezza = 1;
    char32_t codice = c;
    if (c >= 0xF0 && i + 3 < nome.size()) {
      lunghezza = 4;
      codice = ((c & 0x07u) << 18) | ((static_cast<unsigned char>(nome[i + 1]) & 0x3Fu) << 12) |
               ((static_cast<unsigned char>(nome[i + 2]) & 0x3Fu) << 6) | (static_cast<unsigned char>(nome[i + 3]) & 0x3Fu);
    } else if (c >= 0xE0 && i + 2 < nome.size()) {
      lunghezza = 3;
      codice = ((c & 0x0Fu) << 12) | ((static_cast<unsigned char>(nome[i + 1]) & 0x3Fu) << 6) |
               (static_cast<unsigned char>(nome[i + 2]) & 0x3Fu);
    } else if (c >= 0xC0 && i + 1 < nome.size()) {
      lunghezza = 2;
      codice = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(nome[i + 1]) & 0x3Fu);
    }
    lunghezza = std::min(lunghezza, nome.size() - i);
    // Every blank the user may type or paste: the ASCII ones, the non-breaking ones, the
    // typographic ones.
    const bool bianco = codice == ' ' || (codice >= 0x09 && codice <= 0x0D) || codice == 0xA0 || codice == 0x1680 ||
                        (codice >= 0x2000 && codice <= 0x200A) || codice == 0x202F || codice == 0x205F ||
                        codice == 0x3000;
    if (bianco) {
      spazio = !chiave.empty();
    } else {
      if (spazio) chiave += ' ';
      spazio = false;
      chiave.append(nome.substr(i, lunghezza));
    }
    i += lunghezza;
  }
  return UCase(chiave);
}

bool StessoNomeGas(std::string_view a, std::string_view b) { return ChiaveNomeGas(a) == ChiaveNomeGas(b); }

int IndiceNomeGas(const std::vector<std::string>& voci, std::string_view nome, size_t da) {
  const std::string chiave = ChiaveNomeGas(nome);
  for (size_t i = da; i < voci.size(); ++i)
    if (ChiaveNomeGas(voci[i]) == chiave) return static_cast<int>(i);
  return -1;
}

int16_t CercaGas(const std::string& nome) {
  for (int16_t i = 1; i <= NumGas && static_cast<size_t>(i) < ArchivioGas.size(); ++i)
    if (StessoNomeGas(ArchivioGas[static_cast<size_t>(i)].Nome, nome)) return i;
  MsgBox("Attenzione! Il gas " + nome + " selezionato non è disponibile, verrà impostato un gas alternativo",
         Bottoni::OK, Icona::Critico);
  return -1;
}

}  // namespace varnex
