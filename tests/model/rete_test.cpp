#include <gtest/gtest.h>

#include "model/campi.h"
#include "model/globals.h"
#include "model/materiali.h"
#include "model/rete.h"
#include "support/fake_interaction.h"
#include "model/tenuta.h"
#include "rete_prova.h"

namespace varnex::test {
namespace {

using RL = std::vector<Link>;

class EditorFinto : public IEditorRete {
 public:
  EditorFinto() { ImpostaEditorRete(this); }
  ~EditorFinto() override { ImpostaEditorRete(nullptr); }
  void ResetGrid() override { chiamate.push_back("ResetGrid"); }
  void Elaborazione() override { chiamate.push_back("Elaborazione"); }
  std::vector<std::string> chiamate;
};

using Rete_ = ReteTest;

// ---- Current network ---------------------------------------------------------------------

TEST_F(Rete_, ReteCorrenteBecomesOneAndStays) {
  ReteCorrente = 0;
  SetReteCorrente(0);
  EXPECT_EQ(GetReteCorrente(), 0);
  SetReteCorrente(7);
  EXPECT_EQ(GetReteCorrente(), 1);
  SetReteCorrente(0);
  EXPECT_EQ(GetReteCorrente(), 1);
  SetReteCorrente(-1);
  EXPECT_EQ(GetReteCorrente(), 1);
}

TEST_F(Rete_, SetNumTronchiKeepsTheCountInsideTheTable) {
  SetNumTronchi(1, 12);
  EXPECT_EQ(Rete().NumTronchi, 12);
  SetNumTronchi(1, 250);
  EXPECT_EQ(Rete().NumTronchi, 200);
  SetNumTronchi(1, -3);
  EXPECT_EQ(Rete().NumTronchi, 0);
}

// ---- Adding ------------------------------------------------------------------------------

TEST_F(Rete_, AddingFillsLeftThenRightAndRefusesAThirdWithoutClaimingASlot) {
  FakeInterazione utente;
  EXPECT_EQ(AggiungiTronco(0), 1);
  EXPECT_EQ(AggiungiTronco(1), 2);
  EXPECT_EQ(AggiungiTronco(1), 3);
  EXPECT_EQ(LinkRete(), (RL{{0, 2, 3}, {1, 0, 0}, {1, 0, 0}}));

  utente.Attendi("Errore! Il tronco 1 ha gia' due derivazioni");
  EXPECT_EQ(AggiungiTronco(1), 0);
  ASSERT_EQ(utente.messaggi.size(), 1u);
  EXPECT_EQ(utente.messaggi[0].testo, "Errore! Il tronco 1 ha gia' due derivazioni");
  EXPECT_EQ(utente.messaggi[0].bottoni, Bottoni::OK);
  // No orphan: the count and every slot are as before.
  EXPECT_EQ(Rete().NumTronchi, 3);
  EXPECT_EQ(LinkRete(), (RL{{0, 2, 3}, {1, 0, 0}, {1, 0, 0}}));
  EXPECT_EQ(Tronco(4), TTronco{});
}

TEST_F(Rete_, AddingUnderASegmentWithOnlyARightChildUsesTheLeft) {
  CostruisciRete({{0, 0, 2}, {1, 0, 0}});
  EXPECT_EQ(AggiungiTronco(1), 3);
  EXPECT_EQ(LinkRete(), (RL{{0, 3, 2}, {1, 0, 0}, {1, 0, 0}}));
}

TEST_F(Rete_, NewSegmentGetsLengthOneAndTheDefaultSeriesAndKeepsItsDrawingFields) {
  CostruisciRete({{0, 0, 0}, {0, 0, 0}});
  // A free slot keeps what the delete left (nothing) plus what was written since.
  TTronco& libero = Tronco(2);
  libero.Eliminato = -1;
  libero.SlotLibero = -1;
  libero.ID_LEFT = 9;
  libero.CodiceSvolta = 2;
  libero.LunghezzaDisegno = 450;
  DefaultMateriale = "rame-b";
  EXPECT_EQ(AggiungiTronco(1), 2);
  const TTronco& t = Tronco(2);
  EXPECT_EQ(t.Eliminato, 0);
  EXPECT_EQ(t.SlotLibero, 0);
  EXPECT_EQ(t.ID_LEFT, 0);
  EXPECT_EQ(t.ID_RIGHT, 0);
  EXPECT_EQ(t.ID_LEN, 1.0f);
  EXPECT_EQ(t.ID_PREV, 1);
  EXPECT_EQ(t.IndiceMateriale, 2);
  EXPECT_EQ(t.ID_MATERIALE, "RAME-B");
  EXPECT_EQ(t.CodiceSvolta, 2);
  EXPECT_EQ(t.LunghezzaDisegno, 450);
  EXPECT_EQ(ProgettoModificato, 0);
}

TEST_F(Rete_, DefaultSeriesIsResolvedOnceFromTheDefaultName) {
  struct Caso {
    const char* predefinito;
    bool conSerie;
    int16_t atteso;
    const char* nome;
  } casi[] = {
      {"", true, 1, "ACCIAIOM"},
      {"pe4437", true, 3, "PE4437"},
      {"RAME-B", true, 2, "RAME-B"},
      {"OTTONE", true, 1, "ACCIAIOM"},
      {"", false, 1, ""},
      {"RAME-B", false, 0, ""},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.predefinito);
    CaricaSerie(c.conSerie ? SerieStandard() : std::vector<SerieProva>{});
    ResetRete();
    Rete().MaterialeDefault = 0;
    DefaultMateriale = c.predefinito;
    EXPECT_EQ(AggiungiTronco(0), 1);
    EXPECT_EQ(Rete().MaterialeDefault, c.atteso);
    EXPECT_EQ(Tronco(1).IndiceMateriale, c.atteso);
    EXPECT_EQ(Tronco(1).ID_MATERIALE, c.nome);
  }
}

TEST_F(Rete_, ResolvedDefaultSeriesSurvivesResetRete) {
  DefaultMateriale = "PE4437";
  AggiungiTronco(0);
  ResetRete();
  DefaultMateriale = "RAME-B";
  AggiungiTronco(0);
  EXPECT_EQ(Tronco(1).IndiceMateriale, 3);
}

TEST_F(Rete_, AddingAfterADeleteReusesTheLowestFreeSlot) {
  //        1
  //      2   3
  //     4 5
  CostruisciRete({{0, 2, 3}, {1, 4, 5}, {1, 0, 0}, {2, 0, 0}, {2, 0, 0}});
  EliminaTronco(2);
  EXPECT_EQ(Rete().NumTronchi, 5);
  EXPECT_EQ(AggiungiTronco(3), 2);
  EXPECT_EQ(AggiungiTronco(3), 4);
  EXPECT_EQ(Rete().NumTronchi, 5);
  EXPECT_EQ(LinkRete(), (RL{{0, 0, 3}, {3, 0, 0}, {1, 2, 4}, {3, 0, 0}, {0, 0, 0}}));
  EXPECT_EQ(AggiungiTronco(2), 5);
  EXPECT_EQ(AggiungiTronco(2), 6);
  EXPECT_EQ(Rete().NumTronchi, 6);
}

TEST_F(Rete_, ASlotAboveTheCountStartsFromAResetRecord) {
  FakeInterazione utente;
  CostruisciRete({{0, 2, 0}, {1, 3, 0}, {2, 0, 0}});
  Tronco(3).ID_NAME = "ULTIMO";
  Tronco(3).ID_P_UTENZE = 2.5f;
  Tronco(3).ID_DIAMETRO = "3/4";
  Tronco(3).ID_DIAMCUSTOM = -1;
  Tronco(3).ID_CONTEMP = 40;
  ScollegaTronco(3);
  CompattaTronchi();
  ASSERT_EQ(Rete().NumTronchi, 2);
  EXPECT_EQ(AggiungiTronco(2), 3);
  const TTronco& t = Tronco(3);
  EXPECT_EQ(t.ID_NAME, "");
  EXPECT_EQ(t.ID_P_UTENZE, 0.0f);
  EXPECT_EQ(t.ID_DIAMETRO, "");
  EXPECT_EQ(t.ID_DIAMCUSTOM, 0);
  EXPECT_EQ(t.ID_CONTEMP, 100);
  EXPECT_EQ(t.ID_PREV, 2);
}

TEST_F(Rete_, AddingWhenAllTwoHundredSlotsAreInUseClaimsNothing) {
  Rete().NumTronchi = 200;
  EXPECT_EQ(AggiungiTronco(0), 0);
  EXPECT_EQ(Rete().NumTronchi, 200);
}

// ---- Unlinking and deleting ---------------------------------------------------------------

TEST_F(Rete_, UnlinkKeepsTheChildrenAttached) {
  CostruisciRete({{0, 2, 0}, {1, 3, 4}, {2, 0, 0}, {2, 0, 0}});
  ScollegaTronco(2);
  EXPECT_EQ(LinkRete(), (RL{{0, 0, 0}, {0, 3, 4}, {2, 0, 0}, {2, 0, 0}}));
  EXPECT_EQ(Tronco(2).Eliminato, -1);
  EXPECT_EQ(Tronco(2).SlotLibero, 0);
  EXPECT_EQ(ProgettoModificato, -1);
  EXPECT_EQ(Rete().NumTronchi, 4);
}

TEST_F(Rete_, UnlinkingTheRightChildKeepsTheLeft) {
  CostruisciRete({{0, 2, 3}, {1, 0, 0}, {1, 0, 0}});
  ScollegaTronco(3);
  EXPECT_EQ(LinkRete(), (RL{{0, 2, 0}, {1, 0, 0}, {0, 0, 0}}));
}

TEST_F(Rete_, UnlinkOrDeleteNeverClearsASiblingsLink) {
  // Slot 4 names 1 as parent, but 1 links only 2 and 3.
  for (auto operazione : {&ScollegaTronco, &EliminaTronco}) {
    CostruisciRete({{0, 2, 3}, {1, 0, 0}, {1, 0, 0}, {1, 0, 0}});
    operazione(4);
    EXPECT_EQ(Tronco(1).ID_LEFT, 2);
    EXPECT_EQ(Tronco(1).ID_RIGHT, 3);
    EXPECT_EQ(Tronco(4).ID_PREV, 0);
  }
}

TEST_F(Rete_, UnlinkOrDeleteOfTheRootEmptiesTheCount) {
  CostruisciRete({{0, 2, 0}, {1, 0, 0}});
  ScollegaTronco(1);
  EXPECT_EQ(Rete().NumTronchi, 0);
  EXPECT_EQ(Tronco(2).ID_PREV, 1);

  CostruisciRete({{0, 2, 0}, {1, 3, 0}, {2, 0, 0}});
  EliminaTronco(1);
  EXPECT_EQ(Rete().NumTronchi, 0);
  for (int16_t s = 1; s <= 3; ++s) {
    EXPECT_EQ(Tronco(s).Eliminato, -1) << s;
    EXPECT_EQ(Tronco(s).SlotLibero, -1) << s;
  }
}

TEST_F(Rete_, UnlinkAndDeleteOfSlotZeroDoNothing) {
  CostruisciRete({{0, 0, 0}});
  ScollegaTronco(0);
  EliminaTronco(0);
  EXPECT_EQ(ProgettoModificato, 0);
  EXPECT_EQ(Tronco(0), TTronco{});
}

TEST_F(Rete_, DeleteBlanksTheWholeSubtree) {
  CostruisciRete({{0, 2, 0}, {1, 3, 4}, {2, 0, 0}, {2, 5, 0}, {4, 0, 0}, {0, 0, 0}});
  for (int16_t s = 1; s <= 6; ++s) {
    Tronco(s).ID_NAME = "T" + std::to_string(s);
    Tronco(s).ID_LEN = 3;
    Tronco(s).Collegato = -1;
  }
  EliminaTronco(2);
  EXPECT_EQ(Rete().NumTronchi, 6);
  EXPECT_EQ(ProgettoModificato, -1);
  EXPECT_EQ(LinkRete(), (RL{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}));
  TTronco bianco;
  bianco.ID_CONTEMP = 0;
  bianco.Eliminato = -1;
  bianco.SlotLibero = -1;
  for (int16_t s : {2, 3, 4, 5}) EXPECT_EQ(Tronco(s), bianco) << s;
  EXPECT_EQ(Tronco(1).ID_NAME, "T1");
  EXPECT_EQ(Tronco(6).ID_NAME, "T6");
  EXPECT_EQ(Tronco(6).Eliminato, 0);
}

// ---- Compacting --------------------------------------------------------------------------

TEST_F(Rete_, CompactingSlotThreeOfFiveMovesTheOthersDown) {
  //   1 - 2 - (3, 4 - 5); 3 is unlinked
  CostruisciRete({{0, 2, 0}, {1, 3, 4}, {2, 0, 0}, {2, 5, 0}, {4, 0, 0}});
  Tronco(4).ID_NAME = "QUATTRO";
  Tronco(5).ID_NAME = "CINQUE";
  ScollegaTronco(3);
  CompattaTronchi();
  EXPECT_EQ(Rete().NumTronchi, 4);
  EXPECT_EQ(LinkRete(), (RL{{0, 2, 0}, {1, 0, 3}, {2, 4, 0}, {3, 0, 0}}));
  EXPECT_EQ(Tronco(3).ID_NAME, "QUATTRO");
  EXPECT_EQ(Tronco(4).ID_NAME, "CINQUE");
  EXPECT_EQ(Tronco(5).ID_NAME, "");
}

TEST_F(Rete_, CompactingClearsLinksToTheRemovedSlotBeforeMoving) {
  // Slot 3 is marked removed while 2 still links it and 6 still hangs from it.
  CostruisciRete({{0, 2, 0}, {1, 3, 4}, {2, 6, 0}, {2, 5, 0}, {4, 0, 0}, {3, 0, 0}});
  SetField(3, campo::ELIMINATO, "1");
  CompattaTronchi();
  EXPECT_EQ(Rete().NumTronchi, 5);
  // Nothing names the segment that moved into slot 3 by mistake.
  EXPECT_EQ(LinkRete(), (RL{{0, 2, 0}, {1, 0, 3}, {2, 4, 0}, {3, 0, 0}, {0, 0, 0}}));
}

TEST_F(Rete_, CompactingRemovesRunsOfRemovedAndFreeSlots) {
  CostruisciRete({{0, 2, 0}, {1, 3, 0}, {2, 4, 0}, {3, 5, 0}, {4, 0, 0}, {0, 0, 0}});
  EliminaTronco(3);  // 3, 4, 5 free
  Tronco(6).Eliminato = -1;
  CompattaTronchi();
  EXPECT_EQ(Rete().NumTronchi, 2);
  EXPECT_EQ(LinkRete(), (RL{{0, 2, 0}, {1, 0, 0}}));
}

TEST_F(Rete_, DeleteAndCompactOfTheTwoEndSegments) {
  EditorFinto editor;
  //   1 - 2 - (3 - 5, 4)
  CostruisciRete({{0, 2, 0}, {1, 3, 4}, {2, 5, 0}, {2, 0, 0}, {3, 0, 0}});
  EliminaTronco(4);
  EliminaTronco(5);
  EliminaTronchiVuoti();
  EXPECT_EQ(Rete().NumTronchi, 5);
  EXPECT_EQ(editor.chiamate, (std::vector<std::string>{"ResetGrid", "Elaborazione"}));
  for (int16_t s : {4, 5}) {
    EXPECT_EQ(Tronco(s).Eliminato, -1);
    EXPECT_EQ(Tronco(s).ID_CONTEMP, 100);  // reset, not the all-zero record of the delete
  }
  CompattaTronchi();
  EXPECT_EQ(Rete().NumTronchi, 3);
  EXPECT_EQ(LinkRete(), (RL{{0, 2, 0}, {1, 3, 0}, {2, 0, 0}}));
}

TEST_F(Rete_, EmptyTopSlotsLowerTheCountWhenTheSlotBelowIsRemovedToo) {
  // Slot 3 removed, slots 4 and 5 detached and removed: the loop stops at 3 (ID_PREV 2), which
  // is itself marked, so the count drops to 3.
  CostruisciRete({{0, 2, 0}, {1, 0, 0}, {2, 0, 0}, {0, 0, 0}, {0, 0, 0}});
  Tronco(3).Eliminato = -1;
  Tronco(4).Eliminato = -1;
  Tronco(5).Eliminato = -1;
  EliminaTronchiVuoti();
  EXPECT_EQ(Rete().NumTronchi, 3);
}

TEST_F(Rete_, EmptyTopSlotsNeverLookPastSlotTwoHundred) {
  Rete().NumTronchi = 200;
  Tronco(200).ID_PREV = 12;
  Tronco(200).Eliminato = -1;
  EliminaTronchiVuoti();
  EXPECT_EQ(Rete().NumTronchi, 200);
}

TEST_F(Rete_, RenumberingChangesEveryLinkButSlotZero) {
  CostruisciRete({{0, 4, 0}, {4, 0, 4}, {0, 0, 0}, {1, 0, 0}});
  Tronco(0).ID_LEFT = 4;
  RinumeraTronco(3, 4);
  EXPECT_EQ(LinkRete(), (RL{{0, 3, 0}, {3, 0, 3}, {0, 0, 0}, {1, 0, 0}}));
  EXPECT_EQ(Tronco(0).ID_LEFT, 4);
}

// ---- Reset -------------------------------------------------------------------------------

TEST_F(Rete_, ResetTroncoEmptiesStoredAndCalculatedFieldsAndKeepsTheSlotFlags) {
  TTronco t;
  t.ID_NAME = "A";
  t.ID_MATERIALE = "B";
  t.ComposizioneUtenza = "101000";
  t.ID_DIAMETRO = "1/2";
  t.ID_RIF = "rif";
  t.ID_NUM = 3;
  t.ID_PREV = 1;
  t.ID_LEFT = 4;
  t.ID_RIGHT = 5;
  t.IndiceMateriale = 2;
  t.ID_P_UTENZE = 1;
  t.ID_P_TRONCO = 2;
  t.ID_LEN = 3;
  t.ID_EQ_LEN = 4;
  t.ID_NCURVE = t.ID_NGOMITI = t.ID_NRACCORDI = t.ID_NRUBINETTI = 1;
  t.ID_SPC5 = t.ID_SPC6 = t.ID_SPC7 = t.ID_SPC8 = t.ID_SPC9 = t.ID_SPC10 = 2;
  t.ID_RACCORDO = 1;
  t.ID_TIPORACCORDO = 1;
  t.TipologiaUtenza = 2;
  t.ID_PDC_NOTA = 1;
  t.ID_EQLENNOTA = 1;
  t.ID_DIAMCUSTOM = -1;
  t.ID_POTENZA = 1;
  t.CodiceSvolta = 1;
  t.Direzione = 1;
  t.EstremoLibero = -1;
  t.FineX = t.FineY = t.LunghezzaDisegno = 7;
  t.ID_CONTEMP = 50;
  // Results of an earlier calculation go too: a slot reused by a new segment must not show them.
  t.Collegato = -1;
  t.ID_VELOCITA = 5;
  t.ID_PDC_TRONCO = 6;
  t.ID_PDC_PERCORSO = 7;
  t.LunghezzaPercorso = 8;
  t.ID_PESO = 9;
  t.PInizialeTronco = 10;
  t.ID_PFINALE = 11;
  // Kept:
  t.Eliminato = -1;
  t.SlotLibero = -1;
  ResetTronco(t);
  TTronco atteso;
  atteso.Eliminato = -1;
  atteso.SlotLibero = -1;
  EXPECT_EQ(t, atteso);
}

TEST_F(Rete_, ResetReteTakesTheDefaultTextsOrTheFixedValues) {
  struct Caso {
    const char* velocita;
    const char* iniziale;
    const char* finale;
    float v;
    double pi;
    double pf;
  } casi[] = {
      {"", "", "", 15.0f, 200, 150},
      {"20", "300", "250", 20.0f, 300, 250},
      {"12,5", "2,5", "1,75", 12.5f, 2.5, 1.75},
      {"veloce", "x", "?", 15.0f, 200, 150},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.velocita);
    DefaultVelocita = c.velocita;
    DefaultPressioneIniziale = c.iniziale;
    DefaultPressioneFinale = c.finale;
    ResetRete();
    EXPECT_EQ(VelocitaMaxImpostata, c.v);
    EXPECT_EQ(PressioneIniziale, c.pi);
    EXPECT_EQ(PressioneFinale, c.pf);
  }
}

