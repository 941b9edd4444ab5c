#include "model/progetto_file.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "model/calcolo.h"
#include "model/campi.h"
#include "model/files.h"
#include "model/gas.h"
#include "model/globals.h"
#include "model/materiali.h"
#include "model/numbers.h"
#include "model/rete.h"
#include "model/sostituzione.h"
#include "model/raccordi.h"
#include "model/strings.h"
#include "model/textfile.h"
#include "shell/selettore_gas.h"
#include "support/fake_interaction.h"
#include "support/temp_folder.h"
#include "support/utente_comune.h"
#include "model/tenuta.h"

namespace varnex {
namespace {

using test::FakeInterazione;
using test::TempFolder;

// Codes the reader hands to SetField, which stores them (the others are computed or read-only).
bool IsCodiceMemorizzato(int16_t c) { return c != 31 && c != 32 && c != 33 && c != 35 && c != 43 && c != 44; }

// A segment row of 48 fields ("." where not given) for codes 2..49.
std::string Riga(std::initializer_list<std::pair<int, std::string>> valori) {
  std::vector<std::string> campi(48, ".");
  for (const auto& [codice, testo] : valori) campi[static_cast<size_t>(codice - 2)] = testo;
  std::string riga;
  for (size_t i = 0; i < campi.size(); ++i) riga += (i ? "\t" : "") + campi[i];
  return riga + "\r\n";
}

std::vector<std::string> Righe(const std::string& bytes) {
  auto righe = Split(bytes, "\r\n");
  if (!righe.empty() && righe.back().empty()) righe.pop_back();
  return righe;
}

class DialogoFinto : public IDialogoSostituzione {
 public:
  int16_t Scegli(const std::string& nome, int16_t tipo, const std::vector<std::string>& offerti) override {
    domande.push_back(nome);
    tipi.push_back(tipo);
    candidati = offerti;
    return risposta;
  }
  int16_t risposta = 0;
  std::vector<std::string> candidati;
  std::vector<std::string> domande;
  std::vector<int16_t> tipi;
};

class FinestreFinte : public IFinestreProgetto {
 public:
  void AssicuraEditor() override { ordine.push_back("editor"); }
  void TitoloProgetto(const std::string& t) override { ordine.push_back("titolo:" + t); }
  std::vector<std::string> ordine;
};

class PaginaFinta : public IPaginaTenuta {
 public:
  explicit PaginaFinta(std::vector<std::string>& o) : ordine(o) {}
  void Refresh() override { ordine.push_back("refresh"); }
  void Init() override { ordine.push_back("init"); }
  std::vector<std::string>& ordine;
};

class ProgettoFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cartella.CopiaDatiDistribuiti();
    cartella.UsaComeCartellaProgramma();
    VersioneProgramma = "VxP4.0.15";
    CaricaMateriali();
    InitGas();
    InitSpeciali();
    ASSERT_GE(NumMateriali, 2);
    ASSERT_GE(NumGas, 3);
    frmEquiv.Reset();
    ImpostaDialogoSostituzione(&dialogo);
    ReteInPressione = 0;
    OrientamentoSorgente = 0;
    GasCorrente = ArchivioGas[1];
    ResetRete();
    utente.stati.clear();
  }
  void TearDown() override {
    ImpostaDialogoSostituzione(nullptr);
    ImpostaFinestreProgetto(nullptr);
    ImpostaPaginaTenuta(nullptr);
    ImpostaCommitProgetto(nullptr);
    frmEquiv.Reset();
    ReteInPressione = 0;
    ResetRete();
  }

  std::string Serie(int i) { return Materiali[static_cast<size_t>(i)][0].Nome; }
  // Saves the project as `nome`, then twice opens, calculates and saves it: the same bytes each time.
  void VerificaApriCalcolaSalva(const std::string& nome) {
    ASSERT_TRUE(ScriviRTG(cartella.File(nome)));
    const std::string primo = cartella.Read(nome);
    for (int giro = 0; giro < 2; ++giro) {
      ASSERT_TRUE(LeggiRTG(cartella.File(nome)));
      CalcolaRete();
      ASSERT_TRUE(ScriviRTG(cartella.File(nome)));
      EXPECT_EQ(cartella.Read(nome), primo) << "giro " << giro;
    }
  }
  std::string Diametro(int i, int r) { return Materiali[static_cast<size_t>(i)][static_cast<size_t>(r)].RifDiametro; }

  // A small tree 1 -> 2, 1 -> 3, 3 -> 4 with every kind of field filled.
  void CostruisciRete() {
    auto& r = Rete();
    r.NumTronchi = 4;
    for (int16_t s = 1; s <= 4; ++s) {
      TTronco& t = Tronco(s);
      t.ID_NUM = s;
      t.ID_MATERIALE = Serie(s % 2 + 1);
      t.IndiceMateriale = static_cast<int16_t>(s % 2 + 1);
      t.ID_DIAMETRO = s == 2 ? Diametro(s % 2 + 1, 2) : "Auto";
      t.ID_DIAMCUSTOM = s == 2 ? -1 : 0;
      t.ID_LEN = 2.5f * s;
      t.ID_EQ_LEN = 3.25f * s;
      t.ID_NCURVE = s;
      t.ID_NGOMITI = static_cast<int16_t>(s + 1);
      t.ID_NRACCORDI = 1;
      t.ID_NRUBINETTI = static_cast<int16_t>(s == 4 ? 1 : 0);
      t.ID_EQLENNOTA = 0.5f;
      t.ID_CONTEMP = static_cast<int16_t>(s == 1 ? 80 : 100);
      t.ID_P_TRONCO = 0.125f * s;
      t.ID_VELOCITA = 1.75f;
      t.ID_PDC_TRONCO = 12.5f;
      t.ID_PDC_PERCORSO = 25.75f;
      t.ID_PESO = 1.5f;
      t.ID_POTENZA = 24;
      t.CodiceSvolta = static_cast<int16_t>(s % 3);
      t.FineX = 1440 * s;
      t.FineY = -720;
      t.LunghezzaDisegno = s == 3 ? 2000 : 0;
    }
    Tronco(1).ID_LEFT = 2;
    Tronco(1).ID_RIGHT = 3;
    Tronco(2).ID_PREV = 1;
    Tronco(3).ID_PREV = 1;
    Tronco(3).ID_LEFT = 4;
    Tronco(4).ID_PREV = 3;
    Tronco(2).ID_P_UTENZE = 1.25f;
    Tronco(2).TipologiaUtenza = 1;
    Tronco(2).ComposizioneUtenza = "100000";
    Tronco(4).ID_P_UTENZE = 2.5f;
    Tronco(4).TipologiaUtenza = 2;
    Tronco(4).ComposizioneUtenza = "010000";
    Tronco(2).ID_NAME = "Cucina, piano 1";        // a comma in a name stays a comma
    Tronco(4).ID_NAME = "Caldaia\tbagno";         // a TAB would split the row
    Tronco(3).ID_RIF = "#3 dorsale";              // not a comment inside a row
    Tronco(4).ID_RIF = "Rif. 4,5";
    Tronco(0).ID_PFINALE = 1;                     // read-only: not stored back
    Tronco(0).FineX = 300;
    Riferimento = "Condominio Rossi, scala B";
    DescrizioneLavoro = "#1 impianto\r\nnuovo";
    PDCMaxUtente = 0;
    VelocitaMaxImpostata = 7.5f;
    PressioneIniziale = 2.1;
    PressioneFinale = 1.75;
    OrientamentoSorgente = 2;
    PercorsoDocumenti = "/home/studio/Doc, 2024/";
    TenutaImpianto.RagSociale = "Termo, Idraulica Srl";
    TenutaImpianto.NomeTecnico = "Mario Rossi";
    TenutaImpianto.ProprietarioNumero = "#4";
    TenutaImpianto.CapacitaImpianto = "2,0";
    TenutaImpianto.Cause = "1;;;;5;;";
    TenutaImpianto.FamigliaGas = 2;
    TenutaImpianto.Metodo = 1;
    TenutaImpianto.Risultato = 1;
    TenutaImpianto.Note = "";
  }

