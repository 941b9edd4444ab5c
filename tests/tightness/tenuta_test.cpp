#include "model/tenuta.h"

#include <cerrno>
#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model/files.h"
#include "model/helpers.h"
#include "model/rete.h"
#include "model/strings.h"
#include "model/textfile.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"

namespace varnex {
namespace {

using test::FakeInterazione;
using test::TempFolder;
using ::testing::ElementsAreArray;

std::vector<std::string> Righe(const std::string& testo) {
  auto righe = Split(testo, "\r\n");
  if (!righe.empty() && righe.back().empty()) righe.pop_back();
  return righe;
}

TTenutaImpianto RecordCompleto() {
  TTenutaImpianto t;
  int k = 0;
  for (const CampoTenuta& c : CampiTenuta()) {
    ++k;
    if (c.testo)
      t.*c.testo = "valore " + std::to_string(k);
    else
      t.*c.intero = static_cast<int16_t>(k % 4);
  }
  t.RagSociale = "Rossi, Bianchi & C.";    // a comma in a name stays a comma
  t.ProprietarioNumero = "#4";             // would be a comment line if read as a data line
  t.ProprietarioScala = "";                // an empty value is a blank line
  t.CapacitaImpianto = "2,0";              // the page keeps the decimal comma
  t.Cause = "1;;;;5;;";
  t.ProprietarioPresente = "Sig.ra Verdi";
  t.AppCottura = -2;
  t.Note = "Riga unica; con \xc3\xa8 accentata";
  return t;
}

class TenutaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TenutaImpianto = TTenutaImpianto{};
    OrientamentoSorgente = 0;
    cartella.UsaComeCartellaProgramma();
  }
  void TearDown() override {
    ImpostaPaginaTenuta(nullptr);
    TenutaImpianto = TTenutaImpianto{};
  }
  TempFolder cartella;
  FakeInterazione utente;
};

TEST_F(TenutaTest, CampiInOrdineDiFile) {
  const auto& campi = CampiTenuta();
  ASSERT_EQ(campi.size(), 52u);
  int testi = 0, interi = 0;
  for (const auto& c : campi) (c.testo ? testi : interi)++;
  EXPECT_EQ(testi, 42);
  EXPECT_EQ(interi, 10);
  EXPECT_STREQ(campi[0].nome, "RagSociale");
  EXPECT_STREQ(campi[17].nome, "FamigliaGas");
  EXPECT_STREQ(campi[23].nome, "Cause");
  EXPECT_STREQ(campi[32].nome, "Metodo");
  EXPECT_STREQ(campi[49].nome, "DisposIntercett");
  EXPECT_STREQ(campi[50].nome, "Risultato");
  EXPECT_STREQ(campi[51].nome, "Note");
}

TEST_F(TenutaTest, RecordVuotoScriveQuarantaduevuoteEDieciZeri) {
  OrientamentoSorgente = 2;
  TextWriter w(cartella.File("x.RTG"));
  TenutaImpiantoSave(w, "1");
  auto righe = Righe(w.Text());
  ASSERT_EQ(righe.size(), 58u);
  EXPECT_EQ(righe[0], "!VERIFICATENUTA1137-1");
  for (size_t i = 0; i < 52; ++i) {
    if (CampiTenuta()[i].testo)
      EXPECT_EQ(righe[i + 1], "") << i;
    else
      EXPECT_EQ(righe[i + 1], " 0 ") << i;
  }
  EXPECT_EQ(righe[53], " 2 ");
  EXPECT_EQ(righe[54], "");
  EXPECT_EQ(righe[55], "~VERIFICATENUTA1137-1");
  EXPECT_EQ(righe[56], "#");
  EXPECT_EQ(righe[57], "#");

  TenutaImpianto.Note = "da cancellare";
  auto r = TextReader::FromText(w.Text());
  EXPECT_TRUE(TenutaImpiantoLoad(r, "1"));
  EXPECT_EQ(TenutaImpianto, TTenutaImpianto{});
}