TEST_F(Rete_, ResetReteEmptiesTheProjectAndEverySlot) {
  CostruisciRete({{0, 2, 0}, {1, 0, 0}});
  Tronco(1).ID_NAME = "UNO";
  Tronco(150).ID_NAME = "VECCHIO";
  Tronco(150).ID_P_UTENZE = 3;
  Tronco(7).ID_DIAMETRO = "1";
  Tronco(7).ID_DIAMCUSTOM = -1;
  // Results and a delete's marks of the old network.
  Tronco(2).ID_VELOCITA = 4;
  Tronco(2).ID_PFINALE = 190;
  Tronco(9).Eliminato = -1;
  Tronco(9).SlotLibero = -1;
  Riferimento = "r";
  DescrizioneLavoro = "d";
  PercorsoProgetto = "/p/x.RTG";
  PercorsoDocumenti = "/p";
  ProgettoModificato = -1;
  PDCMaxUtente = 80;
  TenutaImpianto.RagSociale = "Ditta";
  TenutaImpianto.Risultato = 2;
  ReteInPressione = -1;
  OrientamentoSorgente = 2;
  ResetRete();
  EXPECT_EQ(Rete().NumTronchi, 0);
  for (int16_t s : {0, 1, 2, 7, 9, 150, 200}) {
    EXPECT_EQ(Tronco(s), TTronco{}) << s;
  }
  EXPECT_EQ(Riferimento, "");
  EXPECT_EQ(DescrizioneLavoro, "");
  EXPECT_EQ(PercorsoProgetto, "");
  EXPECT_EQ(PercorsoDocumenti, "");
  EXPECT_EQ(ProgettoModificato, 0);
  EXPECT_EQ(PDCMaxUtente, 0);
  EXPECT_EQ(TenutaImpianto, TTenutaImpianto{});
  // The activity and the source orientation belong to the project-start commands.
  EXPECT_EQ(ReteInPressione, -1);
  EXPECT_EQ(OrientamentoSorgente, 2);
  ReteInPressione = 0;
  OrientamentoSorgente = 0;
}