  struct Istantanea {
    std::vector<std::vector<std::string>> campi;
    std::vector<int16_t> materiali;
    int16_t numero;
    std::string riferimento, descrizione, gas, documenti;
    double pdc, pi, pf;
    float velocita;
    int16_t pressione, orientamento;
    TTenutaImpianto tenuta;
  };
  Istantanea Fotografa() {
    Istantanea f;
    f.numero = Rete().NumTronchi;
    for (int16_t s = 0; s <= ContoTronchi(); ++s) {
      std::vector<std::string> riga;
      for (int16_t c = 2; c <= 49; ++c) riga.push_back(IsCodiceMemorizzato(c) ? TestoCampo(GetField(s, c)) : "");
      f.campi.push_back(riga);
      f.materiali.push_back(Tronco(s).IndiceMateriale);
    }
    f.riferimento = Riferimento;
    f.descrizione = DescrizioneLavoro;
    f.gas = GasCorrente.Nome;
    f.documenti = PercorsoDocumenti;
    f.pdc = PDCMaxUtente;
    f.pi = PressioneIniziale;
    f.pf = PressioneFinale;
    f.velocita = VelocitaMaxImpostata;
    f.pressione = ReteInPressione;
    f.orientamento = OrientamentoSorgente;
    f.tenuta = TenutaImpianto;
    return f;
  }
  void Confronta(const Istantanea& a, const Istantanea& b) {
    ASSERT_EQ(a.numero, b.numero);
    for (size_t s = 0; s < a.campi.size(); ++s)
      for (size_t c = 0; c < a.campi[s].size(); ++c)
        EXPECT_EQ(a.campi[s][c], b.campi[s][c]) << "slot " << s << " code " << c + 2;
    EXPECT_EQ(a.materiali, b.materiali);
    EXPECT_EQ(a.riferimento, b.riferimento);
    EXPECT_EQ(a.descrizione, b.descrizione);
    EXPECT_EQ(a.gas, b.gas);
    EXPECT_EQ(a.documenti, b.documenti);
    EXPECT_EQ(a.pdc, b.pdc);
    EXPECT_EQ(a.pi, b.pi);
    EXPECT_EQ(a.pf, b.pf);
    EXPECT_EQ(a.velocita, b.velocita);
    EXPECT_EQ(a.pressione, b.pressione);
    EXPECT_EQ(a.orientamento, b.orientamento);
    EXPECT_EQ(a.tenuta, b.tenuta);
  }

  // The model as a refused load must leave it: the empty project, no path.
  void AttendiProgettoVuoto(const TGas& gasPrima) {
    EXPECT_EQ(ProgettoCaricato, 0);
    EXPECT_EQ(PercorsoProgetto, "");
    EXPECT_EQ(Rete().NumTronchi, 0);
    EXPECT_EQ(Riferimento, "");
    EXPECT_EQ(Tronco(1).ID_LEN, 0);
    EXPECT_EQ(Tronco(1).ID_MATERIALE, "");
    EXPECT_EQ(TenutaImpianto, TTenutaImpianto{});
    EXPECT_EQ(GasCorrente.Nome, gasPrima.Nome);
  }

  TempFolder cartella;
  FakeInterazione utente;
  DialogoFinto dialogo;
};

TEST_F(ProgettoFileTest, ImpiantoInternoTornaCampoPerCampo) {
  CostruisciRete();
  GasCorrente = ArchivioGas[2];
  const std::string path = cartella.File("interno.RTG");
  ASSERT_TRUE(ScriviRTG(path));
  // The TAB and the line break were written as blanks.
  Tronco(4).ID_NAME = "Caldaia bagno";
  DescrizioneLavoro = "#1 impianto  nuovo";
  const Istantanea prima = Fotografa();

  GasCorrente = ArchivioGas[1];
  ResetRete();
  OrientamentoSorgente = 0;
  ASSERT_TRUE(LeggiRTG(path));
  EXPECT_EQ(ProgettoCaricato, -1);
  EXPECT_EQ(PercorsoProgetto, path);
  EXPECT_EQ(ProgettoModificato, 0);
  Confronta(prima, Fotografa());
  EXPECT_EQ(Tronco(2).ID_NAME, "Cucina, piano 1");
  EXPECT_EQ(Tronco(4).ID_RIF, "Rif. 4,5");
  EXPECT_EQ(Tronco(3).ID_RIF, "#3 dorsale");
  EXPECT_EQ(Riferimento, "Condominio Rossi, scala B");
  EXPECT_EQ(PercorsoDocumenti, "/home/studio/Doc, 2024/");
  EXPECT_EQ(TenutaImpianto.CapacitaImpianto, "2,0");
  EXPECT_EQ(TenutaImpianto.ProprietarioNumero, "#4");
  EXPECT_EQ(Tronco(2).ID_DIAMCUSTOM, -1);
  EXPECT_EQ(Tronco(4).ID_PREV, 3);
}

TEST_F(ProgettoFileTest, ReteInPressioneTornaCampoPerCampo) {
  CostruisciRete();
  ReteInPressione = -1;
  GasCorrente = ArchivioGas[4];
  PDCMaxUtente = 0;
  PressioneIniziale = 400.5;
  PressioneFinale = 123.456789012345;
  Tronco(1).ID_SPC5 = 2;
  Tronco(3).ID_SPC10 = 7;
  Tronco(3).ID_CONTEMP = 60;
  const std::string path = cartella.File("rete.RTG");
  ASSERT_TRUE(ScriviRTG(path));
  auto righe = Righe(cartella.Read("rete.RTG"));
  EXPECT_EQ(righe[0], "VXP4.0.15");
  EXPECT_EQ(righe[8], "-1 ");
  Tronco(4).ID_NAME = "Caldaia bagno";
  DescrizioneLavoro = "#1 impianto  nuovo";
  Istantanea prima = Fotografa();
  // A pressurised network has no tightness test: the verdict of the record is not saved with it.
  prima.tenuta.Risultato = 0;

  ReteInPressione = 0;
  ResetRete();
  ASSERT_TRUE(LeggiRTG(path));
  Confronta(prima, Fotografa());
  EXPECT_EQ(ReteInPressione, -1);
  EXPECT_EQ(PressioneFinale, 123.456789012345);
  EXPECT_EQ(NomiSpeciali[5], NomiSpeciali[5]);
}

