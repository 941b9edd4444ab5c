#include "model/colonne.h"

#include <gtest/gtest.h>

#include "model/campi.h"
#include "model/files.h"
#include "model/strings.h"
#include "model/textfile.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"

namespace varnex {
namespace {

using test::FakeInterazione;
using test::TempFolder;

// Writes a definition file scrambled from readable lines (UTF-8).
std::string ScriviDefinizioni(const TempFolder& cartella, const std::vector<std::string>& righe,
                              std::string_view nome = "gridgas.cne") {
  std::string dati;
  for (const auto& r : righe) {
    auto codificata = CodificaRigaGriglia(Utf8ToCp1252(r));
    EXPECT_TRUE(codificata.has_value()) << r;
    dati += codificata.value_or("") + "\r\n";
  }
  return cartella.Write(nome, dati);
}

std::string Colonna(std::string titolo, std::string chiave, std::string formato = "0.00") {
  return titolo + "\t" + formato + "\t1\tm\t5\t" + chiave + "\tdescrizione";
}

class ColonneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ColonneGriglia = {};
    UltimaColonnaGriglia = {};
    cartella.UsaComeCartellaProgramma();
  }
  TempFolder cartella;
  FakeInterazione utente;
};

TEST(DecodificaRigaGriglia, Esempi) {
  EXPECT_EQ(DecodificaRigaGriglia("/"), "+");
  EXPECT_EQ(DecodificaRigaGriglia("D"), "@");
  EXPECT_EQ(DecodificaRigaGriglia("\xfe"), "\t");
  EXPECT_EQ(DecodificaRigaGriglia("x\xfe"), "t\t");
  // The shift runs 4, 5, 6, 7, 8, 9, 3 and starts again.
  std::string riga;
  for (int i = 1; i <= 9; ++i) riga += static_cast<char>('A' + (i % 7) + 3);
  EXPECT_EQ(DecodificaRigaGriglia(riga), "AAAAAAAAA");
  EXPECT_EQ(DecodificaRigaGriglia(""), "");
}

TEST(DecodificaRigaGriglia, OgniByteMemorizzabileTornaUguale) {
  for (int posizione = 1; posizione <= 7; ++posizione) {
    const int scarto = posizione % 7 + 3;
    for (int d = 0; d < 256; ++d) {
      std::string riga(static_cast<size_t>(posizione - 1), 'a');
      riga += static_cast<char>(d);
      auto codificata = CodificaRigaGriglia(riga);
      const int c = d + scarto;
      const bool memorizzabile = d == '\t' || (c <= 255 && c != 254 && c != '\r' && c != '\n');
      ASSERT_EQ(codificata.has_value(), memorizzabile) << "posizione " << posizione << " byte " << d;
      if (!memorizzabile) continue;
      EXPECT_TRUE(DecodificabileRigaGriglia(*codificata));
      EXPECT_EQ(DecodificaRigaGriglia(*codificata), riga) << "posizione " << posizione << " byte " << d;
    }
  }
}

TEST(DecodificaRigaGriglia, ByteSottoLoScartoNonDecodificabile) {
  EXPECT_FALSE(DecodificabileRigaGriglia("\x03"));  // 3 - 4 < 0 at position 1
  EXPECT_TRUE(DecodificabileRigaGriglia("\x04"));
  EXPECT_EQ(DecodificaRigaGriglia("\x03"), std::string(1, '\0'));
}

TEST(CodiceColonna, TabellaEChiaveIgnota) {
  FakeInterazione utente;
  struct Caso {
    const char* chiave;
    int16_t codice;
  } casi[] = {{"ID_NAME", 1},       {"ID_NUM", 2},       {"ID_PDC_PERCORSO", 14}, {"ID_MATERIALE", 19},
              {"ID_TIPORACCORDO", 25}, {"ID_EQ_LEN", 28}, {"ID_P_KW", 31},        {"ID_NOMETIPOUTENZA", 33},
              {"ID_DIAMETRO_INTERNO", 35}, {"ID_CONTEMP", 36}, {"ID_SPC10", 42}, {"ID_PFINALE", 43},
              {"ID_EQLENLOC", 44},  {"  id_len ", 5}};
  for (const auto& c : casi) EXPECT_EQ(CodiceColonna(c.chiave), c.codice) << c.chiave;
  utente.Attendi("Non trovato:ID_XYZ");
  EXPECT_EQ(CodiceColonna(" id_xyz"), 0);
  EXPECT_EQ(utente.messaggi.size(), 1u);
  EXPECT_EQ(utente.messaggi[0].testo, "Non trovato:ID_XYZ");
}

