// The delete command over the network: the three modes on a range of rows and on one segment,
// and the refreshes they run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/cancellazione.h"
#include "model/rete.h"
#include "model/rete_prova.h"
#include "support/fake_interaction.h"

namespace varnex {
namespace {

class EditorRegistra : public IEditorRete {
 public:
  void ResetGrid() override { passi.push_back("ResetGrid"); }
  void Elaborazione() override { passi.push_back("Elaborazione"); }
  std::vector<std::string> passi;
};

class CancellazioneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRete();
    ImpostaEditorRete(&editor_);
    editor_.passi.clear();
    // 1 -> 2 -> {3, 6}; 3 -> {4, 5}; 6 -> 7
    test::CostruisciRete({{0, 2, 0}, {1, 3, 6}, {2, 4, 5}, {3, 0, 0}, {3, 0, 0}, {2, 7, 0}, {6, 0, 0}});
    for (int16_t s = 1; s <= 7; ++s) Tronco(s).ID_RIF = "T" + std::to_string(s);
    ProgettoModificato = 0;
  }
  void TearDown() override { ImpostaEditorRete(nullptr); }
  EditorRegistra editor_;
  test::FakeInterazione utente_;
};

TEST_F(CancellazioneTest, CancellaRigheLasciaLaNumerazione) {
  CancellaRighe(Cancella, 3, 5, 1, editor_);
  for (int16_t s : {3, 4, 5}) EXPECT_NE(Tronco(s).Eliminato, 0) << s;
  for (int16_t s : {1, 2, 6, 7}) EXPECT_EQ(Tronco(s).ID_RIF, "T" + std::to_string(s)) << s;
  EXPECT_EQ(Tronco(2).ID_LEFT, 0);
  EXPECT_EQ(Tronco(2).ID_RIGHT, 6);
  EXPECT_EQ(editor_.passi, (std::vector<std::string>{"ResetGrid", "Elaborazione"}));
}

TEST_F(CancellazioneTest, EliminaRigheCompattaERinumeraInEntrambiIVersi) {
  for (auto [riga, rigaSel] : {std::pair<int16_t, int16_t>{3, 5}, {5, 3}}) {
    SetUp();
    CancellaRighe(Elimina, riga, rigaSel, 1, editor_);
    ASSERT_EQ(Rete().NumTronchi, 4);
    EXPECT_EQ(Tronco(3).ID_RIF, "T6");
    EXPECT_EQ(Tronco(4).ID_RIF, "T7");
    EXPECT_EQ(Tronco(2).ID_RIGHT, 3);
    EXPECT_EQ(Tronco(4).ID_PREV, 3);
    // n rows recalculated each, then the empty-slot drop and the final refresh.
    EXPECT_EQ(editor_.passi,
              (std::vector<std::string>{"Elaborazione", "Elaborazione", "Elaborazione", "ResetGrid", "Elaborazione",
                                        "ResetGrid", "Elaborazione"}));
    TearDown();
  }
}

TEST_F(CancellazioneTest, ScollegaLasciaIlRamoStaccatoNonEliminato) {
  CancellaRighe(Scollega, 6, 6, 1, editor_);
  EXPECT_EQ(Tronco(6).ID_PREV, 0);
  EXPECT_EQ(Tronco(6).Eliminato, 0);
  EXPECT_EQ(Tronco(7).ID_PREV, 6);
  EXPECT_EQ(Tronco(2).ID_RIGHT, 0);
  EXPECT_EQ(Rete().NumTronchi, 7);
  EXPECT_EQ(editor_.passi, (std::vector<std::string>{"Elaborazione"}));
}

TEST_F(CancellazioneTest, IlTroncoUnoNonSiScollegaDalloSchema) {
  EXPECT_FALSE(CancellaTronco(Scollega, 1, 1, editor_));
  EXPECT_EQ(Rete().NumTronchi, 7);
  EXPECT_TRUE(editor_.passi.empty());
  EXPECT_TRUE(CancellaTronco(Scollega, 6, 1, editor_));
  EXPECT_EQ(Tronco(6).Eliminato, 0);
  EXPECT_EQ(Tronco(6).ID_PREV, 0);
}