TEST_F(ProgettoFileTest, FormatoDelFile) {
  Rete().NumTronchi = 1;
  Tronco(1).ID_NUM = 1;
  Tronco(1).ID_LEN = 12.5f;
  Tronco(1).ID_MATERIALE = Serie(1);
  Tronco(1).ID_LEFT = 5;  // beyond the count: written, and kept, as 0
  GasCorrente = ArchivioGas[1];
  VelocitaMaxImpostata = 5;
  PressioneIniziale = 2.5;
  PressioneFinale = 2;
  PercorsoDocumenti = "";
  ASSERT_TRUE(ScriviRTG(cartella.File("x.RTG")));
  const std::string bytes = cartella.Read("x.RTG");
  EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);
  auto righe = Righe(bytes);
  const std::vector<std::string> testa = {"VX 4.x", "#", "#", "!PARAMETERS", ".", ".", ArchivioGas[1].Nome,
                                          " 0 ", " 0 ", " 5 ", " 2,5 ", " 2 ", " 0 ", "", "~PARAMETERS",
                                          "#", "#", "#", "%", "["};
  ASSERT_GT(righe.size(), testa.size());
  for (size_t i = 0; i < testa.size(); ++i) EXPECT_EQ(righe[i], testa[i]) << i;
  // Rows of slots 0 and 1: 48 fields, none empty, decimal comma, no blanks around numbers.
  for (size_t r : {20u, 21u}) {
    auto campi = Split(righe[r], "\t");
    ASSERT_EQ(campi.size(), 48u) << r;
    for (const auto& c : campi) EXPECT_FALSE(c.empty());
  }
  auto campi = Split(righe[21], "\t");
  EXPECT_EQ(campi[0], "1");           // code 2
  EXPECT_EQ(campi[5 - 2], "12,5");     // code 5
  EXPECT_EQ(campi[17 - 2], "0");       // code 17: child beyond the count
  EXPECT_EQ(campi[19 - 2], Serie(1));  // code 19
  EXPECT_EQ(campi[20 - 2], ".");       // empty reference
  EXPECT_EQ(Tronco(1).ID_LEFT, 0);
  EXPECT_EQ(righe[22], "]");
  EXPECT_EQ(righe[23], "!VERIFICATENUTA1137-1");
  EXPECT_EQ(righe[23 + 53], " 0 ");   // orientation repeated
  EXPECT_EQ(righe[23 + 55], "~VERIFICATENUTA1137-1");
  const std::vector<std::string> coda = {"!PARAMETERS-DOCUMENTPATH", "", "", "~PARAMETERS-DOCUMENTPATH", "#", "#", "!END"};
  ASSERT_EQ(righe.size(), 23u + 58u + coda.size());
  for (size_t i = 0; i < coda.size(); ++i) EXPECT_EQ(righe[23 + 58 + i], coda[i]);
}

TEST_F(ProgettoFileTest, CadutaMassimaAutomaticaScrittaComeZero) {
  Rete().NumTronchi = 1;
  PDCMaxUtente = 0;
  ASSERT_TRUE(ScriviRTG(cartella.File("a.RTG")));
  EXPECT_EQ(Righe(cartella.Read("a.RTG"))[7], " 0 ");
  ASSERT_TRUE(LeggiRTG(cartella.File("a.RTG")));
  EXPECT_EQ(PDCMaxUtente, 0);

  PDCMaxUtente = 350.5;
  ASSERT_TRUE(ScriviRTG(cartella.File("b.RTG")));
  EXPECT_EQ(Righe(cartella.Read("b.RTG"))[7], " 350,5 ");
  ASSERT_TRUE(LeggiRTG(cartella.File("b.RTG")));
  EXPECT_EQ(PDCMaxUtente, 350.5);
}

TEST_F(ProgettoFileTest, FileDelFormatoOriginaleSiLegge) {
  const std::string path = std::string(VARNEX_FIXTURE_DIR) + "/progetto_originale.RTG";
  // The fixture names the first series and gas of the shipped archives.
  ASSERT_TRUE(LeggiRTG(path));
  EXPECT_EQ(Riferimento, "Villetta Bianchi");
  EXPECT_EQ(DescrizioneLavoro, "");  // "." stands for an empty text
  EXPECT_EQ(GasCorrente.Nome, "Metano");
  EXPECT_DOUBLE_EQ(PDCMaxUtente, 350);  // a fixed limit of an older save
  EXPECT_EQ(ReteInPressione, 0);
  EXPECT_FLOAT_EQ(VelocitaMaxImpostata, 5);
  EXPECT_EQ(OrientamentoSorgente, 1);
  EXPECT_EQ(Rete().NumTronchi, 3);
  EXPECT_FLOAT_EQ(Tronco(1).ID_LEN, 4.5f);
  EXPECT_EQ(Tronco(1).ID_MATERIALE, "ACCIAIOL");
  EXPECT_EQ(Tronco(1).IndiceMateriale, 1);
  EXPECT_EQ(Tronco(2).ID_PREV, 1);
  EXPECT_EQ(Tronco(3).ID_PREV, 1);
  EXPECT_FLOAT_EQ(Tronco(2).ID_P_UTENZE, 1.2f);
  EXPECT_EQ(Tronco(2).ID_NAME, "Piano cottura");
  EXPECT_EQ(Tronco(3).ID_RIF, "");
  EXPECT_EQ(TenutaImpianto.RagSociale, "Gas Service");
  EXPECT_EQ(TenutaImpianto.CapacitaImpianto, "1,5");  // the page's text, decimal comma kept
  EXPECT_EQ(TenutaImpianto.FamigliaGas, 2);
  EXPECT_EQ(TenutaImpianto.Risultato, 1);
  EXPECT_EQ(TenutaImpianto.Note, "");
  EXPECT_EQ(PercorsoDocumenti, "C:\\Lavori\\Bianchi\\");
}