TEST_F(TenutaTest, RecordCompletoTornaCampoPerCampo) {
  const TTenutaImpianto atteso = RecordCompleto();
  TenutaImpianto = atteso;
  OrientamentoSorgente = 3;
  TextWriter w(cartella.File("x.RTG"));
  w.PrintLine("]");
  TenutaImpiantoSave(w);
  w.PrintLine("!PARAMETERS-DOCUMENTPATH");
  auto righe = Righe(w.Text());
  EXPECT_EQ(righe[1 + 27], " 3 ");   // AppRisc, field 27 (after "]" and the marker)
  EXPECT_EQ(righe[1 + 30], "-2 ");   // AppCottura, field 30

  TenutaImpianto = TTenutaImpianto{};
  OrientamentoSorgente = 1;
  auto r = TextReader::FromText(w.Text());
  r.LineInput();  // "]"
  ASSERT_TRUE(TenutaImpiantoLoad(r));
  for (size_t i = 0; i < 52; ++i) {
    const auto& c = CampiTenuta()[i];
    if (c.testo)
      EXPECT_EQ(TenutaImpianto.*c.testo, atteso.*c.testo) << c.nome;
    else
      EXPECT_EQ(TenutaImpianto.*c.intero, atteso.*c.intero) << c.nome;
  }
  // The orientation repeated in the section is not read back.
  EXPECT_EQ(OrientamentoSorgente, 1);
  // The reader stands after the 52 values: the project reader finds its next section.
  std::string riga;
  do riga = ReadDataLine(r);
  while (riga != "!PARAMETERS-DOCUMENTPATH" && !r.Eof());
  EXPECT_EQ(riga, "!PARAMETERS-DOCUMENTPATH");
}

TEST_F(TenutaTest, PressurisedNetworkSavesNoVerdict) {
  // A pressurised network has no tightness test: a verdict in the record is not written, and
  // everything else is.
  TenutaImpianto = RecordCompleto();
  TenutaImpianto.Risultato = 1;
  ReteInPressione = -1;
  TextWriter w(cartella.File("x.RTG"));
  TenutaImpiantoSave(w);
  ReteInPressione = 0;
  const auto righe = Righe(w.Text());
  EXPECT_EQ(righe[51], " 0 ");  // Risultato, field 51
  EXPECT_EQ(TenutaImpianto.Risultato, 1);
  auto r = TextReader::FromText(w.Text());
  TenutaImpianto = TTenutaImpianto{};
  ASSERT_TRUE(TenutaImpiantoLoad(r));
  TTenutaImpianto atteso = RecordCompleto();
  atteso.Risultato = 0;
  EXPECT_EQ(TenutaImpianto, atteso);
}

TEST_F(TenutaTest, AcapoNelTestoDiventaSpazio) {
  TenutaImpianto.Note = "prima riga\r\nseconda";
  TenutaImpianto.CausaAltro = "a\nb";
  TextWriter w(cartella.File("x.RTG"));
  TenutaImpiantoSave(w);
  EXPECT_EQ(Righe(w.Text()).size(), 58u);
  auto r = TextReader::FromText(w.Text());
  ASSERT_TRUE(TenutaImpiantoLoad(r));
  EXPECT_EQ(TenutaImpianto.Note, "prima riga  seconda");
  EXPECT_EQ(TenutaImpianto.CausaAltro, "a b");
}

TEST_F(TenutaTest, SezioneAssenteLasciaRecordELaPosizione) {
  TenutaImpianto.Note = "vuoto di ResetRete";
  const TTenutaImpianto prima = TenutaImpianto;
  for (std::string fine : {"!PARAMETERS-DOCUMENTPATH", "!END"}) {
    auto r = TextReader::FromText("]\r\n#\r\n" + fine + "\r\nC:\\Doc\r\n\r\n~PARAMETERS-DOCUMENTPATH\r\n!END\r\n");
    r.LineInput();
    EXPECT_FALSE(TenutaImpiantoLoad(r));
    EXPECT_EQ(TenutaImpianto, prima);
    EXPECT_EQ(ReadDataLine(r), fine);
  }
  auto r = TextReader::FromText("a\r\nb\r\n");
  EXPECT_FALSE(TenutaImpiantoLoad(r));
  EXPECT_EQ(r.LineNumber(), 0u);
}

TEST_F(TenutaTest, MarcatoreConSpazioNonValeEMarcatoreInFondoNemmeno) {
  auto r = TextReader::FromText("!VERIFICATENUTA1137-1 \r\nx\r\n");
  EXPECT_FALSE(TenutaImpiantoLoad(r));
  auto r2 = TextReader::FromText("#\r\n!VERIFICATENUTA1137-1\r\n");
  EXPECT_FALSE(TenutaImpiantoLoad(r2));
  EXPECT_EQ(TenutaImpianto, TTenutaImpianto{});
}