// ---- Queries -----------------------------------------------------------------------------

TEST_F(Rete_, EndSegments) {
  CostruisciRete({{0, 2, 3}, {1, 0, 0}, {1, 0, 4}, {3, 0, 0}, {0, -1, 0}});
  struct Caso {
    int16_t slot;
    bool terminale;
  } casi[] = {{0, true}, {1, false}, {2, true}, {3, false}, {4, true}, {5, true}};
  for (const auto& c : casi) EXPECT_EQ(IsTerminale(c.slot), c.terminale) << c.slot;
}

TEST_F(Rete_, InnerDiameterMatchesTheLabelExactly) {
  struct Caso {
    int16_t serie;
    const char* dn;
    float atteso;
  } casi[] = {
      {1, "3/4", 21.6f}, {1, "1", 27.2f}, {2, "dn20", 20.0f}, {2, "DN20", 0.0f}, {2, "22x1 ", 0.0f},
      {1, "", 0.0f},     {0, "3/4", 0.0f}, {4, "3/4", 0.0f},  {51, "1", 0.0f},   {-1, "1", 0.0f},
  };
  for (const auto& c : casi) EXPECT_EQ(DiametroInterno(c.serie, c.dn), c.atteso) << c.serie << " " << c.dn;
}

TEST_F(Rete_, VolumeCountsTheConnectedPipesOnly) {
  CostruisciRete({{0, 2, 0}, {1, 0, 0}, {0, 0, 0}, {1, 0, 0}});
  auto imposta = [](int16_t s, int16_t serie, const char* dn, float len) {
    Tronco(s).IndiceMateriale = serie;
    Tronco(s).ID_DIAMETRO = dn;
    Tronco(s).ID_LEN = len;
  };
  imposta(1, 2, "22x1", 10);   // 20 mm
  imposta(2, 2, "ignoto", 5);  // not a label: 0
  imposta(3, 1, "1", 4);       // detached: not counted
  imposta(4, 1, "1/2", 2);     // names 1 as parent, but 1 does not link it: not reached
  EXPECT_FLOAT_EQ(VolumeImpianto(), static_cast<float>(3.1415 * 10 * 10 * 10));
  Tronco(1).ID_RIGHT = 4;
  EXPECT_FLOAT_EQ(VolumeImpianto(), static_cast<float>(3.1415 * 100 * 10 + 3.1415 * 64 * 2));
  Rete().NumTronchi = 0;
  EXPECT_EQ(VolumeImpianto(), 0.0f);
}