TEST_F(ProgettoFileTest, IntestazioniEVersioni) {
  struct Caso {
    std::string testa;
    bool caricato;
    bool esteso;
    std::string messaggio;
  } casi[] = {
      {"VX 4.x", true, true, ""},
      {"vx 4.x", true, true, ""},
      {"VXP4.0.15", true, true, ""},
      {"VXP3.2.1", true, true, ""},
      {"VX 2.0", true, false, ""},
      {"VXPX", true, false, ""},
      {"VX 3", true, false, ""},
      {"VXP5.0.1", false, false, "Il file è stato creato con la versione 5 di VarnexPro"},
      {"VX 9", false, false, "versione 9"},
      {"AB 4.x", false, false, "Archivio non riconosciuto!"},
      {"", false, false, "Archivio non riconosciuto!"},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.testa);
    std::string corpo = "# commento\r\n\r\n" + c.testa +
                        "\r\n#\r\n!PARAMETERS\r\nRif\r\nDescr\r\nMetano\r\n 0 \r\n-1 \r\n 9,5 \r\n 300 \r\n 250 \r\n 3 \r\n\r\n"
                        "~PARAMETERS\r\n#\r\n%\r\n[\r\n";
    corpo += "0\t.\t0\r\n1\t0\t0\t2,5\r\n]\r\n!END\r\n";
    const std::string path = cartella.Write("h.RTG", corpo);
    const TGas gasPrima = GasCorrente;
    VelocitaMaxImpostata = 1;
    if (!c.messaggio.empty()) utente.Attendi(c.messaggio);
    EXPECT_EQ(LeggiRTG(path), c.caricato);
    if (!c.caricato) {
      AttendiProgettoVuoto(gasPrima);
      continue;
    }
    EXPECT_EQ(Riferimento, "Rif");
    EXPECT_EQ(Rete().NumTronchi, 1);
    EXPECT_FLOAT_EQ(Tronco(1).ID_LEN, 2.5f);
    if (c.esteso) {
      EXPECT_EQ(ReteInPressione, -1);
      EXPECT_FLOAT_EQ(VelocitaMaxImpostata, 9.5f);
      EXPECT_EQ(PressioneIniziale, 300);
      EXPECT_EQ(OrientamentoSorgente, 3);
    } else {
      EXPECT_EQ(ReteInPressione, 0);
      EXPECT_EQ(OrientamentoSorgente, 0);
      EXPECT_FLOAT_EQ(VelocitaMaxImpostata, 15);  // the default of ResetRete
    }
    ReteInPressione = 0;
  }
  // The version message has its title and icon.
  for (const auto& m : utente.messaggi) {
    if (m.testo.find("versione") == std::string::npos) continue;
    EXPECT_EQ(m.titolo, "Errore");
    EXPECT_EQ(m.icona, Icona::Informazione);
    EXPECT_EQ(m.testo.rfind("Impossibile aprire il file.\r\n", 0), 0u);
  }
}

TEST_F(ProgettoFileTest, SenzaSezioneTenutaTieneIlPercorsoDocumenti) {
  const std::string path = cartella.Write(
      "vecchio.RTG",
      "VX 4.x\r\n!PARAMETERS\r\nR\r\nD\r\nMetano\r\n 0 \r\n 0 \r\n 5 \r\n 2 \r\n 1 \r\n 0 \r\n\r\n~PARAMETERS\r\n"
      "%\r\n[\r\n0\r\n1\r\n]\r\n!PARAMETERS-DOCUMENTPATH\r\nC:\\Doc\\\r\n\r\n~PARAMETERS-DOCUMENTPATH\r\n!END\r\n");
  TenutaImpianto.Note = "vecchio";
  ASSERT_TRUE(LeggiRTG(path));
  EXPECT_EQ(PercorsoDocumenti, "C:\\Doc\\");
  EXPECT_EQ(TenutaImpianto, TTenutaImpianto{});
  EXPECT_EQ(Rete().NumTronchi, 1);
}

TEST_F(ProgettoFileTest, SezioneReteSenzaChiusuraContaLeRigheLette) {
  const std::string path = cartella.Write(
      "aperto.RTG", "VX 4.x\r\n!PARAMETERS\r\nR\r\nD\r\nMetano\r\n 0 \r\n 0 \r\n 5 \r\n 2 \r\n 1 \r\n 0 \r\n\r\n"
                    "~PARAMETERS\r\n[\r\n0\r\n" + Riga({{2, "1"}, {5, "3"}}) + Riga({{2, "2"}, {16, "1"}}) + "\r\n#\r\n");
  ASSERT_TRUE(LeggiRTG(path));
  EXPECT_EQ(Rete().NumTronchi, 2);
  EXPECT_EQ(Tronco(2).ID_PREV, 1);
}

// A damaged project whose appliance flows add up beyond the largest single: read and calculated as
// the program does on opening, it is refused instead of showing infinite drops as plausible numbers.
TEST_F(ProgettoFileTest, PortateFuoriScalaRifiutanoIlCalcolo) {
  const std::string path = cartella.Write(
      "fuori.RTG", "VX 4.x\r\n!PARAMETERS\r\nR\r\nD\r\nMetano\r\n 0 \r\n 0 \r\n 5 \r\n 2500 \r\n 1 \r\n 0 \r\n\r\n"
                   "~PARAMETERS\r\n[\r\n0\r\n" +
                       Riga({{2, "1"}, {5, "5"}, {17, "2"}, {18, "3"}, {19, Serie(1)}}) +
                       Riga({{2, "2"}, {3, "2E+38"}, {5, "5"}, {16, "1"}, {19, Serie(1)}}) +
                       Riga({{2, "3"}, {3, "2,5E+38"}, {5, "5"}, {16, "1"}, {19, Serie(1)}}) + "]\r\n!END\r\n");
  ASSERT_TRUE(LeggiRTG(path));
  ASSERT_EQ(Rete().NumTronchi, 3);
  utente.Attendi("calcolo non eseguito");
  CalcolaRete();
  EXPECT_EQ(utente.messaggi.size(), 1u);
  EXPECT_EQ(ProgettoModificato, 0);
  for (int16_t s = 1; s <= 3; ++s) {
    EXPECT_EQ(Tronco(s).Collegato, 0) << s;
    for (int16_t c : {campo::ID_P_TRONCO, campo::ID_PDC_TRONCO, campo::ID_PDC_PERCORSO, campo::ID_PFINALE})
      EXPECT_TRUE(std::isfinite(NumeroCampo(GetField(s, c)))) << s << " " << c;
  }
}

// A flow pasted as "1E+99,5" was stored as infinity and written as "Inf"; opened again, it read as
// 0 without a word and the network was sized without the appliance. The file still opens, and the
// user is told which values were no number.
TEST_F(ProgettoFileTest, UnValoreNonNumericoSiLeggeComeZeroDicendolo) {
  CostruisciRete();
  Tronco(4).ID_P_UTENZE = std::numeric_limits<float>::infinity();
  Tronco(4).ID_P_TRONCO = Tronco(4).ID_P_UTENZE;
  Tronco(3).ID_LEN = std::numeric_limits<float>::quiet_NaN();
  const std::string path = cartella.File("infinito.RTG");
  ASSERT_TRUE(ScriviRTG(path));
  ResetRete();
  utente.Attendi("non sono numeri");
  ASSERT_TRUE(LeggiRTG(path));
  ASSERT_EQ(utente.messaggi.size(), 1u);
  const std::string& testo = utente.messaggi[0].testo;
  EXPECT_NE(testo.find("tronco 4, portata dell'utenza: \"Inf\""), std::string::npos) << testo;
  EXPECT_NE(testo.find("tronco 3, lunghezza: \"NaN\""), std::string::npos) << testo;
  EXPECT_EQ(Tronco(4).ID_P_UTENZE, 0.0f);
  EXPECT_EQ(Tronco(3).ID_LEN, 0.0f);
  EXPECT_EQ(ProgettoModificato, 0);

  // A file of finite values opens without the message.
  ASSERT_TRUE(ScriviRTG(path));
  ResetRete();
  ASSERT_TRUE(LeggiRTG(path));
  EXPECT_EQ(utente.messaggi.size(), 1u);
}

