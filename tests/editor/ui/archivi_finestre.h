// Set-up shared by the window tests of the editor: the shipped archives in a temporary program
// folder, and a main window that records what the editor asks of it.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "editor/barra_strumenti.h"
#include "model/colonne.h"
#include "model/files.h"
#include "model/gas.h"
#include "model/globals.h"
#include "model/materiali.h"
#include "model/rete.h"
#include "model/raccordi.h"
#include "shell/stato_interfaccia.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"

namespace varnex::test {

// The shipped archives, loaded as at start-up, in a temporary program folder.
class ArchiviDistribuiti {
 public:
  ArchiviDistribuiti() {
    cartella_.CopiaDatiDistribuiti();
    cartella_.UsaComeCartellaProgramma();
    utente_.PermettiTutti();
    ResetRete();
    CaricaMateriali();
    InitGas();
    CaricaPDCMax();
    InitPDCMax();
    InitSpeciali();
    CaricaDefinizioneGriglie();
    GasCorrente = ArchivioGas[1];
    CurrentGas = 1;
    DefaultGas = GasCorrente.Nome;
    RicalcoloAutomatico = -1;
    CursoreBloccato = 0;
    StatoBloccoDiametri = -1;
    PDCMaxUtente = 0;
    ReteInPressione = 0;
    PressioneIniziale = 500;
    PressioneFinale = 100;
    VelocitaMaxImpostata = 20;
  }
  ~ArchiviDistribuiti() {
    ResetRete();
    ReteInPressione = 0;
  }
  const TempFolder& Cartella() const { return cartella_; }
  FakeInterazione& Utente() { return utente_; }

 private:
  TempFolder cartella_;
  FakeInterazione utente_;
};

// Records the toolbar and the other requests of the editor.
class PrincipaleFinta : public IFinestraPrincipale {
 public:
  void ImpostaComando(Comando c, const StatoComando& s) override { stati[c] = s; }
  void ImpostaFigura(Comando c, Immagine f) override { stati[c].Figura = f; }
  void InitInitialGasCombo(const std::optional<std::string>& s) override { gasRichiesti.push_back(s.value_or("")); }
  void SelectItemInGasList(const std::string& s) override { gasSelezionato = s; }
  void AbilitaSelettoreGas() override { selettoreAbilitato = true; }
  void ImpostaTestoZoom(const std::string& t) override { zoom = t; }
  void NascondiIndicatore() override { indicatore = false; }
  void MostraIndicatore(bool p) override {
    indicatore = true;
    indicatorePressione = p;
  }
  void MenuAttivita(bool p) override { menuPressione = p; }
  int AltezzaTwips() const override { return altezza; }
  int LarghezzaTwips() const override { return larghezza; }
  int AltezzaBarraTwips() const override { return 1200; }
  bool Minimizzata() const override { return minimizzata; }

  std::map<Comando, StatoComando> stati;
  std::vector<std::string> gasRichiesti;
  std::string gasSelezionato;
  std::string zoom;
  bool selettoreAbilitato = false, indicatore = false, indicatorePressione = false, menuPressione = false;
  int altezza = 8930, larghezza = 12150;
  bool minimizzata = false;
};

// A small network: 1 -> 2 (appliance), 1 -> 3 -> 4 (appliance), all in the first pipe series.
inline void ReteDiProva(bool pressione) {
  ResetRete();
  ReteInPressione = pressione ? -1 : 0;
  const std::string serie = Materiali[1][0].Nome;
  Rete().NumTronchi = 4;
  const int16_t link[5][3] = {{0, 0, 0}, {0, 2, 3}, {1, 0, 0}, {1, 4, 0}, {3, 0, 0}};
  for (int16_t s = 1; s <= 4; ++s) {
    TTronco& t = Tronco(s);
    t.ID_NUM = s;
    t.ID_PREV = link[s][0];
    t.ID_LEFT = link[s][1];
    t.ID_RIGHT = link[s][2];
    t.ID_MATERIALE = serie;
    t.IndiceMateriale = 1;
    t.ID_DIAMETRO = "Auto";
    t.ID_LEN = 5.0f * s;
    t.ID_CONTEMP = 100;
  }
  Tronco(2).ID_P_UTENZE = 1.2f;
  Tronco(4).ID_P_UTENZE = 2.5f;
  Tronco(4).ID_RIF = "Caldaia";
}

}  // namespace varnex::test