// ---- Damaged networks --------------------------------------------------------------------

TEST_F(Rete_, WalksStopAtLoopsAndBadLinks) {
  //  1 - 2 - 3, and 3 names 2 as its child again; 2's parent is 3.
  CostruisciRete({{0, 2, 0}, {3, 3, 0}, {2, 2, 0}});
  EXPECT_EQ(SottoalberoTronco(1), (std::vector<int16_t>{1, 2, 3}));
  EXPECT_EQ(PercorsoVersoRadice(3), (std::vector<int16_t>{3, 2}));
  CostruisciRete({{0, 2, 300}, {1, -4, 3}, {2, 0, 0}});
  EXPECT_EQ(SottoalberoTronco(1), (std::vector<int16_t>{1, 2, 3}));
  EXPECT_EQ(PercorsoVersoRadice(3), (std::vector<int16_t>{3, 2, 1}));
  EXPECT_TRUE(SottoalberoTronco(0).empty());
  EXPECT_TRUE(SottoalberoTronco(4).empty());
}

TEST_F(Rete_, DeletingALoopEnds) {
  CostruisciRete({{0, 2, 0}, {1, 3, 0}, {2, 2, 900}});
  EliminaTronco(2);
  EXPECT_EQ(LinkRete(), (RL{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}));
  EXPECT_EQ(Tronco(2).SlotLibero, -1);
  EXPECT_EQ(Tronco(3).SlotLibero, -1);

  CostruisciRete({{0, 1, 0}});
  EliminaTronco(1);
  EXPECT_EQ(Tronco(1).SlotLibero, -1);

  CostruisciRete({{-7, 0, 0}, {1, 0, 0}});
  Tronco(1).ID_LEFT = 2;
  Tronco(2).ID_PREV = 1000;
  ScollegaTronco(2);
  EXPECT_EQ(Tronco(1).ID_LEFT, 2);
  EXPECT_EQ(Tronco(2).ID_PREV, 0);
}

