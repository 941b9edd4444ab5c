#include "shell/default_values.h"

#include <algorithm>
#include <utility>

#include "model/files.h"
#include "model/gas.h"
#include "model/globals.h"
#include "model/interaction.h"
#include "model/materiali.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/strings.h"
#include "model/textfile.h"

namespace varnex {
namespace {

const char* const NomeFile = "defaultValue.ini";

struct Voce {
  const char* chiave;
  std::string* valore;
};

std::vector<Voce> Voci() {
  return {{"DEFAULTGAS", &DefaultGas},
          {"DEFAULTPIPEMATERIAL", &DefaultMateriale},
          {"DEFAULTMEDIUMSPEED", &DefaultVelocita},
          {"DEFAULTINITPRESSURE", &DefaultPressioneIniziale},
          {"DEFAULTFINPRESSURE", &DefaultPressioneFinale}};
}

const char* const ErroreLettura = "Errore nell'apertura del file contenete i valori di default.";
const char* const ErroreScrittura = "Errore nella creazione del file contenente i valori di default.";

bool GasElencabile(const TGas& gas) {
  if (gas.Cancellato != 0) return false;
  return ReteInPressione != 0 || gas.NonCombustibile == 0;
}

}  // namespace

std::string DefaultGasPredefinito() {
  return NumGas >= 1 && ArchivioGas.size() > 1 ? ArchivioGas[1].Nome : std::string();
}

std::string DefaultMaterialePredefinito() { return NumMateriali >= 1 ? Materiali[1][0].Nome : std::string(); }

void getDefaultValueFromFile() {
  std::string percorso = FileProgramma(NomeFile);
  if (!EsisteFile(percorso)) {
    DefaultGas = DefaultGasPredefinito();
    DefaultMateriale = DefaultMaterialePredefinito();
    DefaultVelocita = DefaultVelocitaPredefinita;
    DefaultPressioneIniziale = DefaultPressioneInizialePredefinita;
    DefaultPressioneFinale = DefaultPressioneFinalePredefinita;
    PDCMaxTesto = "0";
    return;
  }
  // A file without one of the keys must not leave a value that was never set empty: the project
  // reset would otherwise turn an empty velocity or pressure into 0.
  if (DefaultGas.empty()) DefaultGas = DefaultGasPredefinito();
  if (DefaultMateriale.empty()) DefaultMateriale = DefaultMaterialePredefinito();
  if (DefaultVelocita.empty()) DefaultVelocita = DefaultVelocitaPredefinita;
  if (DefaultPressioneIniziale.empty()) DefaultPressioneIniziale = DefaultPressioneInizialePredefinita;
  if (DefaultPressioneFinale.empty()) DefaultPressioneFinale = DefaultPressioneFinalePredefinita;

  TextReader file;
  if (!file.Open(percorso)) {
    MsgBox(ErroreLettura);
    return;
  }
  const auto voci = Voci();
  while (!file.Eof()) {
    std::string riga = file.LineInput();
    for (const auto& v : voci) {
      if (riga != std::string("!") + v.chiave) continue;
      if (file.Eof()) {
        MsgBox(ErroreLettura);
        return;
      }
      *v.valore = file.LineInput();
      break;
    }
  }
}

bool putDefaultValueInFile() {
  TextWriter file(FileProgramma(NomeFile));
  bool primo = true;
  for (const auto& v : Voci()) {
    if (!primo) file.PrintLine();
    primo = false;
    file.PrintLine(std::string("!") + v.chiave);
    file.PrintLine(*v.valore);
    file.PrintLine(std::string("~") + v.chiave);
  }
  std::string motivo;
  if (file.Commit(&motivo)) return true;
  // A full disk and a missing permission are mended differently: the user is told which.
  MsgBox(std::string(ErroreScrittura) + "\r\n" + motivo);
  return false;
}

std::vector<std::string> ElencoPressioni() {
  std::vector<std::string> voci{"1"};
  for (int p = 10; p <= 500; p += 10) voci.push_back(std::to_string(p));
  return voci;
}

int IndiceVoce(const std::vector<std::string>& voci, const std::string& testo) {
  for (size_t i = 0; i < voci.size(); ++i)
    if (voci[i] == testo) return static_cast<int>(i);
  return -1;
}

namespace {

int IndiceNoCase(const std::vector<std::string>& voci, const std::string& testo) {
  for (size_t i = 1; i < voci.size(); ++i)
    if (UgualiNoCase(voci[i], testo)) return static_cast<int>(i);
  return 0;
}

bool GasInArchivio(const std::string& nome) {
  for (int16_t i = 1; i <= NumGas && static_cast<size_t>(i) < ArchivioGas.size(); ++i)
    if (ArchivioGas[static_cast<size_t>(i)].Cancellato == 0 && StessoNomeGas(ArchivioGas[static_cast<size_t>(i)].Nome, nome))
      return true;
  return false;
}

}  // namespace

CampiValoriDefault ApriValoriDefault() {
  CampiValoriDefault c;
  c.inPressione = ReteInPressione != 0;
  c.gas.emplace_back();
  for (int16_t i = 1; i <= NumGas && static_cast<size_t>(i) < ArchivioGas.size(); ++i)
    if (GasElencabile(ArchivioGas[static_cast<size_t>(i)])) c.gas.push_back(ArchivioGas[static_cast<size_t>(i)].Nome);
  c.materiali.emplace_back();
  for (int16_t i = 1; i <= NumMateriali && i <= MaxMateriali; ++i) c.materiali.push_back(Materiali[static_cast<size_t>(i)][0].Nome);

  getDefaultValueFromFile();

  // A text the projects cannot read shows as the value they use instead.
  c.velocita = TestoDefaultUsato(DefaultVelocita, DefaultVelocitaPredefinita);
  c.gasScelto = std::max(IndiceNomeGas(c.gas, DefaultGas, 1), 0);
  c.materialeScelto = IndiceNoCase(c.materiali, DefaultMateriale);
  if (c.inPressione) {
    c.pressioni = ElencoPressioni();
    c.pressioneIniziale = TestoDefaultUsato(DefaultPressioneIniziale, DefaultPressioneInizialePredefinita);
    c.pressioneFinale = TestoDefaultUsato(DefaultPressioneFinale, DefaultPressioneFinalePredefinita);
  }
  return c;
}

bool ConfermaValoriDefault(CampiValoriDefault& c) {
  // What was in use before, should the file refuse the new values.
  const std::string prima[] = {DefaultGas, DefaultMateriale, DefaultVelocita, DefaultPressioneIniziale,
                               DefaultPressioneFinale, PDCMaxTesto};
  if (c.gasScelto > 0 && static_cast<size_t>(c.gasScelto) < c.gas.size()) {
    DefaultGas = c.gas[static_cast<size_t>(c.gasScelto)];
  } else if (GasInArchivio(DefaultGas) && IndiceNomeGas(c.gas, DefaultGas, 1) < 0) {
    // The list could not offer it (a non-combustible gas while an internal installation is
    // open): the blank choice means "unchanged", not "the first gas".
    c.gasScelto = 0;
  } else if (c.gas.size() > 1) {
    c.gasScelto = 1;
    DefaultGas = c.gas[1];
  }

  if (c.materialeScelto > 0 && static_cast<size_t>(c.materialeScelto) < c.materiali.size()) {
    DefaultMateriale = c.materiali[static_cast<size_t>(c.materialeScelto)];
  } else if (c.materiali.size() > 1) {
    c.materialeScelto = 1;
    DefaultMateriale = c.materiali[1];
  }

  // What cannot be read as a number is replaced by the built-in value, and the fields show it.
  c.velocita = TestoDefaultUsato(c.velocita, DefaultVelocitaPredefinita);
  DefaultVelocita = c.velocita;

  if (c.inPressione) {
    c.pressioneIniziale = TestoDefaultUsato(c.pressioneIniziale, DefaultPressioneInizialePredefinita);
    c.pressioneFinale = TestoDefaultUsato(c.pressioneFinale, DefaultPressioneFinalePredefinita);
    DefaultPressioneIniziale = c.pressioneIniziale;
    DefaultPressioneFinale = c.pressioneFinale;
  } else {
    // The pressure lists are hidden and empty in an internal installation: keep what was there.
    if (DefaultPressioneIniziale.empty()) DefaultPressioneIniziale = DefaultPressioneInizialePredefinita;
    if (DefaultPressioneFinale.empty()) DefaultPressioneFinale = DefaultPressioneFinalePredefinita;
  }
  PDCMaxTesto = "0";
  if (putDefaultValueInFile()) return true;
  // Not written, not in use: the next start would read the old values, so this run does too.
  std::string* valori[] = {&DefaultGas, &DefaultMateriale, &DefaultVelocita, &DefaultPressioneIniziale,
                           &DefaultPressioneFinale, &PDCMaxTesto};
  for (size_t i = 0; i < std::size(valori); ++i) *valori[i] = prima[i];
  return false;
}

std::string TestoDefaultUsato(const std::string& testo, const char* predefinito) {
  return NumeroTestoDefault(testo) ? testo : std::string(predefinito);
}

int16_t FiltroTastoNumerico(int16_t keyAscii, const std::string& testo, bool testoSelezionato, size_t limite) {
  if (keyAscii == 8) return keyAscii;
  if (keyAscii == 13) return 0;
  if (Len(Trim(testo)) > limite && !testoSelezionato) return 0;
  bool ammesso = (keyAscii >= '0' && keyAscii <= '9') || keyAscii == ',' || keyAscii == '.';
  return ammesso ? keyAscii : 0;
}

}  // namespace varnex