TEST_F(ColonneTest, LetturaCampiERegoleDelleChiavi) {
  ScriviDefinizioni(cartella, {
                                  "# commento",
                                  "",
                                  "Tronco\t0\t1\t.\t4\tIDRIGA\tnumero",
                                  ".\t##0,00\t0\t Pa \t6,6\tID_LEN\tdescrizione, con virgola",
                                  "Minuscola\t0\t2.5\tm\t3\tid_len\tx",
                                  "Altro\t0\t0\tm\t3\tXID_LEN\tx",
                                  "+",
                                  "+",
                                  "Pressione\t0.000\t1\tkPa\t7\tID_PFINALE\tp",
                                  "+",
                                  "@",
                                  "Dopo\t0\t0\tm\t3\tID_LEN\tmai letta",
                              });
  ColonneGriglia[0][2].IdCampo = 17;  // a code left by an earlier reading stays
  ColonneGriglia[0][3].IdCampo = 18;
  ASSERT_TRUE(CaricaDefinizioneGriglie());
  EXPECT_EQ(UltimaColonnaGriglia[0], 3);
  EXPECT_EQ(UltimaColonnaGriglia[1], -1);
  EXPECT_EQ(UltimaColonnaGriglia[2], 0);
  const auto& c0 = ColonneGriglia[0][0];
  EXPECT_EQ(c0.Titolo, "Tronco");
  EXPECT_EQ(c0.Unita, "");
  EXPECT_EQ(c0.IdCampo, 0);
  EXPECT_EQ(c0.SolaLettura, 1);
  const auto& c1 = ColonneGriglia[0][1];
  EXPECT_EQ(c1.Titolo, "");
  EXPECT_EQ(c1.Formato, "##0.00");     // a comma arrives as a point
  EXPECT_EQ(c1.Unita, " Pa ");         // kept as written
  EXPECT_EQ(c1.PesoColonna, 7);
  EXPECT_EQ(c1.IdCampo, campo::ID_LEN);
  EXPECT_EQ(c1.Descrizione, "descrizione. con virgola");
  EXPECT_EQ(ColonneGriglia[0][2].IdCampo, 17);  // lower-case key: not looked up
  EXPECT_EQ(ColonneGriglia[0][2].SolaLettura, 2);
  EXPECT_EQ(ColonneGriglia[0][3].IdCampo, 18);
  EXPECT_EQ(ColonneGriglia[2][0].IdCampo, campo::ID_PFINALE);
  EXPECT_EQ(ColonneGriglia[3][0].Titolo, "");
  EXPECT_EQ(utente.stati, (std::vector<std::string>{"Caricamento definizione tabella: 0",
                                                    "Caricamento definizione tabella: 1",
                                                    "Caricamento definizione tabella: 2"}));
}

TEST_F(ColonneTest, RifiutiOrdinati) {
  struct Caso {
    const char* nome;
    std::vector<std::string> righe;
    const char* messaggio;
  };
  std::vector<std::string> troppe;
  for (int i = 0; i < 12; ++i) troppe.push_back("+");
  std::vector<std::string> lunga;
  for (int i = 0; i < 51; ++i) lunga.push_back(Colonna("C" + std::to_string(i), "ID_LEN"));
  Caso casi[] = {
      {"layout", troppe, "piu' di 11 tabelle"},
      {"colonne", lunga, "piu' di 50 colonne"},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    ColonneGriglia = {};
    UltimaColonnaGriglia = {};
    ScriviDefinizioni(cartella, c.righe);
    utente.Attendi(c.messaggio);
    EXPECT_FALSE(CaricaDefinizioneGriglie());
  }
  // What was read before the bad line stays.
  ScriviDefinizioni(cartella, {Colonna("A", "ID_LEN"), "+", "+", "+", "+", "+", "+", "+", "+", "+", "+", "+", "+"});
  utente.Attendi("piu' di 11 tabelle");
  EXPECT_FALSE(CaricaDefinizioneGriglie());
  EXPECT_EQ(UltimaColonnaGriglia[0], 0);
  EXPECT_EQ(ColonneGriglia[0][0].Titolo, "A");

  // A byte whose unscrambled code would be negative.
  cartella.Write("gridgas.cne", std::string("\x01\x01\r\n"));
  utente.Attendi("caratteri non validi");
  EXPECT_FALSE(CaricaDefinizioneGriglie());

  std::remove(cartella.File("gridgas.cne").c_str());
  utente.Attendi("gridgas.cne non e' presente");
  EXPECT_FALSE(CaricaDefinizioneGriglie());
}