TEST_F(TenutaTest, SezioneTroncaDaCampiVuotiEInteriIllegibiliDannoZero) {
  std::string testo = "!VERIFICATENUTA1137-1\r\nDitta\r\nVia Roma 1\r\n";
  auto r = TextReader::FromText(testo);
  ASSERT_TRUE(TenutaImpiantoLoad(r));
  EXPECT_EQ(TenutaImpianto.RagSociale, "Ditta");
  EXPECT_EQ(TenutaImpianto.Indirizzo, "Via Roma 1");
  EXPECT_EQ(TenutaImpianto.Telefono, "");
  EXPECT_EQ(TenutaImpianto.Risultato, 0);

  // Integers: blanks ignored, a decimal comma accepted, text or overflow gives 0.
  struct Caso {
    std::string riga;
    int16_t valore;
  } casi[] = {{" 2 ", 2}, {"-1 ", -1}, {"abc", 0}, {"", 0}, {"99999", 0}, {" 2,6 ", 3}, {"3 pezzi", 3}};
  for (const auto& c : casi) {
    std::string s = "!VERIFICATENUTA1137-1\r\n";
    for (int i = 1; i <= 17; ++i) s += "\r\n";
    s += c.riga + "\r\n";  // FamigliaGas
    auto rr = TextReader::FromText(s);
    ASSERT_TRUE(TenutaImpiantoLoad(rr));
    EXPECT_EQ(TenutaImpianto.FamigliaGas, c.valore) << c.riga;
  }
}

class PaginaFinta : public IPaginaTenuta {
 public:
  void Refresh() override {
    ++refresh;
    TenutaImpianto.Note = "dalla pagina";
  }
  void Init() override { ++init; }
  int refresh = 0;
  int init = 0;
};

TEST_F(TenutaTest, IlSalvataggioRinfrescaPrimaLaPagina) {
  TextWriter w1(cartella.File("x.RTG"));
  TenutaImpiantoSave(w1);  // without a page: no refresh, no failure
  EXPECT_EQ(TenutaImpianto.Note, "");

  PaginaFinta pagina;
  ImpostaPaginaTenuta(&pagina);
  TextWriter w(cartella.File("x.RTG"));
  TenutaImpiantoSave(w);
  EXPECT_EQ(pagina.refresh, 1);
  EXPECT_EQ(Righe(w.Text())[52], "dalla pagina");
  TenutaImpiantoInit();
  EXPECT_EQ(pagina.init, 1);
}

TEST_F(TenutaTest, DefaultTecnicoScrittiELetti) {
  TenutaImpianto.RagSociale = "Termo, Idraulica Srl";
  TenutaImpianto.Indirizzo = "";
  TenutaImpianto.Telefono = "0123 456";
  TenutaImpianto.NomeTecnico = "Mario Rossi";
  ASSERT_TRUE(SalvaTenImpTecDef());
  EXPECT_EQ(cartella.Read("TENIMPTECDEF.CFG"), "4.0\r\nTermo, Idraulica Srl\r\n\r\n0123 456\r\nMario Rossi\r\n");
  ASSERT_TRUE(LeggiTenImpTecDef());
  EXPECT_EQ(DefRagSociale, "Termo, Idraulica Srl");
  EXPECT_EQ(DefIndirizzo, "");
  EXPECT_EQ(DefTelefono, "0123 456");
  EXPECT_EQ(DefNomeTecnico, "Mario Rossi");
}

TEST_F(TenutaTest, DefaultNonCancellatiDaUnaPaginaVuota) {
  cartella.Write("TENIMPTECDEF.CFG", "4.0\r\nDitta\r\nVia\r\nTel\r\nTecnico\r\n");
  TenutaImpianto = TTenutaImpianto{};
  TenutaImpianto.Note = "solo note";
  EXPECT_TRUE(SalvaTenImpTecDef());
  EXPECT_EQ(cartella.Read("TENIMPTECDEF.CFG"), "4.0\r\nDitta\r\nVia\r\nTel\r\nTecnico\r\n");
}