// A file holding many values that are no number: the message names the first eight and counts
// the rest, so the box stays on the screen with its OK in reach.
TEST_F(ProgettoFileTest, MoltiValoriNonNumericiSonoContatiNonElencati) {
  CostruisciRete();
  for (int16_t s = 1; s <= 4; ++s) {
    Tronco(s).ID_LEN = std::numeric_limits<float>::infinity();
    Tronco(s).ID_EQ_LEN = std::numeric_limits<float>::quiet_NaN();
  }
  Tronco(4).ID_P_UTENZE = std::numeric_limits<float>::infinity();
  const std::string path = cartella.File("infiniti.RTG");
  ASSERT_TRUE(ScriviRTG(path));
  ResetRete();
  utente.Attendi("non sono numeri");
  ASSERT_TRUE(LeggiRTG(path));
  ASSERT_EQ(utente.messaggi.size(), 1u);
  const std::string& testo = utente.messaggi[0].testo;
  size_t elencati = 0;
  for (size_t p = testo.find("\r\n- tronco "); p != std::string::npos; p = testo.find("\r\n- tronco ", p + 1)) ++elencati;
  EXPECT_EQ(elencati, 8u) << testo;
  EXPECT_NE(testo.find("\r\n- e un altro valore"), std::string::npos) << testo;
}

// A parent typed on a row a delete left blank waits in that slot for the row to become a segment:
// saved like that, the project opens again with the row still blank and the parent still noted.
TEST_F(ProgettoFileTest, UnaRigaVuotaConLaProvenienzaScrittaSiRilegge) {
  CostruisciRete();
  EliminaTronco(2);
  Tronco(2).ID_PREV = 4;
  ASSERT_TRUE(SlotVuoto(2));
  const std::string path = cartella.File("vuota.RTG");
  ASSERT_TRUE(ScriviRTG(path));
  ResetRete();
  ASSERT_TRUE(LeggiRTG(path));
  EXPECT_TRUE(utente.messaggi.empty());
  EXPECT_TRUE(SlotVuoto(2));
  EXPECT_EQ(Tronco(2).ID_PREV, 4);
  EXPECT_EQ(Tronco(4).ID_LEFT, 0);
}

TEST_F(ProgettoFileTest, RifiutiLascianoIlProgettoVuoto) {
  auto progetto = [](const std::string& righe) {
    return "VX 4.x\r\n!PARAMETERS\r\nRif\r\nD\r\nMetano\r\n 0 \r\n 0 \r\n 5 \r\n 2 \r\n 1 \r\n 0 \r\n\r\n"
           "~PARAMETERS\r\n[\r\n" + righe + "]\r\n!PARAMETERS-DOCUMENTPATH\r\nC:\\\r\n\r\n!END\r\n";
  };
  std::string cinquantuno;
  for (int i = 0; i < 51; ++i) cinquantuno += (i ? "\t" : "") + std::to_string(i == 0 ? 1 : 0);
  std::string troppeRighe;
  for (int i = 0; i <= 201; ++i) troppeRighe += std::to_string(i) + "\r\n";
  struct Caso {
    const char* nome;
    std::string testo;
    const char* messaggio;
  } casi[] = {
      {"campi", progetto("0\r\n" + cinquantuno + "\r\n"), "Troppo campi nel tronco"},
      {"righe", progetto(troppeRighe), "piu' di 201 righe"},
      {"intero", progetto("0\r\n99999\r\n"), "\"99999\" del tronco 1"},
      {"reale", progetto("0\r\n1\t0\t0\t1E+60\r\n"), "\"1E+60\" del tronco 1"},
      {"lungo", progetto("0\r\n" + Riga({{2, "1"}, {45, "9E+12"}})), "\"9E+12\" del tronco 1 (colonna 45)"},
      {"link", progetto("0\r\n" + Riga({{2, "1"}}) + Riga({{2, "2"}, {16, "7"}})), "collegamenti"},
      {"figlio", progetto("0\r\n" + Riga({{2, "1"}, {18, "-3"}})), "collegamenti"},
      {"anello", progetto("0\r\n" + Riga({{2, "1"}, {16, "2"}, {17, "2"}}) + Riga({{2, "2"}, {16, "1"}, {17, "1"}})),
       "collegamenti"},
      {"vuota", progetto(""), "non contiene alcun tronco"},
      {"parametri", "VX 4.x\r\n!PARAMETERS\r\nR\r\nD\r\nMetano\r\n 0 \r\n 99999 \r\n", "parametri del progetto"},
  };
  for (const auto& c : casi) {
    SCOPED_TRACE(c.nome);
    CostruisciRete();
    PercorsoProgetto = "/vecchio.RTG";
    const TGas gasPrima = GasCorrente;
    utente.Attendi(c.messaggio);
    EXPECT_FALSE(LeggiRTG(cartella.Write(std::string(c.nome) + ".RTG", c.testo)));
    AttendiProgettoVuoto(gasPrima);
    EXPECT_EQ(ReteInPressione, 0);
  }
  EXPECT_EQ(utente.messaggi.size(), std::size(casi));
}

TEST_F(ProgettoFileTest, RiferimentoCheIniziaConCancellettoNonSposta) {
  CostruisciRete();
  Riferimento = "#12";
  DescrizioneLavoro = "   ";  // blanks only: written as "."
  ASSERT_TRUE(ScriviRTG(cartella.File("c.RTG")));
  ResetRete();
  ASSERT_TRUE(LeggiRTG(cartella.File("c.RTG")));
  EXPECT_EQ(Riferimento, "#12");
  EXPECT_EQ(DescrizioneLavoro, "");
  EXPECT_FLOAT_EQ(VelocitaMaxImpostata, 7.5f);
  EXPECT_EQ(OrientamentoSorgente, 2);
}

TEST_F(ProgettoFileTest, GasMancanteChiestoUnaVolta) {
  const std::string path = cartella.Write(
      "g.RTG", "VX 4.x\r\n!PARAMETERS\r\nR\r\nD\r\nGas Sconosciuto\r\n 0 \r\n 0 \r\n 5 \r\n 2 \r\n 1 \r\n 0 \r\n\r\n"
               "~PARAMETERS\r\n[\r\n0\r\n1\r\n]\r\n!END\r\n");
  dialogo.risposta = 3;
  utente.Attendi("Attenzione! Il gas Gas Sconosciuto selezionato non è disponibile");
  ASSERT_TRUE(LeggiRTG(path));
  EXPECT_EQ(GasCorrente.Nome, ArchivioGas[3].Nome);
  EXPECT_EQ(dialogo.domande, std::vector<std::string>{"Gas Sconosciuto"});
  EXPECT_EQ(dialogo.tipi, std::vector<int16_t>{SostituzioneGas});
  EXPECT_EQ(ProgettoCaricato, -1);

  // Loaded again before the project is closed: the same answer, no new question.
  utente.Attendi("Gas Sconosciuto");
  ASSERT_TRUE(LeggiRTG(path));
  EXPECT_EQ(GasCorrente.Nome, ArchivioGas[3].Nome);
  EXPECT_EQ(dialogo.domande.size(), 1u);

  // No choice (Esc): the project keeps its gas's name, without values; the calculation is refused
  // naming it, and a save writes it back.
  frmEquiv.Reset();
  dialogo.risposta = 0;
  utente.Attendi("Gas Sconosciuto");
  ASSERT_TRUE(LeggiRTG(path));
  EXPECT_EQ(GasCorrente.Nome, "Gas Sconosciuto");
  EXPECT_FALSE(GasCorrente.MassaVolumica > 0);
  EXPECT_EQ(CurrentGas, 0);
  EXPECT_EQ(MotivoRifiutoCalcolo().rfind("Il gas Gas Sconosciuto del progetto non e' presente nell'archivio gas", 0), 0u)
      << MotivoRifiutoCalcolo();
  ASSERT_TRUE(ScriviRTG(cartella.File("g2.RTG")));
  EXPECT_NE(cartella.Read("g2.RTG").find("!PARAMETERS\r\nR\r\nD\r\nGas Sconosciuto\r\n"), std::string::npos);
}

