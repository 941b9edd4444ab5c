// Shared set-up of the schema tests: a clean network, a clean drawing state, a scripted editor
// side and a recording surface.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <tuple>
#include <vector>

#include "support/fake_interaction.h"
#include "model/rete.h"
#include "schema/direzioni.h"
#include "schema/disegno.h"
#include "schema/inserimento.h"
#include "schema/modifica.h"
#include "schema/superficie_registrata.h"

namespace varnex::test {

// The editor side as a script: zoom step, screen, dialogs' answers, and a log of the calls.
class EditorSchemaFinto : public IEditorSchema {
 public:
  int16_t zoom = 0;
  std::vector<std::string> chiamate;
  std::deque<EsitoPortata> risposte;
  struct Dialogo {
    bool cucina;
    int16_t seg;
    float portata;
    int16_t tipologiaAllApertura;
  };
  std::vector<Dialogo> dialoghi;
  int16_t ScaleFactor() override { return zoom; }
  void Elaborazione() override { chiamate.push_back("Elaborazione"); }
  void ApriDialogoTronco(int16_t seg) override { chiamate.push_back("PTronchi " + std::to_string(seg)); }
  EsitoPortata DialogoPortata(bool cucina, int16_t seg, float portata) override {
    dialoghi.push_back({cucina, seg, portata, Tronco(seg).TipologiaUtenza});
    if (risposte.empty()) return {};
    EsitoPortata r = risposte.front();
    risposte.pop_front();
    return r;
  }
  void DeleteTronco(int16_t seg) override { chiamate.push_back("DeleteTronco " + std::to_string(seg)); }
  void RidisegnaCanvas() override { chiamate.push_back("Ridisegna"); }
};

// (ID_PREV, ID_LEFT, ID_RIGHT) of slots 1..n; every slot reached from the root.
using Link = std::tuple<int16_t, int16_t, int16_t>;
inline void CostruisciRete(const std::vector<Link>& links) {
  for (size_t k = 0; k < links.size(); ++k) {
    TTronco& t = Tronco(static_cast<int16_t>(k + 1));
    std::tie(t.ID_PREV, t.ID_LEFT, t.ID_RIGHT) = links[k];
    t.Collegato = -1;
  }
  Rete().NumTronchi = static_cast<int16_t>(links.size());
}

inline void AzzeraStatoSchema() {
  for (TTronco& t : Rete().Tronchi) t = TTronco{};
  Rete().NumTronchi = 0;
  SchemaMaxX = SchemaMaxY = SchemaMinX = SchemaMinY = 0;
  AdattaSchemaPagina = 0;
  ScalaStampaSchema = 0;
  ReteInPressione = 0;
  PressioneFinale = 0;
  PDCMaxUtente = 0;
  OrientamentoSorgente = 0;
  TroncoSelezionato = 0;
  ProgettoModificato = 0;
  PassiX = PassiY = 0;
  PassiMinX = PassiMaxX = PassiMinY = PassiMaxY = 0;
  StatoTrascinamento = {};
  RegioniClick = {};
  RegioniEstremi = {};
  RegioniDrop = {};
  ResetDropTargets();
  SuperficieDisegno = nullptr;
}

class SchemaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AzzeraStatoSchema();
    ImpostaEditorSchema(&editor);
  }
  void TearDown() override {
    ImpostaEditorSchema(nullptr);
    AzzeraStatoSchema();
  }
  // The screen drawing on the canvas.
  void Disegna() { DrawSchema(canvas, 2, "Arial", 7); }

  FakeInterazione utente;
  EditorSchemaFinto editor;
  SuperficieRegistrata canvas{"picDisplay", 11000, 6170, 6170, 60, 180};
};

// Texts written on a surface, in order.
inline std::vector<std::string> Testi(const SuperficieRegistrata& s) {
  std::vector<std::string> t;
  for (const auto& op : s.operazioni)
    if (op.tipo == OperazioneDisegno::Tipo::Testo) t.push_back(op.testo);
  return t;
}

}  // namespace varnex::test
