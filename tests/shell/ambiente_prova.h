// Shared set-up of the lifecycle and start-up tests: a program folder with the shipped archives
// loaded, a clean project, settings in memory, and a scripted environment that records what the
// lifecycle asked of the windows.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "model/calcolo.h"
#include "model/colonne.h"
#include "model/gas.h"
#include "model/globals.h"
#include "model/materiali.h"
#include "model/progetto_file.h"
#include "model/rete.h"
#include "model/sostituzione.h"
#include "model/raccordi.h"
#include "shell/mru.h"
#include "shell/progetto.h"
#include "shell/settings.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"

namespace varnex::test {

// Records every request as one line ("titolo:...", "NewRete 1", ...) and answers the file dialogs
// from a script. Also the windows of the project reader (its caption goes to the same place).
class FakeAmbiente : public IAmbienteProgetto, public IFinestreProgetto {
 public:
  FakeAmbiente() {
    ImpostaAmbienteProgetto(this);
    ImpostaFinestreProgetto(this);
  }
  ~FakeAmbiente() override {
    ImpostaFinestreProgetto(nullptr);
    ImpostaAmbienteProgetto(nullptr);
    for (const auto& r : risposte) ADD_FAILURE() << "file dialog answer never used: " << r.value_or("(annulla)");
  }

  std::optional<std::string> ChiediFileApri(const std::string& titolo, const std::string& filtro,
                                            const std::string& cartella) override {
    eventi.push_back("apri:" + titolo + "|" + filtro + "|" + cartella);
    return Prossima();
  }
  std::optional<std::string> ChiediFileSalva(const std::string& titolo, const std::string& filtro,
                                             const std::string& cartella, const std::string& nome) override {
    eventi.push_back("salva:" + titolo + "|" + filtro + "|" + cartella);
    return Prossima();
  }
  void AssicuraEditor() override { eventi.push_back("AssicuraEditor"); }
  void TitoloProgetto(const std::string& t) override { Titolo(t); }
  void MostraAttesa() override { eventi.push_back("attesa"); }
  void ScaricaAttesa() override { eventi.push_back("fine attesa"); }
  void Titolo(const std::string& t) override {
    titolo = t;
    eventi.push_back("titolo:" + t);
  }
  void ScaricaEditor() override { eventi.push_back("ScaricaEditor"); }
  void NewRete(int16_t r) override { eventi.push_back("NewRete " + std::to_string(r)); }
  void MostraEditor() override { eventi.push_back("MostraEditor"); }
  void Elaborazione() override { eventi.push_back("Elaborazione"); }
  void AggiornaCalcoli() override { eventi.push_back("AggiornaCalcoli"); }
  void TerminaProcesso(int codice) override { eventi.push_back("Termina " + std::to_string(codice)); }

  // Only the events that concern the editor window, in order.
  std::vector<std::string> Editor() const {
    std::vector<std::string> e;
    for (const auto& s : eventi)
      if (s == "ScaricaEditor" || s.rfind("NewRete", 0) == 0 || s == "MostraEditor" || s == "Elaborazione" ||
          s == "AggiornaCalcoli")
        e.push_back(s);
    return e;
  }
  bool Visto(const std::string& evento) const {
    for (const auto& s : eventi)
      if (s == evento) return true;
    return false;
  }

  std::deque<std::optional<std::string>> risposte;
  std::vector<std::string> eventi;
  std::string titolo;

 private:
  std::optional<std::string> Prossima() {
    if (risposte.empty()) {
      ADD_FAILURE() << "unexpected file dialog";
      return std::nullopt;
    }
    auto r = risposte.front();
    risposte.pop_front();
    return r;
  }
};

// The shipped archives in a temporary program folder, loaded; an empty project; the recent files
// set up on an empty in-memory store.
class ProgrammaProva : public ::testing::Test {
 protected:
  void SetUp() override {
    cartella.UsaComeCartellaProgramma();
    cartella.CopiaDatiDistribuiti();
    ImpostaImpostazioni(&impostazioni);
    InitGas();
    CaricaMateriali();
    InitSpeciali();
    InitPDCMax();
    ASSERT_TRUE(CaricaDefinizioneGriglie());
    DefaultGas = ArchivioGas[1].Nome;
    DefaultMateriale = Materiali[1][0].Nome;
    DefaultVelocita = "15";
    DefaultPressioneIniziale = "200";
    DefaultPressioneFinale = "150";
    GasCorrente = ArchivioGas[1];
    CurrentGas = 0;
    ReteInPressione = 0;
    OrientamentoSorgente = 0;
    frmEquiv.Reset();
    ResetRete();
    DimenticaProgettoSalvato();  // no project of an earlier test is "on disk"
    FileRecenti.Setup("MRUFileList", 4);
  }
  void TearDown() override {
    ResetRete();
    ImpostaImpostazioni(nullptr);
  }

  // A small internal installation of two segments with an appliance, the project's texts set.
  static void CostruisciImpianto() {
    ResetRete();
    ReteInPressione = 0;
    // The default series is resolved anew, not inherited from whatever ran before.
    Rete().MaterialeDefault = 0;
    const int16_t primo = AggiungiTronco(0);
    const int16_t secondo = AggiungiTronco(primo);
    Tronco(primo).ID_LEN = 5;
    Tronco(secondo).ID_LEN = 3;
    Tronco(secondo).ID_P_UTENZE = 2.5f;
    Riferimento = "Casa Rossi";
    DescrizioneLavoro = "Impianto cucina";
  }

  TempFolder cartella;
  ImpostazioniInMemoria impostazioni;
  FakeInterazione utente;
};

}  // namespace varnex::test