TEST_F(TenutaTest, DefaultNonScrivibiliDannoMessaggioEFalse) {
  std::filesystem::create_directory(cartella.File("TENIMPTECDEF.CFG"));
  TenutaImpianto.NomeTecnico = "Mario";
  utente.Attendi("TENIMPTECDEF.CFG");
  EXPECT_FALSE(SalvaTenImpTecDef());
  ASSERT_EQ(utente.messaggi.size(), 1u);
  // The reason, in Italian; and told once, not again at every save.
  EXPECT_NE(utente.messaggi[0].testo.find(MotivoErrore(EISDIR)), std::string::npos) << utente.messaggi[0].testo;
  TenutaImpianto.NomeTecnico = "Luigi";
  EXPECT_FALSE(SalvaTenImpTecDef());
  EXPECT_FALSE(SalvaTenImpTecDef());
  EXPECT_EQ(utente.messaggi.size(), 1u);
}

TEST_F(TenutaTest, DefaultMancantiVuotiSenzaScrivere) {
  DefRagSociale = "vecchio";
  ASSERT_TRUE(LeggiTenImpTecDef());
  // Reading never writes: a read-only folder would answer with a message at every new project.
  EXPECT_FALSE(std::filesystem::exists(cartella.File("TENIMPTECDEF.CFG")));
  EXPECT_TRUE(utente.messaggi.empty());
  EXPECT_EQ(DefRagSociale, "");
  EXPECT_EQ(DefNomeTecnico, "");

  cartella.Write("TENIMPTECDEF.CFG", "4.0\r\n");
  DefTelefono = "x";
  CaricaTenImpTecDef();
  EXPECT_EQ(DefTelefono, "");

  // Comment lines are skipped, blank lines are values.
  cartella.Write("TENIMPTECDEF.CFG", "# predefiniti\r\n4.0\r\nDitta\r\n\r\n#\r\nTel\r\nTecnico\r\n");
  CaricaTenImpTecDef();
  EXPECT_EQ(DefRagSociale, "Ditta");
  EXPECT_EQ(DefIndirizzo, "");
  EXPECT_EQ(DefTelefono, "Tel");
  EXPECT_EQ(DefNomeTecnico, "Tecnico");
}

TEST_F(TenutaTest, ParametriFamiglieGas) {
  cartella.Write("PARFAMGAS.CFG", "1000\t100\r\n2000,5\t200.25\tnota\r\n5000\t500\textra\tpiu'\r\n");
  ParFamGas = {};
  NumFamiglieGas = 0;
  ASSERT_TRUE(InitFamiglieGas());
  EXPECT_EQ(NumFamiglieGas, 3);
  EXPECT_FLOAT_EQ(ParFamGas[1].PressioneRif, 1000);
  EXPECT_FLOAT_EQ(ParFamGas[1].CaloMaxMinuto, 100);
  EXPECT_FLOAT_EQ(ParFamGas[2].PressioneRif, 2000.5f);
  EXPECT_FLOAT_EQ(ParFamGas[2].CaloMaxMinuto, 200.25f);
  EXPECT_FLOAT_EQ(ParFamGas[3].PressioneRif, 5000);
  EXPECT_FLOAT_EQ(ParFamGas[3].CaloMaxMinuto, 500);
  EXPECT_FLOAT_EQ(ParFamGas[0].PressioneRif, 0);
}

TEST_F(TenutaTest, ParametriFamiglieRigaCommentoConsumaUnaFamiglia) {
  cartella.Write("PARFAMGAS.CFG", "# famiglia I\r\n2000\t200\r\n5000\t500\r\n");
  utente.Attendi("famiglia I ");
  ASSERT_TRUE(InitFamiglieGas());
  EXPECT_FLOAT_EQ(ParFamGas[1].PressioneRif, 0);
  EXPECT_FLOAT_EQ(ParFamGas[2].PressioneRif, 2000);
  EXPECT_FLOAT_EQ(ParFamGas[3].CaloMaxMinuto, 500);
}