// The table's unlink of row 1 emptied the network in silence while every row stayed on screen.
TEST_F(CancellazioneTest, IlTroncoUnoNonSiScollegaDallaTabellaNeInUnIntervallo) {
  for (auto [riga, rigaSel] : {std::pair<int16_t, int16_t>{1, 1}, {1, 3}, {3, 1}}) {
    const TRete prima = Rete();
    EXPECT_FALSE(CancellaRighe(Scollega, riga, rigaSel, 1, editor_)) << riga << "-" << rigaSel;
    EXPECT_EQ(Rete().NumTronchi, 7);
    for (int16_t s = 1; s <= 7; ++s) EXPECT_EQ(Tronco(s), prima.Tronchi[static_cast<size_t>(s)]) << s;
    EXPECT_TRUE(editor_.passi.empty());
  }
  EXPECT_TRUE(CancellaRighe(Scollega, 2, 3, 1, editor_));
  EXPECT_EQ(Tronco(2).ID_PREV, 0);
}

TEST_F(CancellazioneTest, TroncoZeroRicalcolaESoloEliminaCompatta) {
  CancellaTronco(Cancella, 0, 1, editor_);
  EXPECT_EQ(Rete().NumTronchi, 7);
  EXPECT_EQ(editor_.passi, (std::vector<std::string>{"ResetGrid", "Elaborazione"}));
  Tronco(7).Eliminato = -1;
  Tronco(6).ID_LEFT = 0;
  Tronco(7).ID_PREV = 0;
  CancellaTronco(Elimina, 0, 1, editor_);
  EXPECT_EQ(Rete().NumTronchi, 6);
}

TEST_F(CancellazioneTest, RigheOltreLUltimoSlotNonEsconoDallaTabella) {
  Rete().NumTronchi = MaxTronchi;
  CancellaRighe(Scollega, 199, 201, 1, editor_);
  EXPECT_EQ(Tronco(200).Eliminato, 0);
  CancellaRighe(Cancella, 200, 201, 1, editor_);
  SUCCEED();
}

TEST_F(CancellazioneTest, RigaGiaCancellataComeSottoalberoVieneCancellataDiNuovo) {
  CancellaRighe(Cancella, 2, 3, 1, editor_);
  const TRete dopo = Rete();
  SetUp();
  CancellaRighe(Cancella, 2, 2, 1, editor_);
  EXPECT_EQ(Rete().NumTronchi, dopo.NumTronchi);
  for (int16_t s = 1; s <= 7; ++s) EXPECT_EQ(Tronco(s), dopo.Tronchi[static_cast<size_t>(s)]) << s;
}

TEST_F(CancellazioneTest, ContaITronchiCheUnaCancellazioneTogliePerRamoUnaVolta) {
  struct Caso {
    int16_t riga, rigaSel, conto;
  } casi[] = {{1, 1, 7}, {3, 3, 3}, {4, 4, 1}, {3, 6, 5}, {6, 3, 5}, {4, 5, 2}, {8, 9, 0}, {0, 0, 0}};
  for (const Caso& c : casi) EXPECT_EQ(TronchiDaCancellare(c.riga, c.rigaSel), c.conto) << c.riga << "-" << c.rigaSel;
  Tronco(7).Eliminato = -1;  // a slot already deleted is not counted again
  EXPECT_EQ(TronchiDaCancellare(6, 6), 1);
}

// One click on segment 1 emptied the whole network without a word.
TEST_F(CancellazioneTest, PrimaDiCancellarePiuTronchiChiedeConIlConto) {
  for (int16_t tipo : {int16_t{Elimina}, int16_t{Cancella}}) {
    utente_.Attendi("Verranno cancellati definitivamente 7 tronchi", Risposta::No);
    EXPECT_FALSE(ConfermaCancellazione(tipo, 1, 1));
    EXPECT_EQ(utente_.messaggi.back().testo,
              "Verranno cancellati definitivamente 7 tronchi: quelli selezionati e tutti i tronchi derivati.\r\nProcedere?");
    EXPECT_EQ(utente_.messaggi.back().bottoni, Bottoni::SiNo);
    utente_.Attendi("Verranno cancellati definitivamente 2 tronchi", Risposta::Si);
    EXPECT_TRUE(ConfermaCancellazione(tipo, 6, 6));
  }
  // One segment, or an unlink that removes nothing: no question.
  const size_t visti = utente_.messaggi.size();
  EXPECT_TRUE(ConfermaCancellazione(Elimina, 7, 7));
  EXPECT_TRUE(ConfermaCancellazione(Scollega, 1, 3));
  EXPECT_EQ(utente_.messaggi.size(), visti);
}

}  // namespace
}  // namespace varnex