// A column line with six or eight fields is left out with one message that names the file and
// the line; the reading, and the program, go on with the rest of the file (here nothing ships
// to take its place).
TEST_F(ColonneTest, RigaConCampiErratiSaltataConUnSoloMessaggio) {
  ImpostaCartellaDistribuita(cartella.File("niente"));
  ScriviDefinizioni(cartella, {Colonna("A", "ID_LEN"), "Sei\t0\t1\tm\t5\tID_LEN", Colonna("B", "ID_NUM"), "+",
                               "Otto\t0\t1\tm\t5\tID_LEN\td\textra", Colonna("C", "ID_DIAMETRO"), "+", "@"});
  utente.Attendi("Numero campi nella tabella errato nel file " + cartella.File("gridgas.cne") +
                 ", riga 2 (6 campi invece di 7): la colonna non e' mostrata.");
  EXPECT_TRUE(CaricaDefinizioneGriglie());
  ImpostaCartellaDistribuita("");
  EXPECT_EQ(utente.messaggi.size(), 1u);
  EXPECT_EQ(UltimaColonnaGriglia[0], 1);
  EXPECT_EQ(ColonneGriglia[0][0].Titolo, "A");
  EXPECT_EQ(ColonneGriglia[0][1].Titolo, "B");
  EXPECT_EQ(UltimaColonnaGriglia[1], 0);
  EXPECT_EQ(ColonneGriglia[1][0].Titolo, "C");
}

// The user's copy damaged where the lengths are: the layouts that ship take its place, whole,
// and the message names the damaged file and line.
TEST_F(ColonneTest, UnaCopiaDanneggiataLasciaIlPostoAQuellaDistribuita) {
  ImpostaCartellaDistribuita(VARNEX_SOURCE_DATA_DIR);
  std::string righe;
  int numero = 0, danneggiata = 0;
  for (const std::string& r : Split(test::LeggiByte(std::string(VARNEX_SOURCE_DATA_DIR) + "/gridgas.cne"), "\r\n")) {
    ++numero;
    std::string riga = r;
    if (danneggiata == 0 && DecodificaRigaGriglia(r).rfind("Lunghezza\t", 0) == 0) {
      riga = CodificaRigaGriglia("Lunghezza\t##0.00\t0\tm\t6\tID_LEN").value();
      danneggiata = numero;
    }
    righe += riga + "\r\n";
  }
  ASSERT_GT(danneggiata, 0);
  cartella.Write("gridgas.cne", righe);
  utente.Attendi("Numero campi nella tabella errato nel file " + cartella.File("gridgas.cne") + ", riga " +
                 std::to_string(danneggiata) + " (6 campi invece di 7).\r\nSono in uso le tabelle distribuite");
  EXPECT_TRUE(CaricaDefinizioneGriglie());
  ImpostaCartellaDistribuita("");
  bool lunghezza = false;
  for (int16_t i = 0; i <= UltimaColonnaGriglia[0]; ++i) lunghezza |= ColonneGriglia[0][i].IdCampo == campo::ID_LEN;
  EXPECT_TRUE(lunghezza);
  const auto editor = ColonneGriglia[0];
  ASSERT_TRUE(CaricaDefinizioneGriglie(std::string(VARNEX_SOURCE_DATA_DIR) + "/gridgas.cne"));
  EXPECT_EQ(ColonneGriglia[0], editor);
}

TEST_F(ColonneTest, ChiaveIgnotaDaMessaggioECodiceZero) {
  ScriviDefinizioni(cartella, {Colonna("A", "ID_NONESISTE"), "+", "@"});
  utente.Attendi("Non trovato:ID_NONESISTE");
  EXPECT_TRUE(CaricaDefinizioneGriglie());
  EXPECT_EQ(ColonneGriglia[0][0].IdCampo, 0);
}

// ---- The shipped file -------------------------------------------------------------------------

class DefinizioniDistribuite : public ::testing::Test {
 protected:
  void SetUp() override {
    ColonneGriglia = {};
    UltimaColonnaGriglia = {};
    cartella.CopiaDatiDistribuiti();
    cartella.UsaComeCartellaProgramma();
    ASSERT_TRUE(CaricaDefinizioneGriglie());  // no message is expected
    ASSERT_TRUE(utente.messaggi.empty());
  }
  TempFolder cartella;
  FakeInterazione utente;
};

TEST_F(DefinizioniDistribuite, UndiciTabelleComplete) {
  EXPECT_EQ(utente.stati.size(), 11u);
  for (int a = 0; a < NumLayoutGriglia; ++a) {
    SCOPED_TRACE(a);
    ASSERT_GE(UltimaColonnaGriglia[a], 1);
    EXPECT_EQ(ColonneGriglia[a][0].IdCampo, 0);  // the row number / segment number column
    for (int j = 0; j <= UltimaColonnaGriglia[a]; ++j) {
      const auto& c = ColonneGriglia[a][j];
      EXPECT_GT(c.PesoColonna, 0) << j;
      EXPECT_FALSE(c.Titolo.empty()) << j;
      EXPECT_FALSE(c.Formato.empty()) << j;
      EXPECT_FALSE(c.Descrizione.empty()) << j;
      if (j > 0) {
        EXPECT_GT(c.IdCampo, 0) << j;
      }
      if (a <= 4) {
        EXPECT_NE(c.IdCampo, campo::ID_PFINALE) << "kPa and Pa would mix in an internal installation";
      }
    }
  }
}