TEST_F(TenutaTest, ParametriFamiglieAZeroNominanoIlValoreCheManca) {
  // The warning says which of the two values of a family is 0, so the file can be mended.
  struct Caso {
    const char* riga2;
    const char* messaggio;
  } casi[] = {
      {"2200\t0", "Attenzione! Nel file PARFAMGAS.CFG la caduta massima in un minuto della famiglia II vale 0: "},
      {"0\t100", "Attenzione! Nel file PARFAMGAS.CFG la pressione di riferimento della famiglia II vale 0: "},
      {"0\t0", "Attenzione! Nel file PARFAMGAS.CFG la pressione di riferimento e la caduta massima in un minuto "
               "della famiglia II valgono 0: "},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.riga2);
    cartella.Write("PARFAMGAS.CFG", std::string("1000\t100\r\n") + c.riga2 + "\r\n3700\t40\r\n");
    const size_t prima = utente.messaggi.size();
    utente.Attendi(c.messaggio);
    ASSERT_TRUE(InitFamiglieGas());
    EXPECT_EQ(utente.messaggi.size(), prima + 1);
  }
}

TEST_F(TenutaTest, ParametriFamiglieMancantiOCortiFermanoLAvvio) {
  utente.Attendi("PARFAMGAS.CFG non e' presente");
  EXPECT_FALSE(InitFamiglieGas());
  cartella.Write("PARFAMGAS.CFG", "1000\t100\r\n2000\t200\r\n");
  utente.Attendi("PARFAMGAS.CFG e' incompleto");
  EXPECT_FALSE(InitFamiglieGas());
  EXPECT_EQ(utente.messaggi.size(), 2u);
}

TEST(TenutaCodifiche, CoppieDiOpzioni) {
  EXPECT_EQ(CodiceDaOpzioni(true, false), 1);
  EXPECT_EQ(CodiceDaOpzioni(true, true), 1);
  EXPECT_EQ(CodiceDaOpzioni(false, true), 2);
  EXPECT_EQ(CodiceDaOpzioni(false, false), 0);
  struct Caso {
    int16_t codice;
    bool primo, secondo;
  } casi[] = {{1, true, false}, {2, false, true}, {0, false, false}, {3, false, false}, {-1, false, false}};
  for (const auto& c : casi) {
    bool a = !c.primo, b = !c.secondo;
    OpzioniDaCodice(a, b, c.codice);
    EXPECT_EQ(a, c.primo) << c.codice;
    EXPECT_EQ(b, c.secondo) << c.codice;
  }
}

TEST(TenutaCodifiche, Cause) {
  EXPECT_EQ(CauseDaCaselle({-1, 0, 0, 0, 1, 0, 0}), "1;;;;5;;");
  EXPECT_EQ(CauseDaCaselle({0, 0, 0, 0, 0, 0, 0}), ";;;;;;");
  EXPECT_EQ(CauseDaCaselle({1, 1, 1, 1, 1, 1, 1}), "1;2;3;4;5;6;7");
  struct Caso {
    std::string testo;
    std::array<int16_t, 7> caselle;
  } casi[] = {
      {"1;;;;5;;", {-1, 0, 0, 0, -1, 0, 0}},
      {";;;;;;", {0, 0, 0, 0, 0, 0, 0}},
      {"", {0, 0, 0, 0, 0, 0, 0}},
      {"1;2;3", {0, 0, 0, 0, 0, 0, 0}},
      {"1;2;3;4;5;6;7;8", {0, 0, 0, 0, 0, 0, 0}},
      {";;;;;;x", {0, 0, 0, 0, 0, 0, -1}},
  };
  for (const auto& c : casi) {
    std::array<int16_t, 7> caselle{-1, -1, -1, -1, -1, -1, -1};
    CaselleDaCause(caselle, c.testo);
    EXPECT_THAT(caselle, ElementsAreArray(c.caselle)) << c.testo;
  }
}

}  // namespace
}  // namespace varnex

namespace varnex {
namespace {

TEST(TenutaDatiDistribuiti, ParametriFamiglieSenzaAvvisi) {
  test::TempFolder cartella;
  cartella.CopiaDatiDistribuiti();
  cartella.UsaComeCartellaProgramma();
  test::FakeInterazione utente;
  ParFamGas = {};
  ASSERT_TRUE(InitFamiglieGas());
  EXPECT_TRUE(utente.messaggi.empty());
  for (int i = 1; i <= 3; ++i) {
    EXPECT_GT(ParFamGas[i].PressioneRif, 0) << i;
    EXPECT_GT(ParFamGas[i].CaloMaxMinuto, 0) << i;
  }
}

}  // namespace
}  // namespace varnex
