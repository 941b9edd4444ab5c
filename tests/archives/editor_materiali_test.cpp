// The logic of the pipe-series editor: the working copy and its grid texts, commits and the
// derived columns, the density box, the rules for a new series' name, saving (also a new series
// and a failed write), deleting only the file, and the questions before leaving or switching.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "archives/editor_materiali.h"
#include "archives/testi_archivio.h"
#include "model/archivi_scrittura_bloccata.h"
#include "model/files.h"
#include "model/numbers.h"
#include "model/strings.h"
#include "model/textfile.h"
#include "shell/ambiente_prova.h"
#include "support/utente_comune.h"

namespace varnex::test {
namespace {

class EditorMaterialiTest : public ProgrammaProva {
 protected:
  void SetUp() override {
    ProgrammaProva::SetUp();
    ASSERT_GE(NumMateriali, 3);
    editor.CaricaListaSerie();
  }
  std::string Cella(int r, int c) const { return editor.Griglia[static_cast<size_t>(r)][static_cast<size_t>(c)]; }
  // Clears every row of the series shown and gives it one empty diameter row to type into.
  void SerieVuota() {
    for (size_t r = 1; r <= MaxDiametri; ++r) editor.CopiaSerie[r] = {};
    editor.CopiaSerie[0].NumDiametri = 0;
    editor.RigheMostrate = 0;
    editor.MostraSerie();
  }
  static std::string NomeDaFile(const std::string& nome) { return LeggiByte(FileProgramma(nome + ".mat")); }