TEST_F(ProgettoFileTest, UnImpiantoInternoSostituisceIlGasSoloConGasCombustibili) {
  const std::string parametri = "!PARAMETERS\r\nR\r\nD\r\nGas Sconosciuto\r\n 0 \r\n";
  const std::string interno = cartella.Write(
      "i.RTG", "VX 4.x\r\n" + parametri + " 0 \r\n 5 \r\n 2 \r\n 1 \r\n 0 \r\n\r\n~PARAMETERS\r\n[\r\n0\r\n1\r\n]\r\n!END\r\n");
  std::vector<std::string> combustibili;
  for (int16_t i = 1; i <= NumGas; ++i)
    if (ArchivioGas[static_cast<size_t>(i)].NonCombustibile == 0) combustibili.push_back(ArchivioGas[static_cast<size_t>(i)].Nome);
  ASSERT_LT(combustibili.size(), static_cast<size_t>(NumGas));
  dialogo.risposta = static_cast<int16_t>(combustibili.size());
  utente.Attendi("Gas Sconosciuto");
  ASSERT_TRUE(LeggiRTG(interno));
  EXPECT_EQ(dialogo.candidati, combustibili);
  EXPECT_EQ(GasCorrente.Nome, combustibili.back());
  EXPECT_EQ(GasCorrente.NonCombustibile, 0);
  EXPECT_EQ(ReteInPressione, 0);

  // A pressurised network is offered every gas.
  frmEquiv.Reset();
  const std::string rete = cartella.Write(
      "p.RTG", "VXP4.0.15\r\n" + parametri + "-1\r\n 5 \r\n 200 \r\n 150 \r\n 0 \r\n\r\n~PARAMETERS\r\n[\r\n0\r\n1\r\n]\r\n!END\r\n");
  dialogo.risposta = 1;
  utente.Attendi("Gas Sconosciuto");
  ASSERT_TRUE(LeggiRTG(rete));
  EXPECT_EQ(dialogo.candidati.size(), static_cast<size_t>(NumGas));
}

TEST_F(ProgettoFileTest, IlGasCaricatoDiventaIlGasInUsoAncheNellIndice) {
  // The index of the gas in use must name the project's gas, not the one of the project opened
  // before: whatever reads the gas by that index (a selector left without an entry, the
  // pressurised network's palette) would take the other gas.
  const std::string parametri = "VX 4.x\r\n!PARAMETERS\r\nR\r\nD\r\nGPL Butano\r\n 0 \r\n";
  const std::string path = cartella.Write(
      "b.RTG", parametri + " 0 \r\n 5 \r\n 2 \r\n 1 \r\n 0 \r\n\r\n~PARAMETERS\r\n[\r\n0\r\n1\r\n]\r\n!END\r\n");
  CurrentGas = 1;
  ASSERT_TRUE(LeggiRTG(path));
  ASSERT_EQ(GasCorrente.Nome, "GPL Butano");
  EXPECT_EQ(ArchivioGas[static_cast<size_t>(CurrentGas)].Nome, "GPL Butano");
  EXPECT_EQ(ApplicaSceltaGas(std::nullopt), EsitoSceltaGas::Invariato);
  EXPECT_EQ(GasCorrente.Nome, "GPL Butano");

  // A refused load leaves both as they were.
  utente.Attendi("parametri del progetto");
  EXPECT_FALSE(LeggiRTG(cartella.Write("r.RTG", "VX 4.x\r\n!PARAMETERS\r\nR\r\nD\r\nMetano\r\n 0 \r\n 99999 \r\n")));
  EXPECT_EQ(GasCorrente.Nome, "GPL Butano");
  EXPECT_EQ(ArchivioGas[static_cast<size_t>(CurrentGas)].Nome, "GPL Butano");
}

TEST_F(ProgettoFileTest, UnImpiantoInternoNonPrendeIlSuoGasDiventatoNonCombustibile) {
  // The gas of the project was made non-combustible in the archive since it was saved: an
  // internal installation is never sized with it; it is replaced as a missing gas would be.
  const std::string parametri = "!PARAMETERS\r\nR\r\nD\r\nMetano\r\n 0 \r\n";
  const std::string interno = cartella.Write(
      "i.RTG", "VX 4.x\r\n" + parametri + " 0 \r\n 5 \r\n 2 \r\n 1 \r\n 0 \r\n\r\n~PARAMETERS\r\n[\r\n0\r\n1\r\n]\r\n!END\r\n");
  const std::string rete = cartella.Write(
      "p.RTG", "VXP4.0.15\r\n" + parametri + "-1\r\n 5 \r\n 200 \r\n 150 \r\n 0 \r\n\r\n~PARAMETERS\r\n[\r\n0\r\n1\r\n]\r\n!END\r\n");
  ASSERT_EQ(ArchivioGas[1].Nome, "Metano");
  ArchivioGas[1].NonCombustibile = -1;
  ArchivioGas[1].Famiglia = 0;
  dialogo.risposta = 1;
  utente.Attendi("Nel calcolo dell'impianto interno gas non può essere utilizzato un gas non combustibile");
  ASSERT_TRUE(LeggiRTG(interno));
  EXPECT_EQ(dialogo.domande, std::vector<std::string>{"Metano"});
  for (const std::string& nome : dialogo.candidati) EXPECT_NE(nome, "Metano");
  EXPECT_EQ(GasCorrente.NonCombustibile, 0);
  EXPECT_EQ(GasCorrente.Nome, dialogo.candidati.front());
  EXPECT_EQ(ReteInPressione, 0);

  // A pressurised network may carry a gas that does not burn.
  frmEquiv.Reset();
  ASSERT_TRUE(LeggiRTG(rete));
  EXPECT_EQ(GasCorrente.Nome, "Metano");
  EXPECT_EQ(dialogo.domande.size(), 1u);
}

