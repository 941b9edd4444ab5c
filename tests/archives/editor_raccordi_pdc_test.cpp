// The logic of the fittings editor and of the maximum-drop editor: the box texts, reading them
// back, the defaults, the files, and a failed write that must not pass for a save.
#include <gtest/gtest.h>

#include "archives/editor_pdc.h"
#include "archives/editor_raccordi.h"
#include "archives/testi_archivio.h"
#include "model/archivi_scrittura_bloccata.h"
#include "shell/ambiente_prova.h"

namespace varnex::test {
namespace {

class EditorSpecialiTest : public ProgrammaProva {
 protected:
  void SetUp() override {
    ProgrammaProva::SetUp();
    ASSERT_TRUE(CaricaSpeciali());
  }
};

TEST_F(EditorSpecialiTest, MostraNomiELunghezzeDelleColonneInPressione) {
  const CampiSpeciali c = EditorSpeciali::MostraSpeciali();
  EXPECT_EQ(c[0].Descrizione, "CURVA");
  EXPECT_EQ(c[0].Range1, "0,6");
  EXPECT_EQ(c[1].Range2, "6");
  EXPECT_EQ(c[9].Descrizione, "VALVOLA A FARFALLA");
  EXPECT_EQ(c[9].Range3, "9");
  // Only column 1 is shown: the other families' lengths do not leak into the boxes.
  LunghezzeEquivalenti[3][2][1] = 77;
  EXPECT_EQ(EditorSpeciali::MostraSpeciali()[2].Range1, "1,2");
}

TEST_F(EditorSpecialiTest, OkLeggeVirgolaPuntoEVuotiEScriveIlFile) {
  CampiSpeciali c = EditorSpeciali::MostraSpeciali();
  c[0].Range1 = "1,5";
  c[0].Range2 = "1.5";
  c[0].Range3 = "";
  c[4].Range1 = "  ";  // blank: 0
  c[4].Descrizione = " Nuova ";  // kept as typed
  c[7].Descrizione = "";
  LunghezzeEquivalenti[1][2][1] = 42;  // another family's column stays as it is
  ASSERT_TRUE(EditorSpeciali::Conferma(c));
  EXPECT_FLOAT_EQ(LunghezzeEquivalenti[1][1][1], 1.5f);
  EXPECT_FLOAT_EQ(LunghezzeEquivalenti[1][1][2], 1.5f);
  EXPECT_FLOAT_EQ(LunghezzeEquivalenti[1][1][3], 0.0f);
  EXPECT_FLOAT_EQ(LunghezzeEquivalenti[5][1][1], 0.0f);
  EXPECT_FLOAT_EQ(LunghezzeEquivalenti[1][2][1], 42.0f);
  EXPECT_EQ(NomiSpeciali[5], " Nuova ");
  EXPECT_EQ(NomiSpeciali[8], "-");  // the empty description is "-" in memory too
  EXPECT_EQ(EditorSpeciali::MostraSpeciali()[7].Descrizione, "-");
  const std::string file = cartella.Read("EQLEN.CFG");
  EXPECT_NE(file.find("CURVA\t 1,5 \t 1,5 \t 0 \r\n"), std::string::npos) << file;
  EXPECT_NE(file.find("-\t 0,8 \t 2 \t 4 \r\n"), std::string::npos) << file;
  // Read back, the file gives what the dialog stored.
  NomiSpeciali = {};
  LunghezzeEquivalenti = {};
  ASSERT_TRUE(CaricaSpeciali());
  EXPECT_FLOAT_EQ(LunghezzeEquivalenti[1][1][2], 1.5f);
  EXPECT_EQ(NomiSpeciali[8], "-");
}

TEST_F(EditorSpecialiTest, ScritturaFallitaLasciaTabelleEFileComeErano) {
  const std::string prima = cartella.Read("EQLEN.CFG");
  const auto nomi = NomiSpeciali;
  const auto lunghezze = LunghezzeEquivalenti;
  CampiSpeciali c = EditorSpeciali::MostraSpeciali();
  c[0].Range1 = "9";
  c[6].Descrizione = "";
  utente.Attendi("EQLEN.CFG");
  {
    ScritturaBloccata bloccata;
    EXPECT_FALSE(EditorSpeciali::Conferma(c));
  }
  EXPECT_EQ(utente.messaggi.back().icona, Icona::Critico);
  EXPECT_EQ(cartella.Read("EQLEN.CFG"), prima);
  EXPECT_EQ(NomiSpeciali, nomi);
  EXPECT_EQ(LunghezzeEquivalenti, lunghezze);
}

TEST_F(EditorSpecialiTest, UnaLunghezzaOltreLaPrecisioneSingolaERifiutataSenzaToccareNulla) {
  const std::string prima = cartella.Read("EQLEN.CFG");
  const auto lunghezze = LunghezzeEquivalenti;
  CampiSpeciali c = EditorSpeciali::MostraSpeciali();
  c[2].Range2 = "1E+39";
  utente.Attendi(std::string(MsgLunghezzaNonValida) + c[2].Descrizione +
                 " (riga 3, colonna 50mm \u00F7 125mm): 1E+39.\r\nSono ammessi i valori da 0 a 1000 m.");
  BoxSpeciale box;
  EXPECT_FALSE(EditorSpeciali::Conferma(c, &box));
  EXPECT_EQ(box.riga, 2);
  EXPECT_EQ(box.colonna, 2);
  EXPECT_EQ(cartella.Read("EQLEN.CFG"), prima);
  EXPECT_EQ(LunghezzeEquivalenti, lunghezze);
}

// A box holds one plain number, by the table's rule: a typo pasted or typed is refused naming its
// box, and nothing is stored (not 12 for "12abc", not 1,2 for "1,2,3").
TEST_F(EditorSpecialiTest, UnRefusoNonEUnNumeroENonVieneSalvato) {
  const std::string prima = cartella.Read("EQLEN.CFG");
  const auto lunghezze = LunghezzeEquivalenti;
  for (const char* refuso : {"12abc", "1,2,3", "abc", "1.2.3", "--1"}) {
    SCOPED_TRACE(refuso);
    CampiSpeciali c = EditorSpeciali::MostraSpeciali();
    c[0].Range3 = refuso;
    utente.Attendi(std::string(MsgLunghezzaNonValida) + c[0].Descrizione + " (riga 1, colonna > 125mm): " + refuso +
                   ".");
    BoxSpeciale box;
    EXPECT_FALSE(EditorSpeciali::Conferma(c, &box));
    EXPECT_EQ(box.riga, 0);
    EXPECT_EQ(box.colonna, 3);
    EXPECT_EQ(cartella.Read("EQLEN.CFG"), prima);
    EXPECT_EQ(LunghezzeEquivalenti, lunghezze);
  }
}

TEST_F(EditorSpecialiTest, UnaDescrizioneCheEqlenNonRestituirebbeERifiutata) {
  const std::string prima = cartella.Read("EQLEN.CFG");
  const auto nomi = NomiSpeciali;
  const auto lunghezze = LunghezzeEquivalenti;
  for (const char* testo : {"#1", "A\tB", "A\nB", "A\r\nB", "A\r", "1,5", "DN \u03A9", "\xE2\x86\x92"}) {
    SCOPED_TRACE(testo);
    CampiSpeciali c = EditorSpeciali::MostraSpeciali();
    c[5].Descrizione = testo;
    utente.Attendi(MsgTestoNonArchiviabile("La descrizione del raccordo della riga 6", testo));
    EXPECT_FALSE(EditorSpeciali::Conferma(c));
    EXPECT_EQ(cartella.Read("EQLEN.CFG"), prima);
    EXPECT_EQ(NomiSpeciali, nomi);
    EXPECT_EQ(LunghezzeEquivalenti, lunghezze);
  }
  // Accepted texts come back in their own slot, and so do the fittings after them.
  CampiSpeciali c = EditorSpeciali::MostraSpeciali();
  c[5].Descrizione = " #6";
  ASSERT_TRUE(EditorSpeciali::Conferma(c));
  for (int i = 1; i <= 10; ++i) NomiSpeciali[static_cast<size_t>(i)] = "prima";
  ASSERT_TRUE(CaricaSpeciali());
  EXPECT_EQ(NomiSpeciali[6], " #6");
  EXPECT_EQ(NomiSpeciali[7], nomi[7]);
  EXPECT_EQ(LunghezzeEquivalenti[7][1][1], lunghezze[7][1][1]);
}

class EditorPDCTest : public ProgrammaProva {};

TEST_F(EditorPDCTest, MostraIPredefiniti) {
  SogliaPotenzaPDC = 0;
  PDCMaxTabella = {};
  InitPDCMax();
  const CampiPDC c = EditorPDC::MostraPDC();
  EXPECT_EQ(c.Potenza, "35");
  EXPECT_EQ(c.PotenzaBis, "35");
  EXPECT_EQ(c.Potenza1, (std::array<std::string, 3>{"50", "100", "200"}));
  EXPECT_EQ(c.Potenza2, (std::array<std::string, 3>{"50", "50", "200"}));
}

TEST_F(EditorPDCTest, ApplicaCompletaIPredefinitiEScriveIlFile) {
  CampiPDC c = EditorPDC::MostraPDC();
  c.Potenza = "34,5";
  c.PotenzaBis = "99";  // never read back
  c.Potenza1 = {"60", "", "0"};
  c.Potenza2 = {" ", "55.5", "-3"};
  ASSERT_TRUE(EditorPDC::ApplicaPDC(c));
  EXPECT_FLOAT_EQ(SogliaPotenzaPDC, 34.5f);
  EXPECT_FLOAT_EQ(PDCMaxTabella[1][1], 60);
  EXPECT_FLOAT_EQ(PDCMaxTabella[1][2], 100);  // emptied: the default
  EXPECT_FLOAT_EQ(PDCMaxTabella[1][3], 200);
  EXPECT_FLOAT_EQ(PDCMaxTabella[2][1], 50);
  EXPECT_FLOAT_EQ(PDCMaxTabella[2][2], 55.5f);
  EXPECT_FLOAT_EQ(PDCMaxTabella[2][3], 200);
  // The boxes get the completed values.
  EXPECT_EQ(c.Potenza, "34,5");
  EXPECT_EQ(c.PotenzaBis, "34,5");
  EXPECT_EQ(c.Potenza1, (std::array<std::string, 3>{"60", "100", "200"}));
  EXPECT_EQ(c.Potenza2, (std::array<std::string, 3>{"50", "55,5", "200"}));
  EXPECT_EQ(cartella.Read("PDCMAX.CFG"), " 34,5 \r\n 60 \r\n 100 \r\n 200 \r\n 50 \r\n 55,5 \r\n 200 \r\n");
  SogliaPotenzaPDC = 0;
  ASSERT_TRUE(CaricaPDCMax());
  EXPECT_FLOAT_EQ(SogliaPotenzaPDC, 34.5f);
}

TEST_F(EditorPDCTest, ScritturaFallitaLasciaValoriEFileComeErano) {
  const std::string prima = cartella.Read("PDCMAX.CFG");
  const float soglia = SogliaPotenzaPDC;
  const auto tabella = PDCMaxTabella;
  CampiPDC c = EditorPDC::MostraPDC();
  c.Potenza = "80";
  c.Potenza1[0] = "1";
  utente.Attendi("PDCMAX.CFG");
  {
    ScritturaBloccata bloccata;
    EXPECT_FALSE(EditorPDC::ApplicaPDC(c));
  }
  EXPECT_EQ(cartella.Read("PDCMAX.CFG"), prima);
  EXPECT_FLOAT_EQ(SogliaPotenzaPDC, soglia);
  EXPECT_EQ(PDCMaxTabella, tabella);
}

TEST_F(EditorPDCTest, UnValoreOltreLaPrecisioneSingolaERifiutatoSenzaToccareNulla) {
  ASSERT_TRUE(SalvaPDCMax());
  const std::string prima = cartella.Read("PDCMAX.CFG");
  const auto tabella = PDCMaxTabella;
  CampiPDC c = EditorPDC::MostraPDC();
  c.Potenza2[1] = "5E+40";
  // The message names the box and the range; the window is told which box to go back to.
  utente.Attendi(std::string(MsgValorePDCNonValido) +
                 "5E+40 (potenza oltre la soglia, 2\u00B0 famiglia).\r\nSono ammessi i valori fino a 100000 Pa; "
                 "0 per il valore predefinito.");
  int box = -1;
  EXPECT_FALSE(EditorPDC::ApplicaPDC(c, &box));
  EXPECT_EQ(box, 5);
  EXPECT_EQ(cartella.Read("PDCMAX.CFG"), prima);
  EXPECT_EQ(PDCMaxTabella, tabella);
  c = EditorPDC::MostraPDC();
  c.Potenza = "1e40";
  utente.Attendi(std::string(MsgValorePDCNonValido) + "1e40 (potenza di soglia).\r\nSono ammessi i valori fino a "
                 "100000 kW");
  EXPECT_FALSE(EditorPDC::ApplicaPDC(c, &box));
  EXPECT_EQ(box, 0);
}

TEST_F(EditorPDCTest, UnRefusoNonEUnNumeroENonVieneSalvato) {
  ASSERT_TRUE(SalvaPDCMax());
  const std::string prima = cartella.Read("PDCMAX.CFG");
  const auto tabella = PDCMaxTabella;
  for (const char* refuso : {"2,5,9", "12abc", "abc"}) {
    SCOPED_TRACE(refuso);
    CampiPDC c = EditorPDC::MostraPDC();
    c.Potenza1[2] = refuso;
    utente.Attendi(std::string(MsgValorePDCNonValido) + refuso + " (potenza fino alla soglia, 3\u00B0 famiglia)");
    int box = -1;
    EXPECT_FALSE(EditorPDC::ApplicaPDC(c, &box));
    EXPECT_EQ(box, 3);
    EXPECT_EQ(cartella.Read("PDCMAX.CFG"), prima);
    EXPECT_EQ(PDCMaxTabella, tabella);
  }
}

TEST_F(EditorPDCTest, OkSenzaModificheNonRiscriveIlFile) {
  // A line refused at load takes its default in memory; the file keeps what the user wrote.
  const std::string testo = " 35 \r\n 50 \r\n# 60\r\n 200 \r\n 50 \r\n 50 \r\n 200 \r\n";
  cartella.Write("PDCMAX.CFG", testo);
  utente.Attendi("riga 3: valore non valido");
  ASSERT_TRUE(CaricaPDCMax());
  InitPDCMax();
  CampiPDC c = EditorPDC::MostraPDC();
  ASSERT_TRUE(EditorPDC::ApplicaPDC(c));
  EXPECT_EQ(cartella.Read("PDCMAX.CFG"), testo);
}

TEST_F(EditorSpecialiTest, OkSenzaModificheNonScriveUnaRigaRifiutataComeVuota) {
  const std::string testo = "A\t1\t2\t3\r\n# nota\r\nB\t4\r\nC\t7\t8\t9\r\n";
  cartella.Write("EQLEN.CFG", testo);
  NomiSpeciali = {};
  LunghezzeEquivalenti = {};
  utente.Attendi("riga 3: dati incompleti");
  ASSERT_TRUE(CaricaSpeciali());
  const CampiSpeciali c = EditorSpeciali::MostraSpeciali();
  EXPECT_EQ(c[1].Descrizione, "");  // the refused line shows as an empty row
  ASSERT_TRUE(EditorSpeciali::Conferma(c));
  EXPECT_EQ(cartella.Read("EQLEN.CFG"), testo);
}

}  // namespace
}  // namespace varnex::test