TEST_F(Rete_, ValidationAcceptsASoundNetwork) {
  CostruisciRete({{0, 2, 3}, {1, 0, 0}, {1, 4, 0}, {3, 0, 0}, {0, 6, 0}, {5, 0, 0}});
  EXPECT_TRUE(VerificaRete().empty());
  Rete().NumTronchi = 0;
  EXPECT_TRUE(VerificaRete().empty());
}

TEST_F(Rete_, ValidationReportsEveryKindOfDamage) {
  struct Caso {
    const char* nome;
    RL links;
    std::vector<std::pair<TipoDifettoRete, int16_t>> attesi;
  } casi[] = {
      {"link oltre il conteggio", {{0, 2, 0}, {1, 4, 0}}, {{TipoDifettoRete::LinkFuoriIntervallo, 2}}},
      {"link negativo", {{-1, 0, 0}}, {{TipoDifettoRete::LinkFuoriIntervallo, 1}}},
      {"anello in discesa",
       {{0, 2, 0}, {1, 3, 0}, {0, 2, 0}},
       {{TipoDifettoRete::FiglioConteso, 2},
        {TipoDifettoRete::Ciclo, 2},
        {TipoDifettoRete::Ciclo, 3}}},
      {"anello in salita", {{0, 0, 0}, {3, 0, 0}, {2, 0, 0}}, {{TipoDifettoRete::Ciclo, 2}, {TipoDifettoRete::Ciclo, 3}}},
      {"se stesso", {{0, 0, 0}, {0, 2, 0}}, {{TipoDifettoRete::Ciclo, 2}}},
      {"due link allo stesso figlio", {{0, 2, 2}, {1, 0, 0}}, {{TipoDifettoRete::FiglioConteso, 2}}},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    CostruisciRete(c.links);
    std::vector<std::pair<TipoDifettoRete, int16_t>> visti;
    for (const auto& d : VerificaRete()) {
      visti.emplace_back(d.Tipo, d.Slot);
      EXPECT_FALSE(d.Testo.empty());
    }
    EXPECT_EQ(visti, c.attesi);
  }
  Rete().NumTronchi = 300;
  auto difetti = VerificaRete();
  ASSERT_FALSE(difetti.empty());
  EXPECT_EQ(difetti[0].Tipo, TipoDifettoRete::NumTronchiFuoriIntervallo);
}

}  // namespace
}  // namespace varnex::test