TEST_F(ProgettoFileTest, SerieMancanteSostituitaUnaVolta) {
  const std::string path = cartella.Write(
      "m.RTG", "VX 4.x\r\n!PARAMETERS\r\nR\r\nD\r\nMetano\r\n 0 \r\n 0 \r\n 5 \r\n 2 \r\n 1 \r\n 0 \r\n\r\n"
               "~PARAMETERS\r\n[\r\n0\r\n" + Riga({{2, "1"}, {17, "2"}, {19, "INESISTENTE"}}) +
               Riga({{2, "2"}, {16, "1"}, {19, "inesistente "}}) + "]\r\n!END\r\n");
  dialogo.risposta = 2;
  ASSERT_TRUE(LeggiRTG(path));
  EXPECT_EQ(dialogo.domande.size(), 1u);
  EXPECT_EQ(Tronco(1).IndiceMateriale, 2);
  EXPECT_EQ(Tronco(2).IndiceMateriale, 2);
  EXPECT_EQ(Tronco(2).ID_MATERIALE, Serie(2));
}

TEST_F(ProgettoFileTest, OrdineDelleChiamateAlleFinestre) {
  std::vector<std::string> ordine;
  FinestreFinte finestre;
  PaginaFinta pagina(ordine);
  ImpostaFinestreProgetto(&finestre);
  ImpostaPaginaTenuta(&pagina);
  CostruisciRete();
  ASSERT_TRUE(ScriviRTG(cartella.File("o.RTG")));
  EXPECT_EQ(ordine, std::vector<std::string>{"refresh"});
  ordine.clear();
  ASSERT_TRUE(LeggiRTG(cartella.File("o.RTG")));
  EXPECT_EQ(ordine, std::vector<std::string>{"init"});
  EXPECT_EQ(finestre.ordine,
            (std::vector<std::string>{"editor", "titolo:VarnexPro - " + cartella.File("o.RTG")}));
}

bool CommitFallito(TextWriter&, std::string* errore) {
  *errore = "Spazio su disco esaurito";
  return false;
}

TEST_F(ProgettoFileTest, SalvataggioFallitoLasciaIlVecchioFile) {
  const std::string path = cartella.Write("p.RTG", "contenuto precedente\r\n");
  CostruisciRete();
  ImpostaCommitProgetto(&CommitFallito);
  utente.Attendi("Impossibile salvare il progetto");
  EXPECT_FALSE(ScriviRTG(path));
  EXPECT_NE(utente.messaggi.back().testo.find("Spazio su disco esaurito"), std::string::npos);
  EXPECT_EQ(cartella.Read("p.RTG"), "contenuto precedente\r\n");
  EXPECT_FALSE(EsisteFile(cartella.File("TENIMPTECDEF.CFG")));  // nothing else written either
  ImpostaCommitProgetto(nullptr);

  // A real failure: the folder does not exist.
  utente.Attendi("Impossibile salvare il progetto");
  EXPECT_FALSE(ScriviRTG(cartella.File("manca/p.RTG")));
  // And a successful save replaces the file and rewrites the technician's defaults.
  ASSERT_TRUE(ScriviRTG(path));
  EXPECT_EQ(Righe(cartella.Read("p.RTG"))[0], "VX 4.x");
  EXPECT_EQ(cartella.Read("TENIMPTECDEF.CFG"), "4.0\r\nTermo, Idraulica Srl\r\n\r\n\r\nMario Rossi\r\n");
}