  EditorMateriali editor;
};

TEST_F(EditorMaterialiTest, SiApreSullaSeriePredefinitaScrittaEsattamente) {
  DefaultMateriale = Materiali[2][0].Nome;
  EXPECT_EQ(EditorMateriali::IndiceDefault(), 2);
  DefaultMateriale = LCase(Materiali[2][0].Nome);
  EXPECT_EQ(EditorMateriali::IndiceDefault(), 1);
  DefaultMateriale = "NESSUNA";
  editor.CaricaListaSerie();
  EXPECT_EQ(editor.IndiceSerie, 1);
  EXPECT_FALSE(editor.SerieModificata);
}

TEST_F(EditorMaterialiTest, MostraLaSerieNellaGriglia) {
  const TSerieMateriale& s = Materiali[1];
  const int16_t n = s[0].NumDiametri;
  ASSERT_GT(n, 1);
  EXPECT_EQ(editor.RigheMostrate, n);
  EXPECT_EQ(editor.CopiaSerie[0].Nome, s[0].Nome);
  EXPECT_EQ(Cella(0, 2), "Diam. ext\rmm");
  EXPECT_EQ(Cella(0, 5), "Massa lineica\rKg/m");
  EXPECT_EQ(Cella(7, 0), " 7");
  EXPECT_EQ(Cella(1, 1), s[1].RifDiametro);
  EXPECT_EQ(Cella(1, 2), FormatNumero(s[1].DiamEsterno, 2));
  EXPECT_EQ(Cella(1, 4), FormatNumero(s[1].DiamInterno, 2));
  EXPECT_EQ(Cella(n + 1, 1), "");
  EXPECT_EQ(Cella(n + 1, 2), "");
  editor.CopiaSerie[0].PesoSpecifico = 950.6f;
  EXPECT_EQ(editor.TestoDensita(), " 950,6");
}

TEST_F(EditorMaterialiTest, DiametroEsternoESpessoreDannoInternoEMassa) {
  SerieVuota();
  editor.CopiaSerie[0].PesoSpecifico = 950;
  EsitoCommit e = editor.Commit(1, 1, "1\"");
  EXPECT_TRUE(e.accettato);
  EXPECT_EQ(e.riga, 1);
  EXPECT_EQ(e.colonna, 2);
  e = editor.Commit(1, 2, "32");
  EXPECT_EQ(e.colonna, 3);
  e = editor.Commit(1, 3, "2,9");
  EXPECT_TRUE(e.accettato);
  EXPECT_EQ(e.riga, 2);
  EXPECT_EQ(e.colonna, 1);
  EXPECT_EQ(Cella(1, 1), "1\"");
  EXPECT_EQ(Cella(1, 2), "32,00");
  EXPECT_EQ(Cella(1, 3), "2,90");
  EXPECT_EQ(Cella(1, 4), "26,20");
  EXPECT_EQ(Cella(1, 5), "0,25");
  EXPECT_FLOAT_EQ(editor.CopiaSerie[1].DiamInterno, 26.2f);
  EXPECT_NEAR(editor.CopiaSerie[1].Sezione, 0.5391, 1e-4);
  EXPECT_EQ(editor.CopiaSerie[0].NumDiametri, 1);
  EXPECT_TRUE(editor.SerieModificata);
  // A point reads as well as a comma.
  editor.Commit(1, 3, "2.5");
  EXPECT_FLOAT_EQ(editor.CopiaSerie[1].Spessore, 2.5f);
}

// A cell holds one plain number, by the table's rule: a typo is refused naming its box and
// nothing is stored (not 2,50 for "2,5,9", not 0 for "abc").
TEST_F(EditorMaterialiTest, UnRefusoNonEUnNumeroENonVieneSalvato) {
  struct Caso {
    int16_t colonna;
    const char* testo;
    const char* casella;
  } casi[] = {{3, "2,5,9", "lo spessore"}, {3, "abc", "lo spessore"},   {3, "2.5x", "lo spessore"},
              {2, "abc", "il diametro esterno"}, {2, "32,1,5", "il diametro esterno"}, {3, "", "lo spessore"}};
  for (const Caso& k : casi) {
    SCOPED_TRACE(k.testo);
    SerieVuota();
    editor.Commit(2, 2, "32");
    editor.Commit(2, 3, "2");
    const TMateriale prima = editor.CopiaSerie[2];
    utente.Attendi("\"" + std::string(k.testo) + "\" non e' un numero valido per " + k.casella + ".");
    const EsitoCommit e = editor.Commit(2, k.colonna, k.testo);
    EXPECT_FALSE(e.accettato);
    EXPECT_EQ(e.colonna, k.colonna);
    EXPECT_FLOAT_EQ(editor.CopiaSerie[2].DiamEsterno, prima.DiamEsterno);
    EXPECT_FLOAT_EQ(editor.CopiaSerie[2].Spessore, prima.Spessore);
    EXPECT_FLOAT_EQ(editor.CopiaSerie[2].DiamInterno, prima.DiamInterno);
  }
}

TEST_F(EditorMaterialiTest, SpessoriRifiutati) {
  struct Caso {
    const char* esterno;  // "" leaves the outer diameter 0
    const char* spessore;
    bool accettato;
    std::string messaggio = MsgSpessoreNonCompatibile;
  };
  const std::string interno = MsgValoreNonAmmesso("Il diametro interno (diametro esterno meno due spessori)",
                                                  CampoArchivio::DiametroInterno);
  const std::string spessore = MsgValoreNonAmmesso("Lo spessore", CampoArchivio::Spessore);
  for (const Caso& k : {Caso{"32", "16", false}, Caso{"32", "16,5", false}, Caso{"32", "15,75", true},
                        Caso{"32", "15,9", false, interno}, Caso{"", "0", false}, Caso{"", "1", false},
                        // A negative wall would be saved and then refused by the reader.
                        Caso{"32", "-1", false, spessore}, Caso{"600", "201", false, spessore},
                        Caso{"600", "200", true}}) {
    SCOPED_TRACE(std::string(k.esterno) + " / " + k.spessore);
    SerieVuota();
    editor.SerieModificata = false;
    if (*k.esterno) editor.Commit(2, 2, k.esterno);
    if (!k.accettato) utente.Attendi(k.messaggio);
    const EsitoCommit e = editor.Commit(2, 3, k.spessore);
    EXPECT_EQ(e.accettato, k.accettato);
    if (!k.accettato) {
      // The cursor stays on the refused cell, which shows the row's thickness as it was.
      EXPECT_EQ(e.riga, 2);
      EXPECT_EQ(e.colonna, 3);
      EXPECT_FALSE(e.primaVisibile);
      EXPECT_FLOAT_EQ(editor.CopiaSerie[2].Spessore, 0.0f);
      EXPECT_EQ(editor.RigheMostrate, 2);  // the rows shown grow all the same
      EXPECT_EQ(editor.CopiaSerie[0].NumDiametri, *k.esterno ? 2 : 0);
      // Only the outer diameter typed before is a change.
      EXPECT_EQ(editor.SerieModificata, *k.esterno != 0);
    }
  }
}

TEST_F(EditorMaterialiTest, NessunOrdineDiModificheLasciaUnDiametroInternoNonPositivo) {
  // Each way of reaching an inner diameter of 0 or less, on the first row of a saved series. The
  // series is saved afterwards: read back, it still has all its rows, each above 0.
  struct Passo {
    int16_t colonna;
    const char* testo;
    const char* rifiuto;  // nullptr: accepted
  };
  const std::vector<std::vector<Passo>> casi = {
      {{2, "32", nullptr}, {3, "2,9", nullptr}, {2, "4", MsgEsternoNonCompatibile}},
      {{2, "32", nullptr}, {3, "2,9", nullptr}, {2, "5,8", MsgEsternoNonCompatibile}},
      {{2, "32", nullptr}, {3, "16", MsgSpessoreNonCompatibile}},
      {{3, "0", nullptr}, {2, "0", MsgEsternoNonCompatibile}},
      {{3, "0", nullptr}, {2, "-3", MsgEsternoNonCompatibile}},
      // Not one plain number: refused as such, naming the box.
      {{3, "0", nullptr}, {2, "abc", "non e' un numero valido per il diametro esterno"}},
      {{3, "0", nullptr}, {2, "1E+39", "non e' un numero valido per il diametro esterno"}},
      {{3, "0", nullptr}, {2, "1e30", "non e' un numero valido per il diametro esterno"}},
      {{3, "0", nullptr}, {2, "99999999999999999999999999999999999999999", "non e' un numero valido per il diametro esterno"}},
      {{3, "0", nullptr}, {2, "54010", "Il diametro esterno non e' valido"}},
      {{3, "0", nullptr}, {2, "0,4", "Il diametro esterno non e' valido"}},
      {{3, "0", nullptr}, {2, "5401", "Il diametro esterno non e' valido"}},
      {{2, "32", nullptr}, {3, "-2", "Lo spessore non e' valido"}},
  };
  const int16_t righe = Materiali[1][0].NumDiametri;
  const std::string nome = Materiali[1][0].Nome;
  for (size_t k = 0; k < casi.size(); ++k) {
    SCOPED_TRACE("caso " + std::to_string(k));
    editor.CaricaSerie(1);
    for (const Passo& p : casi[k]) {
      if (p.rifiuto) utente.Attendi(p.rifiuto);
      const EsitoCommit e = editor.Commit(1, p.colonna, p.testo);
      EXPECT_EQ(e.accettato, p.rifiuto == nullptr) << p.testo;
      EXPECT_GT(editor.CopiaSerie[1].DiamInterno, 0.0f) << p.testo;
    }
    ASSERT_TRUE(editor.SalvaSerie());
    CaricaMateriali();
    std::string n = nome;
    const int16_t i = CercaMateriale(n);
    ASSERT_GT(i, 0);
    EXPECT_EQ(Materiali[static_cast<size_t>(i)][0].NumDiametri, righe);
    for (int16_t r = 1; r <= righe; ++r) EXPECT_GT(Materiali[static_cast<size_t>(i)][static_cast<size_t>(r)].DiamInterno, 0.0f);
  }
  // An outer diameter refused keeps the one before it, in the grid too.
  editor.CaricaSerie(1);
  editor.Commit(1, 2, "32");
  editor.Commit(1, 3, "2,9");
  utente.Attendi(MsgEsternoNonCompatibile);
  editor.Commit(1, 2, "4");
  EXPECT_EQ(Cella(1, 2), "32,00");
  EXPECT_EQ(Cella(1, 4), "26,20");
}

TEST_F(EditorMaterialiTest, UnaModificaRifiutataCheRimetteIlValorePrecedenteNonChiedeDiSalvare) {
  // A refused outer diameter or label puts the old cell back: leaving asks nothing and the file
  // stays as it was. A real edit, before or after, is still a change to save.
  const std::string file = NomeDaFile(Materiali[1][0].Nome);
  struct Rifiuto {
    int16_t colonna;
    const char* testo;
    std::string messaggio;
  };
  for (const Rifiuto& k : {Rifiuto{2, "4", MsgEsternoNonCompatibile},
                           Rifiuto{2, "abc", "\"abc\" non e' un numero valido per il diametro esterno"},
                           Rifiuto{1, "#1", MsgTestoNonArchiviabile(MsgCampoRifDiametro, "#1")}}) {
    SCOPED_TRACE(k.testo);
    editor.CaricaSerie(1);
    const std::string cella = Cella(1, k.colonna);
    utente.Attendi(k.messaggio);
    EXPECT_FALSE(editor.Commit(1, k.colonna, k.testo).accettato);
    EXPECT_EQ(Cella(1, k.colonna), cella);
    EXPECT_FALSE(editor.SerieModificata);
    const size_t domande = utente.messaggi.size();
    EXPECT_TRUE(editor.Esci());  // no question
    EXPECT_EQ(utente.messaggi.size(), domande);
    EXPECT_EQ(NomeDaFile(Materiali[1][0].Nome), file);

    // After a real edit the refusal does not hide it.
    editor.CaricaSerie(1);
    ASSERT_TRUE(editor.Commit(1, 3, "2").accettato);  // with it, an outer diameter of 4 leaves no bore
    ASSERT_TRUE(editor.SerieModificata);
    utente.Attendi(k.messaggio);
    editor.Commit(1, k.colonna, k.testo);
    EXPECT_TRUE(editor.SerieModificata);
    utente.Attendi(MsgSalvareSerie, Risposta::No);
    EXPECT_TRUE(editor.Esci());
    EXPECT_EQ(NomeDaFile(Materiali[1][0].Nome), file);
  }
  // A thickness refused keeps the row's thickness, cell and all: no change, nothing to ask.
  editor.CaricaSerie(1);
  const float spessore = editor.CopiaSerie[1].Spessore;
  const std::string cella = Cella(1, 3);
  utente.Attendi(MsgSpessoreNonCompatibile);
  const EsitoCommit e = editor.Commit(1, 3, "99");
  EXPECT_EQ(e.colonna, 3);
  EXPECT_FLOAT_EQ(editor.CopiaSerie[1].Spessore, spessore);
  EXPECT_EQ(Cella(1, 3), cella);
  EXPECT_FALSE(editor.SerieModificata);
}

TEST_F(EditorMaterialiTest, UnaRigaConEtichettaESenzaDiametroInternoNonVieneSalvata) {
  const std::string file = NomeDaFile(Materiali[1][0].Nome);
  const TSerieMateriale archivio = Materiali[1];
  const int16_t n = editor.CopiaSerie[0].NumDiametri;
  ASSERT_LT(n, RigheSerie);
  // A label typed in a new row, its diameters not (yet) typed.
  editor.Commit(static_cast<int16_t>(n + 1), 1, "DN 99");
  utente.Attendi("il diametro DN 99 (riga " + std::to_string(n + 1) + ") non ha un diametro interno maggiore di 0");
  EXPECT_FALSE(editor.SalvaSerie());
  EXPECT_EQ(NomeDaFile(Materiali[1][0].Nome), file);
  EXPECT_EQ(Materiali[1][0].NumDiametri, archivio[0].NumDiametri);
  EXPECT_TRUE(editor.SerieModificata);
  // Leaving asks, and a refused save keeps the window open with the row.
  utente.Attendi(MsgSalvareSerie, Risposta::Si);
  utente.Attendi("DN 99");
  EXPECT_FALSE(editor.Esci());
  // Typing the diameters makes it savable.
  editor.Commit(static_cast<int16_t>(n + 1), 2, "20");
  EXPECT_TRUE(editor.SalvaSerie());
  EXPECT_EQ(Materiali[1][0].NumDiametri, n + 1);
}

TEST_F(EditorMaterialiTest, EtichetteEDescrizioniCheIlFileNonRestituirebbeSonoRifiutate) {
  const std::string file = NomeDaFile(Materiali[1][0].Nome);
  const std::string etichetta = editor.CopiaSerie[1].RifDiametro;
  for (const char* testo : {"#1", "A\tB", "A\nB", "A\r\nB", "A\r", "1,5", "DN \u03A9", "\xE2\x86\x92"}) {
    SCOPED_TRACE(testo);
    editor.CaricaSerie(1);
    // Typed as a label: refused at once, the cell keeps its label.
    utente.Attendi(MsgTestoNonArchiviabile(MsgCampoRifDiametro, testo));
    const EsitoCommit e = editor.Commit(1, 1, testo);
    EXPECT_FALSE(e.accettato);
    EXPECT_EQ(editor.CopiaSerie[1].RifDiametro, etichetta);
    EXPECT_EQ(Cella(1, 1), etichetta);
    // As a description (typed freely in its box): the save is refused and nothing is written.
    editor.CaricaSerie(1);
    editor.ImpostaDescrizione(testo);
    utente.Attendi(MsgTestoNonArchiviabile(MsgCampoDescrizioneSerie, testo));
    EXPECT_FALSE(editor.SalvaSerie());
    EXPECT_TRUE(editor.SerieModificata);
    EXPECT_EQ(NomeDaFile(Materiali[1][0].Nome), file);
    // A label that got into the working copy any other way is refused by the save as well.
    editor.CaricaSerie(1);
    editor.CopiaSerie[1].RifDiametro = testo;
    editor.SerieModificata = true;
    utente.Attendi(MsgTestoNonArchiviabile(MsgCampoRifDiametro, testo));
    EXPECT_FALSE(editor.SalvaSerie());
    EXPECT_EQ(NomeDaFile(Materiali[1][0].Nome), file);
  }
  // A "#" further in, after a blank, reads back as typed.
  editor.CaricaSerie(1);
  editor.ImpostaDescrizione(" #serie");
  editor.Commit(1, 1, " #1");
  ASSERT_TRUE(editor.SalvaSerie());
  const std::string nome = Materiali[1][0].Nome;
  CaricaMateriali();
  std::string n = nome;
  const int16_t i = CercaMateriale(n);
  EXPECT_EQ(Materiali[static_cast<size_t>(i)][0].Descrizione, " #serie");
  EXPECT_EQ(Materiali[static_cast<size_t>(i)][1].RifDiametro, " #1");
}

TEST_F(EditorMaterialiTest, LaSerieCresceOltreLeSueRigheEIlCursoreSegue) {
  // A series of 3 diameters.
  const int16_t n = 3;
  for (size_t r = n + 1; r <= MaxDiametri; ++r) editor.CopiaSerie[r] = {};
  editor.CopiaSerie[0].NumDiametri = n;
  editor.RigheMostrate = n;
  editor.MostraSerie();
  EsitoCommit e = editor.Commit(7, 1, "X");
  EXPECT_EQ(editor.CopiaSerie[0].NumDiametri, 7);
  EXPECT_EQ(editor.RigheMostrate, 7);
  EXPECT_EQ(Cella(n + 1, 1), "");
  EXPECT_EQ(Cella(n + 1, 2), "0,00");
  EXPECT_EQ(e.primaVisibile, 3);
  editor.Commit(6, 2, "40");
  e = editor.Commit(6, 3, "2");
  EXPECT_EQ(e.riga, 7);
  EXPECT_EQ(e.colonna, 1);
  EXPECT_EQ(e.primaVisibile, 3);
  e = editor.Commit(3, 3, "0");
  EXPECT_EQ(e.riga, 4);
  EXPECT_EQ(e.primaVisibile, 1);
  editor.Commit(49, 2, "60");
  e = editor.Commit(49, 3, "3");
  EXPECT_EQ(e.riga, 49);
  EXPECT_EQ(e.colonna, 1);
  EXPECT_EQ(e.primaVisibile, 45);
  EXPECT_EQ(editor.CopiaSerie[0].NumDiametri, 49);
}

TEST_F(EditorMaterialiTest, UnaSerieDiCinquantaDiametriTieneLaCinquantesimaRiga) {
  TSerieMateriale& s = Materiali[1];
  s[0].NumDiametri = 50;
  for (size_t r = 1; r <= 50; ++r) {
    s[r].RifDiametro = "D" + std::to_string(r);
    s[r].DiamEsterno = 20;
    s[r].Spessore = 2;
    s[r].DiamInterno = 16;
  }
  editor.CaricaSerie(1);
  EXPECT_EQ(editor.RigheMostrate, 50);
  editor.Commit(1, 2, "30");
  EXPECT_EQ(editor.CopiaSerie[50].RifDiametro, "D50");
  EXPECT_FLOAT_EQ(editor.CopiaSerie[50].DiamEsterno, 20.0f);
  EXPECT_FLOAT_EQ(editor.CopiaSerie[50].DiamInterno, 16.0f);
  EXPECT_EQ(editor.CopiaSerie[0].NumDiametri, 50);
  ASSERT_TRUE(editor.SalvaSerie());
  EXPECT_NE(NomeDaFile(s[0].Nome).find("D50\t"), std::string::npos);
}

TEST_F(EditorMaterialiTest, LaCasellaDellaDensitaTieneIDecimaliDigitati) {
  SerieVuota();
  editor.Commit(1, 2, "32");
  editor.Commit(1, 3, "2,9");
  editor.SerieModificata = false;
  editor.ImpostaDensita("950,5");
  EXPECT_FLOAT_EQ(editor.CopiaSerie[0].PesoSpecifico, 950.5f);
  EXPECT_TRUE(editor.SerieModificata);
  EXPECT_EQ(editor.TestoDensita(), " 950,5");
  editor.ImpostaDensita("950.5");
  EXPECT_FLOAT_EQ(editor.CopiaSerie[0].PesoSpecifico, 950.5f);
  EXPECT_EQ(Cella(1, 5), "0,25");
  // Leaving the box unchanged keeps the decimals, and is a change too.
  editor.SerieModificata = false;
  editor.ImpostaDensita(editor.TestoDensita());
  EXPECT_FLOAT_EQ(editor.CopiaSerie[0].PesoSpecifico, 950.5f);
  EXPECT_TRUE(editor.SerieModificata);
  // A typo is refused naming the box, and nothing changes.
  editor.SerieModificata = false;
  utente.Attendi("\"950,5,1\" non e' un numero valido per la densita'.");
  EXPECT_FALSE(editor.ImpostaDensita("950,5,1"));
  EXPECT_FLOAT_EQ(editor.CopiaSerie[0].PesoSpecifico, 950.5f);
  EXPECT_FALSE(editor.SerieModificata);
  // A density beyond a single's range is never saved.
  const std::string file = NomeDaFile(Materiali[1][0].Nome);
  editor.CaricaSerie(1);
  editor.ImpostaDensita(std::string(45, '9'));
  utente.Attendi(MsgDensitaNonValida);
  EXPECT_FALSE(editor.SalvaSerie());
  EXPECT_EQ(NomeDaFile(Materiali[1][0].Nome), file);
  // Saved and loaded again, the decimals are still there.
  editor.CaricaSerie(1);
  editor.ImpostaDensita("7850,25");
  const std::string nome = editor.CopiaSerie[0].Nome;
  ASSERT_TRUE(editor.SalvaSerie());
  CaricaMateriali();
  std::string n = nome;
  EXPECT_FLOAT_EQ(Materiali[static_cast<size_t>(CercaMateriale(n))][0].PesoSpecifico, 7850.25f);
}

TEST_F(EditorMaterialiTest, LeRigheNonToccateTengonoIValoriArchiviati) {
  // Figures finer than the grid's two decimals, as a hand-made or older file may hold.
  TSerieMateriale& s = Materiali[1];
  s[1].Spessore = 2.345f;
  s[1].DiamInterno = 26.645f;
  CalcolaDatiMateriali();
  const TMateriale prima = s[1];
  editor.CaricaSerie(1);
  // Another row edited, and the density box left: the first row keeps its figures.
  editor.Commit(2, 3, editor.Griglia[2][3]);
  editor.ImpostaDensita(editor.TestoDensita());
  EXPECT_EQ(editor.CopiaSerie[1].Spessore, prima.Spessore);
  EXPECT_EQ(editor.CopiaSerie[1].DiamInterno, prima.DiamInterno);
  EXPECT_EQ(editor.CopiaSerie[1].DiamEsterno, prima.DiamEsterno);
  ASSERT_TRUE(editor.SalvaSerie());
  EXPECT_EQ(s[1].DiamInterno, 26.645f);
  // An edited cell takes what was typed.
  editor.CaricaSerie(1);
  editor.Commit(1, 3, "2,5");
  EXPECT_FLOAT_EQ(editor.CopiaSerie[1].Spessore, 2.5f);
  EXPECT_FLOAT_EQ(editor.CopiaSerie[1].DiamInterno, prima.DiamEsterno - 5.0f);
}

TEST_F(EditorMaterialiTest, RegoleDelNomeDiUnaNuovaSerie) {
  const std::string esistente = Materiali[2][0].Nome;
  struct Caso {
    std::string risposta;
    std::vector<std::pair<std::string, Risposta>> messaggi;
    bool creata;
    std::string nome;
  };
  const std::vector<Caso> casi = {
      {"  acciaio2 ", {}, true, "ACCIAIO2"},
      {"", {}, false, ""},
      {"   ", {}, false, ""},
      {"tubo-1", {{MsgNomeSerieNonValido, Risposta::OK}}, false, ""},
      {"abcdefghijk", {{MsgNomeLungo, Risposta::No}}, false, ""},
      {"abcdefghijk", {{MsgNomeLungo, Risposta::Si}}, true, "ABCDEFGH"},
      {LCase(esistente), {{MsgSerieEsistente, Risposta::OK}}, false, ""},
      {esistente + "XYZWQ", {{MsgNomeLungo, Risposta::Si}, {MsgSerieEsistente, Risposta::OK}}, false, ""},
  };
  for (const Caso& k : casi) {
    SCOPED_TRACE(k.risposta);
    EditorMateriali e;
    e.CaricaListaSerie();
    for (const auto& [testo, r] : k.messaggi) utente.Attendi(testo, r);
    EXPECT_EQ(e.Nuovo([&] { return k.risposta; }), k.creata);
    EXPECT_EQ(e.SerieNuova, k.creata);
    if (k.creata) {
      EXPECT_EQ(e.CopiaSerie[0].Nome, k.nome);
      EXPECT_EQ(e.CopiaSerie[0].TipoFormula, 1);
      EXPECT_EQ(e.IndiceSerie, 0);
      EXPECT_EQ(e.RigheMostrate, 0);
      EXPECT_EQ(e.TestoDensita(), " 0");
    } else {
      EXPECT_EQ(e.IndiceSerie, EditorMateriali::IndiceDefault());
    }
  }
  ASSERT_LE(esistente.size(), 8u);  // the shortened name of the last case is the existing one
}

TEST_F(EditorMaterialiTest, NuovoSalvaPrimaLaSerieMostrata) {
  const std::string nome = editor.CopiaSerie[0].Nome;
  editor.ImpostaDescrizione("Scritta prima del nuovo");
  EXPECT_FALSE(editor.Nuovo([] { return std::string(); }));  // no name: only the save
  EXPECT_NE(NomeDaFile(nome).find("Scritta prima del nuovo"), std::string::npos);
  EXPECT_EQ(Materiali[1][0].Descrizione, "Scritta prima del nuovo");
}

TEST_F(EditorMaterialiTest, NuovoNonRiscriveUnaSerieCheNessunoHaModificato) {
  // A series written by hand: comment lines, a row refused at load, a row left out by its inner
  // diameter of -1. Rewritten, all three would be gone.
  const std::string testo =
      "# serie scritta a mano\r\n 1\r\n 7850\r\nSerie a mano\r\n# nota\r\nA\t 2 \t 20 \t\r\n"
      "B\t-1 \t 30 \t\r\nC\t 2 \t-1\r\nD\t 2 \t 40 \t\r\n";
  cartella.Write("ZMANO.mat", testo);
  utente.Attendi("ZMANO.mat (1 riga):\r\nriga 7: spessore");
  CaricaMateriali();
  std::string nome = "ZMANO";
  const int16_t k = CercaMateriale(nome);
  ASSERT_GT(k, 0);
  editor.CaricaSerie(k);
  EXPECT_TRUE(editor.SalvaSerie());  // "Salva" with nothing changed
  EXPECT_EQ(cartella.Read("ZMANO.mat"), testo);
  EXPECT_FALSE(editor.Nuovo([] { return std::string(); }));
  EXPECT_EQ(cartella.Read("ZMANO.mat"), testo);
  ASSERT_TRUE(editor.Nuovo([] { return std::string("ALTRA"); }));
  EXPECT_EQ(cartella.Read("ZMANO.mat"), testo);
  // Nor is a series just deleted written again.
  EditorMateriali altro;
  altro.CaricaSerie(k);
  utente.Attendi(MsgConfermaCancellazione, Risposta::Si);
  utente.Attendi(MsgSerieCancellata);
  altro.Cancella();
  EXPECT_FALSE(altro.Nuovo([] { return std::string(); }));
  EXPECT_FALSE(EsisteFile(FileProgramma("ZMANO.mat")));
}

TEST_F(EditorMaterialiTest, UnaNuovaSerieSalvataEntraInArchivio) {
  const int16_t prima = NumMateriali;
  ASSERT_TRUE(editor.Nuovo([] { return std::string("nuova1"); }));
  editor.ImpostaDescrizione("Serie di prova");
  editor.ImpostaDensita("7850");
  editor.Commit(1, 1, "DN10");
  editor.Commit(1, 2, "17,2");
  editor.Commit(1, 3, "2");
  ASSERT_TRUE(editor.SalvaSerie());
  EXPECT_EQ(NumMateriali, prima + 1);
  const TSerieMateriale& s = Materiali[static_cast<size_t>(NumMateriali)];
  EXPECT_EQ(s[0].Nome, "NUOVA1");
  EXPECT_EQ(s[0].NumDiametri, 1);
  EXPECT_EQ(s[1].RifDiametro, "DN10");
  EXPECT_FLOAT_EQ(s[1].DiamInterno, 13.2f);
  EXPECT_FALSE(editor.SerieNuova);
  EXPECT_FALSE(editor.SerieModificata);
  EXPECT_EQ(editor.IndiceSerie, EditorMateriali::IndiceDefault());
  const std::string file = NomeDaFile("NUOVA1");
  EXPECT_NE(file.find("Serie di prova"), std::string::npos);
  EXPECT_NE(file.find("DN10\t"), std::string::npos);
}

TEST_F(EditorMaterialiTest, ScrittureFalliteNonPassanoPerSalvataggi) {
  // A new series: out of the archive again, still pending in the editor.
  const int16_t prima = NumMateriali;
  ASSERT_TRUE(editor.Nuovo([] { return std::string("NONSCRI"); }));
  editor.Commit(1, 1, "A");
  editor.Commit(1, 2, "20");
  utente.Attendi("");
  {
    ScritturaBloccata bloccata;
    EXPECT_FALSE(editor.SalvaSerie());
  }
  EXPECT_EQ(utente.messaggi.back().icona, Icona::Critico);
  EXPECT_EQ(NumMateriali, prima);
  EXPECT_TRUE(Materiali[static_cast<size_t>(prima + 1)][0].Nome.empty());
  EXPECT_TRUE(editor.SerieNuova);
  EXPECT_EQ(editor.CopiaSerie[1].RifDiametro, "A");
  // On leaving, a failed save keeps the window open.
  utente.Attendi(MsgSalvareSerie, Risposta::Si);
  utente.Attendi("");
  {
    ScritturaBloccata bloccata;
    EXPECT_FALSE(editor.Esci());
  }
  utente.Attendi(MsgSalvareSerie, Risposta::No);
  EXPECT_TRUE(editor.Esci());
  // An existing series: the archive as the file holds it, the series still modified.
  editor.CaricaSerie(2);
  const std::string file = NomeDaFile(Materiali[2][0].Nome);
  const std::string descrizione = Materiali[2][0].Descrizione;
  editor.ImpostaDescrizione("Non scritta");
  utente.Attendi("");
  {
    ScritturaBloccata bloccata;
    EXPECT_FALSE(editor.SalvaSerie());
  }
  EXPECT_TRUE(editor.SerieModificata);
  EXPECT_EQ(editor.IndiceSerie, 2);
  EXPECT_EQ(editor.CopiaSerie[0].Descrizione, "Non scritta");
  EXPECT_EQ(Materiali[2][0].Descrizione, descrizione);
  EXPECT_EQ(NomeDaFile(Materiali[2][0].Nome), file);
  // Switching: the pick does not happen.
  utente.Attendi(MsgSalvareSerie, Risposta::Si);
  utente.Attendi("");
  {
    ScritturaBloccata bloccata;
    EXPECT_FALSE(editor.CambiaSerie(3));
  }
  EXPECT_EQ(editor.IndiceSerie, 2);
}

TEST_F(EditorMaterialiTest, UnaCinquantunesimaSerieERifiutata) {
  for (int16_t k = static_cast<int16_t>(NumMateriali + 1); k <= MaxMateriali; ++k) {
    Materiali[static_cast<size_t>(k)][0].Nome = "S" + std::to_string(k);
    NumMateriali = k;
  }
  utente.Attendi(MsgTroppeSerie);
  EXPECT_FALSE(editor.Nuovo([] { return std::string("ALTRA"); }));
  EXPECT_FALSE(editor.SerieNuova);
  // A new series already pending when the archive filled up is refused on saving.
  editor.SerieNuova = true;
  editor.IndiceSerie = 0;
  editor.CopiaSerie[0].Nome = "ALTRA";
  utente.Attendi(MsgTroppeSerie);
  EXPECT_FALSE(editor.SalvaSerie());
  EXPECT_EQ(NumMateriali, MaxMateriali);
  EXPECT_TRUE(editor.SerieNuova);
  EXPECT_FALSE(EsisteFile(FileProgramma("ALTRA.mat")));
}

TEST_F(EditorMaterialiTest, CancellaToglieSoloIlFile) {
  editor.CaricaSerie(2);
  const std::string nome = editor.CopiaSerie[0].Nome;
  const std::string percorso = FileProgramma(nome + ".mat");
  ASSERT_TRUE(EsisteFile(percorso));
  utente.Attendi(MsgConfermaCancellazione, Risposta::No);
  editor.Cancella();
  EXPECT_EQ(utente.messaggi.back().bottoni, Bottoni::SiNo);
  EXPECT_TRUE(EsisteFile(percorso));
  editor.ImpostaTipoFormula(3);
  utente.Attendi(MsgConfermaCancellazione, Risposta::Si);
  utente.Attendi(MsgSerieCancellata);
  editor.Cancella();
  EXPECT_FALSE(EsisteFile(percorso));
  EXPECT_EQ(Materiali[2][0].Nome, nome);
  EXPECT_EQ(editor.IndiceSerie, 2);
  EXPECT_TRUE(editor.SerieModificata);
  utente.Attendi(MsgConfermaCancellazione, Risposta::Si);
  utente.Attendi(MsgFileGiaEliminato);
  editor.Cancella();
  // A new series not yet saved: nothing is asked.
  ASSERT_TRUE(editor.Nuovo([] { return std::string("NUOVA"); }));
  editor.Cancella();
}

// "Cancella" where the user may not delete (a read-only folder): the message says why, and the
// file stays as it was, its mode too.
TEST_F(EditorMaterialiTest, CancellaInUnaCartellaSoloLetturaDiceIlMotivoENonCambiaNiente) {
  namespace fs = std::filesystem;
  editor.CaricaSerie(2);
  const std::string percorso = FileProgramma(editor.CopiaSerie[0].Nome + ".mat");
  const std::string prima = LeggiByte(percorso);
  ASSERT_EQ(::chown(percorso.c_str(), UidUtenteComune(), GidUtenteComune()), 0);
  fs::permissions(percorso, fs::perms(0444));
  fs::permissions(CartellaProgramma(), fs::perms(0555));
  const auto esito = ComeUtenteComune([&] {
    utente.Attendi(MsgConfermaCancellazione, Risposta::Si);
    utente.PermettiTutti();
    editor.Cancella();
    return utente.messaggi.empty() ? std::string() : utente.messaggi.back().testo;
  });
  fs::permissions(CartellaProgramma(), fs::perms(0755));
  ASSERT_TRUE(esito.has_value());
  EXPECT_EQ(*esito, "Impossibile cancellare il file " + percorso + ": " + MotivoErrore(EACCES));
  EXPECT_EQ(LeggiByte(percorso), prima);
  EXPECT_EQ(fs::status(percorso).permissions(), fs::perms(0444));
}

TEST_F(EditorMaterialiTest, LeDomandePrimaDiUscireODiCambiareSerie) {
  EXPECT_TRUE(editor.Esci());  // nothing changed: no question
  for (Risposta r : {Risposta::Annulla, Risposta::No, Risposta::Si}) {
    SCOPED_TRACE(static_cast<int>(r));
    editor.CaricaSerie(1);
    editor.ImpostaDescrizione("Cambiata");
    utente.Attendi(MsgSalvareSerie, r);
    EXPECT_EQ(editor.Esci(), r != Risposta::Annulla);
    EXPECT_EQ(utente.messaggi.back().bottoni, Bottoni::SiNoAnnulla);
    EXPECT_EQ(Materiali[1][0].Descrizione == "Cambiata", r == Risposta::Si);
    Materiali[1][0].Descrizione = "prima";
  }
  for (Risposta r : {Risposta::Annulla, Risposta::No, Risposta::Si}) {
    SCOPED_TRACE(static_cast<int>(r));
    editor.CaricaSerie(1);
    editor.ImpostaTipoFormula(2);
    utente.Attendi(MsgSalvareSerie, r);
    EXPECT_EQ(editor.CambiaSerie(3), r != Risposta::Annulla);
    EXPECT_EQ(editor.IndiceSerie, r == Risposta::Annulla ? 1 : 3);
    EXPECT_EQ(editor.SerieModificata, r == Risposta::Annulla);
  }
  // A new series asks even without other changes; No drops it unwritten.
  ASSERT_TRUE(editor.Nuovo([] { return std::string("SCARTATA"); }));
  utente.Attendi(MsgSalvareSerie, Risposta::No);
  EXPECT_TRUE(editor.Esci());
  EXPECT_FALSE(EsisteFile(FileProgramma("SCARTATA.mat")));
}

}  // namespace
}  // namespace varnex::test