TEST_F(DefinizioniDistribuite, VincoliDelleStampe) {
  for (int v : {1, 2, 3, 4, 6, 7, 8, 9, 10}) EXPECT_LE(UltimaColonnaGriglia[v], 20) << v;
  EXPECT_EQ(ColonneGriglia[3][7].IdCampo, campo::ID_PDC_TRONCO);
  EXPECT_EQ(ColonneGriglia[7][7].IdCampo, campo::ID_PDC_TRONCO);
  EXPECT_EQ(ColonneGriglia[4][4].IdCampo, campo::ID_P_UTENZE);
  EXPECT_EQ(ColonneGriglia[8][2].IdCampo, campo::ID_P_UTENZE);
  // View 9 shows the user fittings 5 to 10.
  int speciali = 0;
  for (int j = 0; j <= UltimaColonnaGriglia[9]; ++j)
    if (ColonneGriglia[9][j].IdCampo >= campo::ID_SPC5 && ColonneGriglia[9][j].IdCampo <= campo::ID_SPC10) ++speciali;
  EXPECT_EQ(speciali, 6);
}

TEST_F(DefinizioniDistribuite, TabelleDellEditor) {
  for (int a : {0, 5}) {
    SCOPED_TRACE(a);
    // Column 1 shows text for every segment: the editor tests it to know a row holds one.
    EXPECT_EQ(ColonneGriglia[a][1].IdCampo, campo::ID_PREV);
    bool diametro = false, materiale = false;
    for (int j = 1; j <= UltimaColonnaGriglia[a]; ++j) {
      const auto& c = ColonneGriglia[a][j];
      diametro |= c.IdCampo == campo::ID_DIAMETRO && c.SolaLettura == 0;
      materiale |= c.IdCampo == campo::ID_MATERIALE && c.SolaLettura == 0;
      bool calcolato = c.IdCampo == campo::ID_P_TRONCO || c.IdCampo == campo::ID_VELOCITA ||
                       c.IdCampo == campo::ID_PDC_TRONCO || c.IdCampo == campo::ID_PDC_PERCORSO ||
                       c.IdCampo == campo::ID_PFINALE || c.IdCampo == campo::ID_DIAMETRO_INTERNO;
      if (calcolato) {
        EXPECT_NE(c.SolaLettura, 0) << j;
      }
    }
    EXPECT_TRUE(diametro);
    EXPECT_TRUE(materiale);
  }
  // Pressures and drops of a pressurised network are in kPa, of an internal installation in Pa.
  for (int j = 1; j <= UltimaColonnaGriglia[0]; ++j) {
    if (ColonneGriglia[0][j].IdCampo == campo::ID_PDC_TRONCO) {
      EXPECT_NE(ColonneGriglia[0][j].Unita.find("Pa"), std::string::npos);
      EXPECT_EQ(ColonneGriglia[0][j].Unita.find("kPa"), std::string::npos);
    }
  }
  for (int j = 1; j <= UltimaColonnaGriglia[5]; ++j) {
    if (ColonneGriglia[5][j].IdCampo == campo::ID_PDC_TRONCO) {
      EXPECT_NE(ColonneGriglia[5][j].Unita.find("kPa"), std::string::npos);
    }
  }
}

TEST(DefinizioniSorgente, IlFileDistribuitoCorrispondeAllaSorgente) {
  const std::string sorgente = test::LeggiByte(std::string(VARNEX_SOURCE_DATA_DIR) + "/../tools/gridgas/gridgas.txt");
  const std::string distribuito = test::LeggiByte(std::string(VARNEX_SOURCE_DATA_DIR) + "/gridgas.cne");
  ASSERT_FALSE(sorgente.empty());
  ASSERT_FALSE(distribuito.empty());
  EXPECT_EQ(sorgente.find(','), std::string::npos) << "a comma is read back as a point";
  std::string atteso;
  auto righe = Split(sorgente, "\n");
  if (!righe.empty() && righe.back().empty()) righe.pop_back();
  for (const auto& r : righe) {
    auto codificata = CodificaRigaGriglia(Utf8ToCp1252(r));
    ASSERT_TRUE(codificata.has_value()) << r;
    atteso += *codificata + "\r\n";
  }
  EXPECT_EQ(atteso, distribuito) << "run tools/gridgas/encode_gridgas.py after editing gridgas.txt";
}

}  // namespace
}  // namespace varnex