// A project opened through a symbolic link is saved into the file the link leads to; the link
// stays, and the file keeps the group's right to write it.
TEST_F(ProgettoFileTest, SalvataggioAttraversoUnCollegamento) {
  std::filesystem::create_directories(cartella.File("condivisa"));
  const std::string vero = cartella.Write("condivisa/Villa.RTG", "contenuto precedente\r\n");
  ::chmod(vero.c_str(), 0664);
  const std::string link = cartella.File("Villa.RTG");
  std::filesystem::create_symlink("condivisa/Villa.RTG", link);
  CostruisciRete();
  ASSERT_TRUE(ScriviRTG(link));
  ASSERT_TRUE(ScriviRTG(cartella.File("diretto.RTG")));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(cartella.Read("condivisa/Villa.RTG"), cartella.Read("diretto.RTG"));
  struct stat st {};
  ASSERT_EQ(::stat(vero.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0664u);
  ASSERT_TRUE(LeggiRTG(link));
  EXPECT_EQ(Rete().NumTronchi, 4);
}

// Saving over a project the user may not write is refused with the system's reason, and the
// project stays as it was.
TEST_F(ProgettoFileTest, ProgettoInSolaLetturaNonSiSovrascrive) {
  ::chmod(cartella.Path().c_str(), 0777);
  const std::string path = cartella.Write("protetto.RTG", "contenuto precedente\r\n");
  ASSERT_EQ(::chown(path.c_str(), test::UidUtenteComune(), test::GidUtenteComune()), 0);
  ::chmod(path.c_str(), 0444);
  CostruisciRete();
  const auto esito = test::ComeUtenteComune([&] {
    utente.Attendi("Impossibile salvare il progetto");
    const bool salvato = ScriviRTG(path);
    return (salvato ? "salvato\n" : "rifiutato\n") + (utente.messaggi.empty() ? "" : utente.messaggi.back().testo);
  });
  ASSERT_TRUE(esito.has_value()) << "impossibile eseguire la prova come utente senza privilegi";
  EXPECT_EQ(esito->substr(0, esito->find('\n')), "rifiutato");
  EXPECT_NE(esito->find(MotivoErrore(EACCES)), std::string::npos) << *esito;
  EXPECT_NE(esito->find("Il file precedente non e' stato modificato."), std::string::npos) << *esito;
  EXPECT_EQ(cartella.Read("protetto.RTG"), "contenuto precedente\r\n");
}

// A program folder the user may not write: saving a project with the firm the defaults already
// hold says nothing; with a new firm, one message that says the project itself was saved.
TEST_F(ProgettoFileTest, CartellaProgrammaNonScrivibileNonFallisceIlSalvataggio) {
  CostruisciRete();
  ASSERT_TRUE(ScriviRTG(cartella.File("primo.RTG")));
  ASSERT_EQ(cartella.Read("TENIMPTECDEF.CFG"), "4.0\r\nTermo, Idraulica Srl\r\n\r\n\r\nMario Rossi\r\n");
  ::chmod(cartella.Path().c_str(), 0755);
  test::TempFolder progetti;
  ::chmod(progetti.Path().c_str(), 0777);
  const auto esito = test::ComeUtenteComune([&] {
    std::string visto;
    for (const char* tecnico : {"Mario Rossi", "Luca Verdi"}) {
      TenutaImpianto.NomeTecnico = tecnico;
      utente.messaggi.clear();
      if (std::string(tecnico) != "Mario Rossi") utente.Attendi("TENIMPTECDEF.CFG");
      visto += ScriviRTG(progetti.File("p.RTG")) ? "salvato" : "rifiutato";
      for (const auto& m : utente.messaggi) visto += "|" + m.testo;
      visto += "\n";
    }
    return visto;
  });
  ASSERT_TRUE(esito.has_value()) << "impossibile eseguire la prova come utente senza privilegi";
  EXPECT_EQ(*esito, "salvato\nsalvato|Il progetto e' stato salvato, ma i dati predefiniti del tecnico non sono "
                    "stati salvati nel file TENIMPTECDEF.CFG.\r\nImpossibile scrivere il file " +
                        cartella.File("TENIMPTECDEF.CFG") + ": " + MotivoErrore(EACCES) + "\n");
  EXPECT_EQ(cartella.Read("TENIMPTECDEF.CFG"), "4.0\r\nTermo, Idraulica Srl\r\n\r\n\r\nMario Rossi\r\n");
}

// Open, calculate, save: a file the program wrote comes out byte for byte the same, for both
// activities, although the user's values hold more digits than the file keeps.
// A reference or job line holding a stray carriage return (a file edited by hand) reads as the
// writer gives it back: the second save repeats the first byte for byte.
TEST_F(ProgettoFileTest, UnaRigaDiParametroConUnRitornoCarrelloSiRileggeComeVerraScritta) {
  const std::string esempio = cartella.Read("Archivio Lavori/Villetta.RTG");
  const std::string descrizione = "Villetta Bianchi\r\n.\r\n";
  ASSERT_NE(esempio.find(descrizione), std::string::npos);
  for (const char* riga : {"\r.", "\rCucina", "Casa\rBianchi", ".\r"}) {
    SCOPED_TRACE(::testing::PrintToString(std::string(riga)));
    std::string testo = esempio;
    testo.replace(testo.find(descrizione), descrizione.size(), std::string("Villetta Bianchi\r\n") + riga + "\r\n");
    cartella.Write("mano.RTG", testo);
    ASSERT_TRUE(LeggiRTG(cartella.File("mano.RTG")));
    EXPECT_EQ(DescrizioneLavoro.find('\r'), std::string::npos);
    ASSERT_TRUE(ScriviRTG(cartella.File("uno.RTG")));
    ASSERT_TRUE(LeggiRTG(cartella.File("uno.RTG")));
    ASSERT_TRUE(ScriviRTG(cartella.File("due.RTG")));
    EXPECT_EQ(cartella.Read("uno.RTG"), cartella.Read("due.RTG"));
  }
}

TEST_F(ProgettoFileTest, ApriCalcolaSalvaDaLoStessoFile) {
  for (int16_t inPressione : {int16_t{0}, int16_t{-1}}) {
    SCOPED_TRACE(inPressione ? "rete in pressione" : "impianto interno");
    ResetRete();
    ReteInPressione = inPressione;
    PressioneIniziale = inPressione ? 1000.0 / 3.0 : 2500;
    PressioneFinale = inPressione ? 150 : 0;
    VelocitaMaxImpostata = 15.0f / 7.0f;
    const int16_t a = AggiungiTronco(0);
    const int16_t b = AggiungiTronco(a);
    const int16_t d = AggiungiTronco(a);
    Tronco(a).ID_LEN = 6.123456789f;
    Tronco(a).ID_EQLENNOTA = 1.0f / 3.0f;
    Tronco(b).ID_LEN = 4;
    Tronco(d).ID_LEN = 9;
    Tronco(b).ID_P_UTENZE = 24.0f * 3.6f / GasCorrente.PCI;
    Tronco(d).ID_P_UTENZE = 2.0f / 3.0f;
    if (inPressione) Tronco(a).ID_CONTEMP = 70;
    CalcolaRete();
    ASSERT_EQ(Tronco(1).Collegato, -1);
    VerificaApriCalcolaSalva("primo.RTG");
  }
}

// The same for a pressurised network that does not hold: the pressure budget spent by a fixed
// narrow first segment, or a fixed segment that cannot carry its flow at all. What the failed
// segments show must not depend on the calculation before the save.
TEST_F(ProgettoFileTest, ApriCalcolaSalvaDaLoStessoFileConTronchiGuasti) {
  struct Caso {
    const char* nome;
    float lunghezza;
    float portata;
  };
  for (const Caso& caso : {Caso{"budget esaurito", 400, 60}, Caso{"tronco strozzato", 10, 5000}}) {
    SCOPED_TRACE(caso.nome);
    ResetRete();
    ReteInPressione = -1;
    PressioneIniziale = 200;
    PressioneFinale = 150;
    VelocitaMaxImpostata = 15;
    const int16_t a = AggiungiTronco(0);
    const int16_t b = AggiungiTronco(a);
    const int16_t c = AggiungiTronco(b);
    const int16_t d = AggiungiTronco(b);
    Tronco(a).ID_LEN = caso.lunghezza;
    Tronco(a).ID_DIAMETRO = Diametro(Tronco(a).IndiceMateriale, 1);
    Tronco(a).ID_DIAMCUSTOM = -1;
    for (int16_t s : {b, c, d}) Tronco(s).ID_LEN = 10;
    Tronco(c).ID_P_UTENZE = caso.portata;
    Tronco(d).ID_P_UTENZE = 1;
    // Each edit recalculates: the save follows more than one calculation.
    CalcolaRete();
    CalcolaRete();
    ASSERT_EQ(Tronco(c).ID_PDC_TRONCO, -1);
    VerificaApriCalcolaSalva("guasto.RTG");
  }
}

// A network the calculation refuses (a fixed diameter its series does not hold) keeps the
// results it had: open, calculate (refused) and save give the same file.
TEST_F(ProgettoFileTest, ApriCalcolaSalvaDaLoStessoFileConCalcoloRifiutato) {
  utente.PermettiTutti();
  for (int16_t inPressione : {int16_t{0}, int16_t{-1}}) {
    SCOPED_TRACE(inPressione ? "rete in pressione" : "impianto interno");
    ResetRete();
    ReteInPressione = inPressione;
    PressioneIniziale = inPressione ? 200 : 2500;
    PressioneFinale = inPressione ? 150 : 0;
    VelocitaMaxImpostata = 15;
    const int16_t a = AggiungiTronco(0);
    const int16_t b = AggiungiTronco(a);
    Tronco(a).ID_LEN = 6.123456789f;
    Tronco(b).ID_LEN = 4;
    Tronco(b).ID_P_UTENZE = 2.0f / 3.0f;
    CalcolaRete();
    ASSERT_EQ(Tronco(1).Collegato, -1);
    Tronco(b).ID_DIAMETRO = "nessuna riga";
    Tronco(b).ID_DIAMCUSTOM = -1;
    ASSERT_FALSE(MotivoRifiutoCalcolo().empty());
    CalcolaRete();
    VerificaApriCalcolaSalva("rifiutato.RTG");
  }
}

TEST_F(ProgettoFileTest, ProgettoSenzaDittaNonCancellaIDefault) {
  cartella.Write("TENIMPTECDEF.CFG", "4.0\r\nDitta\r\nVia\r\nTel\r\nTecnico\r\n");
  Rete().NumTronchi = 1;
  ReteInPressione = -1;
  ASSERT_TRUE(ScriviRTG(cartella.File("q.RTG")));
  EXPECT_EQ(cartella.Read("TENIMPTECDEF.CFG"), "4.0\r\nDitta\r\nVia\r\nTel\r\nTecnico\r\n");
}

}  // namespace
}  // namespace varnex
