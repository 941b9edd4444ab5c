#include <gtest/gtest.h>

#include <utility>

#include "model/gas.h"
#include "model/materiali.h"
#include "model/sostituzione.h"
#include "rete_prova.h"
#include "support/fake_interaction.h"

namespace varnex::test {
namespace {

class Sostituzione : public ReteTest {
 protected:
  void SetUp() override {
    ReteTest::SetUp();
    ArchivioGas.assign(1, TGas{});
    for (const char* nome : {"METANO", "GPL", "ARIA"}) {
      TGas g;
      g.Nome = nome;
      ArchivioGas.push_back(g);
    }
    NumGas = 3;
  }
};

TEST_F(Sostituzione, ABlankNameGivesZeroWithoutAsking) {
  DialogoSostituzioneFinto dialogo;
  for (const char* nome : {"", "   "}) {
    frmEquiv.Substitute(nome, SostituzioneGas);
    EXPECT_EQ(frmEquiv.value(), 0);
  }
  EXPECT_TRUE(dialogo.domande.empty());
  EXPECT_TRUE(frmEquiv.Equivalenze()[SostituzioneGas].empty());
}

TEST_F(Sostituzione, TheChoiceIsTheArchiveIndexAndIsRemembered) {
  DialogoSostituzioneFinto dialogo;
  dialogo.Rispondi(3);
  frmEquiv.Substitute(" Propano ", SostituzioneGas);
  EXPECT_EQ(frmEquiv.value(), 3);
  ASSERT_EQ(dialogo.domande.size(), 1u);
  // The window shows the name as written; the memory keeps the trimmed upper-case form.
  EXPECT_EQ(dialogo.domande[0].nome, " Propano ");
  EXPECT_EQ(dialogo.domande[0].tipo, SostituzioneGas);
  EXPECT_EQ(dialogo.domande[0].candidati, (std::vector<std::string>{"METANO", "GPL", "ARIA"}));
  ASSERT_EQ(frmEquiv.Equivalenze()[SostituzioneGas].size(), 1u);
  EXPECT_EQ(frmEquiv.Equivalenze()[SostituzioneGas][0].NOld, "PROPANO");
  EXPECT_EQ(frmEquiv.Equivalenze()[SostituzioneGas][0].NNew, 3);

  // A gas name by the one rule for gas names: other blanks are the same missing gas.
  for (const char* nome : {"PROPANO", "propano", "  pRoPaNo", "Propano\u00A0", "\tPROPANO\u2003"}) {
    frmEquiv.Substitute(nome, SostituzioneGas);
    EXPECT_EQ(frmEquiv.value(), 3) << nome;
  }
  EXPECT_EQ(dialogo.domande.size(), 1u);
}

TEST_F(Sostituzione, KindsAreRememberedApart) {
  DialogoSostituzioneFinto dialogo;
  dialogo.Rispondi(2);
  dialogo.Rispondi(1);
  frmEquiv.Substitute("RAME", SostituzioneGas);
  EXPECT_EQ(frmEquiv.value(), 2);
  frmEquiv.Substitute("RAME", SostituzioneMateriale);
  EXPECT_EQ(frmEquiv.value(), 1);
  ASSERT_EQ(dialogo.domande.size(), 2u);
  EXPECT_EQ(dialogo.domande[1].candidati, (std::vector<std::string>{"ACCIAIOM", "RAME-B", "PE4437"}));
  frmEquiv.Substitute("rame", SostituzioneGas);
  EXPECT_EQ(frmEquiv.value(), 2);
}

TEST_F(Sostituzione, ResetForgetsAndTheNextLoadAsksAgain) {
  DialogoSostituzioneFinto dialogo;
  dialogo.Rispondi(1);
  dialogo.Rispondi(2);
  frmEquiv.Substitute("OTTONE", SostituzioneMateriale);
  EXPECT_EQ(frmEquiv.value(), 1);
  frmEquiv.Reset();
  EXPECT_TRUE(frmEquiv.Equivalenze()[SostituzioneMateriale].empty());
  frmEquiv.Substitute("OTTONE", SostituzioneMateriale);
  EXPECT_EQ(frmEquiv.value(), 2);
  EXPECT_EQ(dialogo.domande.size(), 2u);
}

TEST_F(Sostituzione, NoChoiceGivesZeroAndIsNotAskedAgainUntilReset) {
  DialogoSostituzioneFinto dialogo;
  dialogo.Rispondi(3);
  frmEquiv.Substitute("X", SostituzioneGas);
  dialogo.Rispondi(0);
  frmEquiv.Substitute("Y", SostituzioneGas);
  EXPECT_EQ(frmEquiv.value(), 0);
  EXPECT_EQ(frmEquiv.Equivalenze()[SostituzioneGas].size(), 1u);
  // Left without a choice ("Annulla"): every other segment of the same name is not asked again.
  frmEquiv.Substitute(" y ", SostituzioneGas);
  EXPECT_EQ(frmEquiv.value(), 0);
  EXPECT_EQ(dialogo.domande.size(), 2u);
  frmEquiv.Reset();
  dialogo.Rispondi(9);  // not a line of the list
  frmEquiv.Substitute("Y", SostituzioneGas);
  EXPECT_EQ(frmEquiv.value(), 0);
  EXPECT_EQ(dialogo.domande.size(), 3u);
}

TEST_F(Sostituzione, WithNothingToChooseNoWindowIsShown) {
  DialogoSostituzioneFinto dialogo;
  CaricaSerie({});
  frmEquiv.Substitute("OTTONE", SostituzioneMateriale);
  EXPECT_EQ(frmEquiv.value(), 0);
  frmEquiv.Substitute("OTTONE", 5);  // a kind without candidates
  EXPECT_EQ(frmEquiv.value(), 0);
  EXPECT_TRUE(dialogo.domande.empty());
}

TEST_F(Sostituzione, AnInternalInstallationIsOfferedOnlyCombustibleGases) {
  ArchivioGas[3].NonCombustibile = -1;  // ARIA
  TGas propano;
  propano.Nome = "PROPANO";
  ArchivioGas.push_back(propano);
  NumGas = 4;
  DialogoSostituzioneFinto dialogo;
  // The third line offered is the fourth gas: the index follows the archive, not the list.
  dialogo.Rispondi(3);
  frmEquiv.Substitute("GAS CITTA", SostituzioneGas, true);
  ASSERT_EQ(dialogo.domande.size(), 1u);
  EXPECT_EQ(dialogo.domande[0].candidati, (std::vector<std::string>{"METANO", "GPL", "PROPANO"}));
  EXPECT_EQ(frmEquiv.value(), 4);
  // A pressurised network may use any gas.
  dialogo.Rispondi(3);
  frmEquiv.Substitute("AZOTO", SostituzioneGas);
  EXPECT_EQ(dialogo.domande[1].candidati, (std::vector<std::string>{"METANO", "GPL", "ARIA", "PROPANO"}));
  EXPECT_EQ(frmEquiv.value(), 3);
}

TEST_F(Sostituzione, ProcediWithoutASelectionAsksForOne) {
  FakeInterazione utente;
  utente.Attendi("E' necessario selezionare una sostituzione");
  EXPECT_FALSE(Sostituzioni::ConfermaSelezione(-1));
  ASSERT_EQ(utente.messaggi.size(), 1u);
  EXPECT_EQ(utente.messaggi[0].testo, "E' necessario selezionare una sostituzione");
  EXPECT_EQ(utente.messaggi[0].titolo, "");
  EXPECT_TRUE(Sostituzioni::ConfermaSelezione(0));
  EXPECT_EQ(utente.messaggi.size(), 1u);
}

TEST_F(Sostituzione, CandidateListsFollowTheArchives) {
  EXPECT_EQ(Sostituzioni::LoadList(SostituzioneGas), (std::vector<std::string>{"METANO", "GPL", "ARIA"}));
  NumGas = 2;
  EXPECT_EQ(Sostituzioni::LoadList(SostituzioneGas), (std::vector<std::string>{"METANO", "GPL"}));
  EXPECT_EQ(Sostituzioni::LoadList(SostituzioneMateriale), (std::vector<std::string>{"ACCIAIOM", "RAME-B", "PE4437"}));
  EXPECT_TRUE(Sostituzioni::LoadList(0).empty());
  EXPECT_TRUE(Sostituzioni::LoadList(3).empty());
}

TEST_F(Sostituzione, SearchLeavesTheNameTrimmedAndUpperCased) {
  frmEquiv.AddEquiv("GHISA", 4, SostituzioneMateriale);
  std::string nome = "  ghisa ";
  EXPECT_EQ(frmEquiv.SearchEquiv(nome, SostituzioneMateriale), 4);
  EXPECT_EQ(nome, "GHISA");
  nome = "ghisa";
  EXPECT_EQ(frmEquiv.SearchEquiv(nome, SostituzioneGas), 0);
}

// The archive may be loaded again while the project is open: a remembered answer names the entry
// chosen, wherever it sits then, and a chosen entry that is gone is asked about again.
TEST_F(Sostituzione, TheAnswerFollowsTheChosenEntryByName) {
  DialogoSostituzioneFinto dialogo;
  dialogo.Rispondi(2);  // RAME-B
  frmEquiv.Substitute("GHISA", SostituzioneMateriale);
  ASSERT_EQ(frmEquiv.value(), 2);
  std::swap(Materiali[1], Materiali[2]);
  frmEquiv.Substitute("ghisa", SostituzioneMateriale);
  EXPECT_EQ(frmEquiv.value(), 1);
  EXPECT_EQ(dialogo.domande.size(), 1u);

  Materiali[1] = Materiali[3];
  NumMateriali = 2;
  dialogo.Rispondi(2);
  frmEquiv.Substitute("GHISA", SostituzioneMateriale);
  EXPECT_EQ(frmEquiv.value(), 2);
  ASSERT_EQ(dialogo.domande.size(), 2u);
  // The new answer replaces the old one.
  ASSERT_EQ(frmEquiv.Equivalenze()[SostituzioneMateriale].size(), 1u);
  EXPECT_EQ(frmEquiv.Equivalenze()[SostituzioneMateriale][0].NomeNuovo, Materiali[2][0].Nome);
}

}  // namespace
}  // namespace varnex::test
