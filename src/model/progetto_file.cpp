#include "model/progetto_file.h"

#include <cmath>
#include <initializer_list>
#include <limits>
#include <optional>
#include <vector>

#include "model/calcolo.h"
#include "model/campi.h"
#include "model/gas.h"
#include "model/globals.h"
#include "model/helpers.h"
#include "model/interaction.h"
#include "model/materiali.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/sostituzione.h"
#include "model/raccordi.h"
#include "model/strings.h"
#include "model/tenuta.h"

namespace varnex {

std::string SeparatoreCampi = "\t";

namespace {

IFinestreProgetto* finestre = nullptr;
FunzioneCommitProgetto commitProgetto = nullptr;

constexpr std::string_view kParametri = "!PARAMETERS";
constexpr std::string_view kDocumenti = "!PARAMETERS-DOCUMENTPATH";
constexpr std::string_view kFine = "!END";
constexpr int kMaxCampiRiga = 50;

// Codes whose value is the user's text: a comma in them is not a decimal comma.
bool IsCodiceTesto(int16_t codice) {
  return codice == campo::ID_NAME || codice == campo::ID_NAME_BIS || codice == campo::ID_MATERIALE ||
         codice == campo::ID_RIF || codice == campo::COMPOSIZIONE_UTENZA || codice == campo::ID_NOMETIPOUTENZA;
}

// Codes that SetField does not store.
bool IsCodiceIgnorato(int16_t codice) {
  return codice < campo::Primo || codice > campo::Ultimo || codice == campo::ID_P_KW || codice == campo::ID_P_KCAL ||
         codice == campo::ID_NOMETIPOUTENZA || codice == campo::ID_DIAMETRO_INTERNO || codice == campo::ID_PFINALE ||
         codice == campo::ID_EQLENLOC;
}

// A text of the file kept on its own line (and, in a segment row, in its own field).
std::string UnaRiga(std::string_view testo) { return SostituisciACapo(testo); }
std::string UnCampo(std::string_view testo) { return Replace(SostituisciACapo(testo), "\t", " "); }

// A parameter text: "." stands for an empty one.
std::string TestoParametro(const std::string& testo) {
  std::string riga = UnaRiga(testo);
  return Trim(riga).empty() ? std::string(".") : riga;
}
// Read as the writer will give it back: a stray carriage return in a hand-edited file is the
// blank it is written as, so a second save repeats the first.
std::string DaTestoParametro(const std::string& riga) {
  std::string testo = UnaRiga(riga);
  return Trim(testo) == "." ? std::string() : testo;
}

// Next line that is neither blank nor a comment, as written (no comma conversion); "" at the end.
std::string RigaDatiGrezza(TextReader& file) {
  std::string riga;
  while ((IsRigaVuota(riga) || IsRigaCommento(riga)) && !file.Eof()) riga = file.LineInput();
  if (IsRigaVuota(riga) || IsRigaCommento(riga)) return {};
  return riga;
}

// Looks ahead for the line `marcatore` without passing the sections that follow it. When found,
// the reader stands after it; otherwise the reader is left where it was.
bool CercaSezione(TextReader& file, std::string_view marcatore, std::initializer_list<std::string_view> limiti) {
  TextReader cerca = file;
  while (!cerca.Eof()) {
    std::string riga = RigaDatiGrezza(cerca);
    if (riga == marcatore) {
      file = std::move(cerca);
      return true;
    }
    for (std::string_view limite : limiti)
      if (riga == limite) return false;
  }
  return false;
}

// TAB-separated fields as SplitFields cuts them (runs of TABs are one separator), without
// touching commas.
std::vector<std::string> CampiRiga(std::string_view riga) {
  std::vector<std::string> campi;
  size_t i = 0;
  while (i < riga.size()) {
    while (i < riga.size() && riga[i] == '\t') ++i;
    if (i >= riga.size()) break;
    size_t fine = riga.find('\t', i);
    if (fine == std::string_view::npos) fine = riga.size();
    campi.emplace_back(riga.substr(i, fine - i));
    i = fine;
  }
  if (campi.empty()) campi.emplace_back();
  return campi;
}

// Whether SetField can store the text in the field of `codice` without overflowing it.
bool ValoreAmmesso(int16_t slot, int16_t codice, std::string_view testo) {
  const ValoreCampo tipo = GetField(slot, codice);
  if (codice == campo::ELIMINATO || codice == campo::SLOT_LIBERO) return true;  // stored as a flag
  const double v = Val(testo);
  if (std::holds_alternative<int16_t>(tipo)) return ToInt16(v).has_value();
  if (std::holds_alternative<int32_t>(tipo)) return ToInt32(v).has_value();
  if (std::holds_alternative<float>(tipo))
    return std::isfinite(v) && std::fabs(v) <= static_cast<double>(std::numeric_limits<float>::max());
  if (std::holds_alternative<double>(tipo)) return std::isfinite(v);
  return true;
}

// A quantity the user enters that a file may hold as "Inf" or "NaN" (a value no number reads
// from, written by an earlier build): its name for the message, nullptr for any other field.
const char* QuantitaUtente(int16_t codice) {
  switch (codice) {
    case campo::ID_P_UTENZE: return "portata dell'utenza";
    case campo::ID_LEN: return "lunghezza";
    case campo::ID_EQ_LEN: return "lunghezza equivalente";
    default: return nullptr;
  }
}

bool NonUnNumero(std::string_view testo) {
  std::string t = UCase(Trim(testo));
  if (!t.empty() && (t[0] == '-' || t[0] == '+')) t.erase(0, 1);
  return t.rfind("INF", 0) == 0 || t.rfind("NAN", 0) == 0;
}

std::optional<int16_t> InteroParametro(const std::string& riga) { return ToInt16(ValDot(riga)); }

// What a refused load puts back besides the empty project.
struct StatoPrecedente {
  TGas gas = GasCorrente;
  int16_t indiceGas = CurrentGas;
  int16_t reteInPressione = ReteInPressione;
  int16_t orientamento = OrientamentoSorgente;
};

bool Rifiuta(const StatoPrecedente& prima) {
  const bool cambiaTabella = ReteInPressione != prima.reteInPressione;
  ResetRete();
  GasCorrente = prima.gas;
  CurrentGas = prima.indiceGas;
  ReteInPressione = prima.reteInPressione;
  OrientamentoSorgente = prima.orientamento;
  if (cambiaTabella) ImpostaTabellaSpeciali(ReteInPressione);
  ProgettoCaricato = 0;
  return false;
}

std::string VersioneCorrente() {
  return VersioneProgramma.size() >= 4 ? VersioneProgramma : VersioneDelProgramma();
}

}  // namespace

void ImpostaFinestreProgetto(IFinestreProgetto* f) { finestre = f; }
void ImpostaCommitProgetto(FunzioneCommitProgetto funzione) { commitProgetto = funzione; }

// ---- Writer ---------------------------------------------------------------------------------------

void ScriviReteRTG(TextWriter& file, int16_t rete) {
  SetReteCorrente(rete);
  SeparatoreCampi = "\t";
  const int16_t numero = ContoTronchi();
  file.PrintLine("#");
  file.PrintLine("%");  // "%" and the network's name, which is always empty
  file.PrintLine("[");
  for (int16_t slot = 0; slot <= numero; ++slot) {
    for (int16_t figlio : {campo::ID_LEFT, campo::ID_RIGHT}) {
      if (NumeroCampo(GetField(slot, figlio)) > numero) SetField(slot, figlio, "0");
    }
    std::string riga;
    for (int16_t codice = 2; codice <= 49; ++codice) {
      std::string testo = Trim(UnCampo(TestoCampo(GetField(slot, codice))));
      if (testo.empty()) testo = ".";
      if (codice > 2) riga += SeparatoreCampi;
      riga += testo;
    }
    file.PrintLine(riga);
  }
  file.PrintLine("]");
}

bool ScriviRTG(const std::string& path) {
  ValoriComeNelFile();
  TextWriter file(path);
  const std::string versione = VersioneCorrente();
  file.PrintLine(ReteInPressione == 0 ? std::string("VX 4.x") : "VXP" + versione.substr(3));
  file.PrintLine("#");
  file.PrintLine("#");
  file.PrintLine(kParametri);
  file.PrintLine(TestoParametro(Riferimento));
  file.PrintLine(TestoParametro(DescrizioneLavoro));
  file.PrintLine(UnaRiga(GasCorrente.Nome));
  // An automatic maximum drop is stored as 0, which the reader takes as automatic again: a fixed
  // number would stop following the installed power when appliances are added later.
  file.PrintLine(PDCMaxUtente > 0 ? TestoStampa(PDCMaxUtente) : TestoStampa(0.0f));
  file.PrintLine(TestoStampa(ReteInPressione));
  file.PrintLine(TestoStampa(VelocitaMaxImpostata));
  file.PrintLine(TestoStampa(PressioneIniziale));
  file.PrintLine(TestoStampa(PressioneFinale));
  file.PrintLine(TestoStampa(OrientamentoSorgente));
  file.PrintLine("");
  file.PrintLine("~PARAMETERS");
  file.PrintLine("#");
  file.PrintLine("#");
  ScriviReteRTG(file, 1);
  TenutaImpiantoSave(file, "1");
  file.PrintLine(kDocumenti);
  file.PrintLine(UnaRiga(PercorsoDocumenti));
  file.PrintLine("");
  file.PrintLine("~PARAMETERS-DOCUMENTPATH");
  file.PrintLine("#");
  file.PrintLine("#");
  file.PrintLine(kFine);

  std::string errore;
  const bool scritto = commitProgetto ? commitProgetto(file, &errore) : file.Commit(&errore);
  if (!scritto) {
    MsgBox("Impossibile salvare il progetto " + path + ".\r\n" + errore + "\r\nIl file precedente non e' stato modificato.",
           Bottoni::OK, Icona::Critico);
    return false;
  }
  // The firm of the last saved project becomes the default of the next test; a failure here is
  // reported by SalvaTenImpTecDef and does not undo the saved project.
  SalvaTenImpTecDef();
  return true;
}

// ---- Reader ---------------------------------------------------------------------------------------

bool LeggiReteRTG(TextReader& file, int16_t /*rete*/) {
  SetReteCorrente(1);
  if (!CercaSezione(file, "[", {MarcatoreTenuta, kDocumenti, kFine})) {
    // No network section: an empty network, and the sections after it are still read.
    SetNumTronchi(1, 0);
    return true;
  }
  int row = -1;
  // Values read as 0 because they were no number: told once the network is read, the first few by
  // name (a file of many would make a box taller than the screen, its OK out of reach).
  std::string nonNumeri;
  int contoNonNumeri = 0;
  constexpr int MaxNonNumeriNominati = 8;
  for (;;) {
    if (file.Eof()) break;
    std::string riga = RigaDatiGrezza(file);
    if (riga == "]") break;
    if (riga.empty()) break;  // end of the file without "]"
    ++row;
    if (row > MaxTronchi) {
      MsgBox("Il progetto contiene piu' di " + std::to_string(MaxTronchi + 1) +
                 " righe di tronchi: il file non e' valido e non e' stato caricato.",
             Bottoni::OK, Icona::Critico);
      return false;
    }
    std::vector<std::string> campi = CampiRiga(riga);
    if (campi.size() > static_cast<size_t>(kMaxCampiRiga)) {
      MsgBox("Troppo campi nel tronco");
      return false;
    }
    const int16_t slot = static_cast<int16_t>(row);
    // The whole row is checked before any of it is stored.
    for (size_t j = 0; j < campi.size(); ++j) {
      const int16_t codice = static_cast<int16_t>(j + 2);
      std::string testo = Trim(campi[j]) == "." ? std::string() : campi[j];
      if (!IsCodiceTesto(codice)) testo = CommaToDot(testo);
      if (!IsCodiceIgnorato(codice) && !ValoreAmmesso(slot, codice, testo)) {
        MsgBox("Il valore \"" + Trim(campi[j]) + "\" del tronco " + std::to_string(row) + " (colonna " +
                   std::to_string(codice) + ") non e' valido: il progetto non e' stato caricato.",
               Bottoni::OK, Icona::Critico);
        return false;
      }
      if (const char* nome = QuantitaUtente(codice); nome && row >= 1 && NonUnNumero(testo) &&
                                                      ++contoNonNumeri <= MaxNonNumeriNominati)
        nonNumeri += "\r\n- tronco " + std::to_string(row) + ", " + nome + ": \"" + Trim(testo) + "\"";
      campi[j] = std::move(testo);
    }
    for (size_t j = 0; j < campi.size(); ++j) SetField(slot, static_cast<int16_t>(j + 2), campi[j]);
    // The end pressure is a result no edit sets: a calculation writes it again, and a network the
    // calculation refuses shows the one its file holds, beside the file's other results.
    if (const size_t j = campo::ID_PFINALE - 2; j < campi.size()) {
      const float p = static_cast<float>(ValDot(campi[j]));
      Tronco(slot).ID_PFINALE = std::isfinite(p) ? p : 0.0f;
    }
  }
  if (row < 0) {
    MsgBox("La sezione della rete non contiene alcun tronco: il progetto non e' stato caricato.", Bottoni::OK,
           Icona::Critico);
    return false;
  }
  if (contoNonNumeri > MaxNonNumeriNominati)
    nonNumeri += contoNonNumeri - MaxNonNumeriNominati == 1
                     ? std::string("\r\n- e un altro valore")
                     : "\r\n- e altri " + std::to_string(contoNonNumeri - MaxNonNumeriNominati) + " valori";
  if (!nonNumeri.empty())
    MsgBox("Alcuni valori del progetto non sono numeri e sono stati letti come 0:" + nonNumeri +
               "\r\nControllarli prima di calcolare la rete.",
           Bottoni::OK, Icona::Esclamazione);
  SetNumTronchi(1, static_cast<int16_t>(row));

  std::string difetti;
  int conto = 0;
  for (const DifettoRete& d : VerificaRete()) {
    if (d.Tipo == TipoDifettoRete::FiglioConteso) continue;
    if (++conto <= 5) difetti += "\r\n" + d.Testo;
  }
  if (conto > 0) {
    if (conto > 5) difetti += "\r\n...";
    MsgBox("I collegamenti tra i tronchi del progetto non sono validi: il progetto non e' stato caricato." + difetti,
           Bottoni::OK, Icona::Critico);
    return false;
  }
  return true;
}

bool LeggiRTG(const std::string& path) {
  const StatoPrecedente prima;
  ProgettoCaricato = -1;
  ResetRete();

  TextReader file;
  if (!file.Open(path)) {
    MsgBox("Impossibile leggere il file " + path + ".", Bottoni::OK, Icona::Critico);
    return Rifiuta(prima);
  }
  const std::string intestazione = ReadDataLine(file);
  if (UCase(Left(intestazione, 2)) != "VX") {
    MostraAvviso(0, "Archivio non riconosciuto!");
    return Rifiuta(prima);
  }
  const std::string tag = UCase(Left(intestazione, 3));
  const std::string d = Mid(intestazione, 4, 1);
  const bool esteso = (tag == "VXP" && (d == "3" || d == "4")) || (tag == "VX " && d == "4");
  const char principale = VersioneCorrente()[3];
  if (d.size() == 1 && d[0] >= '0' && d[0] <= '9' && d[0] > principale) {
    MsgBox("Impossibile aprire il file.\r\nIl file è stato creato con la versione " + d + " di VarnexPro", Bottoni::OK,
           Icona::Informazione, "Errore");
    return Rifiuta(prima);
  }

  std::string riga = intestazione;
  while (riga != kParametri && !file.Eof()) riga = RigaDatiGrezza(file);

  // The writer puts one value per line, so the parameters are taken by position: a reference
  // that begins with "#" or holds a comma is the user's text.
  Riferimento = DaTestoParametro(file.LineInput());
  DescrizioneLavoro = DaTestoParametro(file.LineInput());

  const std::string nomeGas = file.LineInput();
  int16_t gas = CercaGas(nomeGas);
  // The activity is read after the gas, but the header already tells a pressurised network.
  const bool interno = !(esteso && tag == "VXP");
  if (gas >= 1 && static_cast<size_t>(gas) < ArchivioGas.size() && interno &&
      ArchivioGas[static_cast<size_t>(gas)].NonCombustibile != 0) {
    // Made non-combustible in the archive since the project was saved: an internal installation
    // is refused such a gas on every other path, so it is replaced here as a missing one.
    MsgBox("Nel calcolo dell'impianto interno gas non può essere utilizzato un gas non combustibile: il gas " +
               nomeGas + " del progetto deve essere sostituito.",
           Bottoni::OK, Icona::Critico);
    gas = -1;
  }
  if (gas < 0) {
    frmEquiv.Substitute(nomeGas, SostituzioneGas, interno);
    gas = frmEquiv.value();
  }
  if (gas < 0 || static_cast<size_t>(gas) >= ArchivioGas.size()) gas = 0;
  if (gas >= 1) {
    GasCorrente = ArchivioGas[static_cast<size_t>(gas)];
  } else {
    // No substitute chosen: the project keeps the name of its gas, without values, as a segment
    // keeps the name of a missing series. The calculation is refused naming it, and a save
    // writes it back as it was.
    GasCorrente = TGas{};
    GasCorrente.Nome = nomeGas;
  }
  // The index of the gas in use names this project's gas, not the one of the project before:
  // what reads the gas by its index would otherwise take that other gas (0: none of the archive).
  CurrentGas = gas;

  PDCMaxUtente = ValDot(file.LineInput());
  if (esteso) {
    auto attivita = InteroParametro(file.LineInput());
    VelocitaMaxImpostata = static_cast<float>(ValDot(file.LineInput()));
    PressioneIniziale = ValDot(file.LineInput());
    PressioneFinale = ValDot(file.LineInput());
    auto orientamento = InteroParametro(file.LineInput());
    if (!attivita || !orientamento || !std::isfinite(PDCMaxUtente) || !std::isfinite(VelocitaMaxImpostata) ||
        !std::isfinite(PressioneIniziale) || !std::isfinite(PressioneFinale)) {
      MsgBox("I parametri del progetto non sono validi: il progetto non e' stato caricato.", Bottoni::OK,
             Icona::Critico);
      return Rifiuta(prima);
    }
    ReteInPressione = *attivita;
    OrientamentoSorgente = *orientamento;
  } else {
    ReteInPressione = 0;
    OrientamentoSorgente = 0;
  }

  if (!ImpostaTabellaSpeciali(ReteInPressione)) return Rifiuta(prima);  // no "EQLEN.CFG": already reported

  PercorsoProgetto = path;
  ProgettoModificato = 0;
  CalcolaDatiMateriali();

  if (!LeggiReteRTG(file, 1)) return Rifiuta(prima);
  TenutaImpiantoLoad(file, "1");
  if (finestre) finestre->AssicuraEditor();

  if (CercaSezione(file, kDocumenti, {kFine}))
    PercorsoDocumenti = file.LineInput();
  else
    PercorsoDocumenti.clear();

  TenutaImpiantoInit();
  if (finestre) finestre->TitoloProgetto("VarnexPro - " + PercorsoProgetto);
  return true;
}

}  // namespace varnex
