// The start-up sequence with scripted windows on the shipped archives: the order of the steps,
// the progress, the command line, the second instance and the archives it cannot run without.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "model/files.h"
#include "model/progetto_file.h"
#include "shell/ambiente_prova.h"
#include "shell/hints.h"
#include "app/startup.h"
#include "shell/stato_interfaccia.h"

namespace varnex::test {
namespace {

// The windows of the sequence; every call lands in the same log as the loaders'.
class FakeFinestreAvvio : public IFinestreAvvio {
 public:
  explicit FakeFinestreAvvio(std::vector<std::string>& log) : log_(log) {}
  bool PrendiIstanza() override {
    log_.push_back("istanza");
    return istanzaLibera;
  }
  void MostraSplash() override { log_.push_back("splash"); }
  void Progresso(int16_t v) override { log_.push_back("progresso " + std::to_string(v)); }
  void ShowWorking(const std::string& t) override { log_.push_back("stato " + t); }
  void ScaricaSplash() override { log_.push_back("fine splash"); }
  void MostraFinestraPrincipale() override { log_.push_back("principale"); }
  void MostraSuggerimenti() override { log_.push_back("suggerimenti"); }
  void SpuntaSuggerimenti(bool s) override { log_.push_back(std::string("spunta ") + (s ? "si" : "no")); }
  void MostraAttivita() override { log_.push_back("attivita"); }
  void TerminaProcesso(int c) override { log_.push_back("termina " + std::to_string(c)); }
  bool istanzaLibera = true;

 private:
  std::vector<std::string>& log_;
};

// The real loaders, each logged before it runs.
class CaricatoriRegistrati : public ICaricatoriAvvio {
 public:
  explicit CaricatoriRegistrati(std::vector<std::string>& log) : log_(log) {}
  void LoadSwCompany() override { Log("LoadSwCompany"), ICaricatoriAvvio::LoadSwCompany(); }
  void ResetRete() override { Log("ResetRete"), ICaricatoriAvvio::ResetRete(); }
  void CaricaMateriali() override { Log("CaricaMateriali"), ICaricatoriAvvio::CaricaMateriali(); }
  bool InitGas() override { return Log("InitGas"), ICaricatoriAvvio::InitGas(); }
  void CaricaPDCMax() override { Log("CaricaPDCMax"), ICaricatoriAvvio::CaricaPDCMax(); }
  void InitPDCMax() override { Log("InitPDCMax"), ICaricatoriAvvio::InitPDCMax(); }
  void InitSpeciali() override { Log("InitSpeciali"), ICaricatoriAvvio::InitSpeciali(); }
  bool InitFamiglieGas() override { return Log("InitFamiglieGas"), ICaricatoriAvvio::InitFamiglieGas(); }
  void LoadPagePercent() override { Log("LoadPagePercent"); }
  bool CaricaDefinizioneGriglie() override {
    return Log("CaricaDefinizioneGriglie"), ICaricatoriAvvio::CaricaDefinizioneGriglie();
  }
  void getDefaultValueFromFile() override { Log("getDefaultValueFromFile"), ICaricatoriAvvio::getDefaultValueFromFile(); }

 private:
  void Log(const char* s) { log_.push_back(s); }
  std::vector<std::string>& log_;
};

class Avvio : public ProgrammaProva {
 protected:
  void SetUp() override {
    ProgrammaProva::SetUp();
    // No tips unless a test asks for them.
    impostazioni.Scrivi("Varnex", "HintsShow", "false");
    // Start-up empties everything itself.
    NumGas = 0;
    ArchivioGas.resize(1);
    NumMateriali = 0;
    DefaultGas.clear();
  }
  EsitoAvvio Esegui(const std::string& riga) {
    SequenzaAvvio sequenza(schermo, caricatori);
    return sequenza.Esegui(riga);
  }
  std::vector<std::string> Solo(const std::string& prefisso) const {
    std::vector<std::string> r;
    for (const auto& s : log)
      if (s.rfind(prefisso, 0) == 0) r.push_back(s);
    return r;
  }
  size_t Posizione(const std::string& voce) const {
    return static_cast<size_t>(std::find(log.begin(), log.end(), voce) - log.begin());
  }
  // A project on disk with its own velocity and pressures (a pressurised network).
  std::string ProgettoInPressione() {
    CaricaMateriali();
    InitGas();
    ResetRete();
    ReteInPressione = -1;
    OrientamentoSorgente = 1;
    const int16_t t = AggiungiTronco(0);
    Tronco(t).ID_LEN = 20;
    Tronco(t).ID_P_UTENZE = 10;
    VelocitaMaxImpostata = 7.5f;
    PressioneIniziale = 320;
    PressioneFinale = 250;
    Riferimento = "Capannone";
    const std::string percorso = cartella.File("capannone.RTG");
    EXPECT_TRUE(ScriviRTG(percorso));
    ResetRete();
    ReteInPressione = 0;
    NumGas = 0;
    ArchivioGas.resize(1);
    return percorso;
  }

  std::vector<std::string> log;
  FakeFinestreAvvio schermo{log};
  CaricatoriRegistrati caricatori{log};
  FakeAmbiente finestre;
};

TEST_F(Avvio, PassiInOrdine) {
  EXPECT_EQ(Esegui(""), EsitoAvvio::Avviato);
  const std::vector<std::string> attesi = {
      "istanza", "splash", "LoadSwCompany", "progresso 1", "stato Inizializzazione...", "ResetRete", "CaricaMateriali",
      "progresso 2", "stato Caricamento archivio gas", "InitGas", "CaricaPDCMax", "InitPDCMax", "InitSpeciali",
      "InitFamiglieGas", "LoadPagePercent", "CaricaDefinizioneGriglie", "progresso 4", "getDefaultValueFromFile",
      "stato Preparazione finestre", "progresso 3", "principale", "stato ", "fine splash", "spunta no", "attivita"};
  EXPECT_EQ(log, attesi);
  EXPECT_EQ(Solo("progresso"), (std::vector<std::string>{"progresso 1", "progresso 2", "progresso 4", "progresso 3"}));
  EXPECT_EQ(VersioneProgramma, "VxP4.0.15");
  EXPECT_TRUE(GrigliaNonCaricata);
  EXPECT_TRUE(GasEditorDaMain);
  EXPECT_EQ(FileRecenti.Section(), "MRUFileList");
  EXPECT_EQ(FileRecenti.Count(), 4);
  // The archives really are loaded (the core's progress texts go through the interaction).
  EXPECT_GT(NumGas, 0);
  EXPECT_GT(NumMateriali, 0);
  EXPECT_NE(std::find(utente.stati.begin(), utente.stati.end(), "Caricamento definizione tabella: 0"), utente.stati.end());
}

TEST_F(Avvio, SecondaIstanzaRifiutataPrimaDiTutto) {
  schermo.istanzaLibera = false;
  utente.Attendi("E' gia' aperta una sessione di VarnexPro.");
  EXPECT_EQ(Esegui(""), EsitoAvvio::SecondaIstanza);
  EXPECT_EQ(log, (std::vector<std::string>{"istanza", "termina 0"}));
  EXPECT_EQ(utente.messaggi.at(0).bottoni, Bottoni::OK);
  EXPECT_EQ(NumGas, 0);
}

TEST_F(Avvio, SuggerimentiSoloSeRichiesti) {
  impostazioni.Scrivi("Varnex", "HintsShow", "true");
  Esegui("");
  EXPECT_LT(Posizione("suggerimenti"), Posizione("spunta si"));
  EXPECT_LT(Posizione("spunta si"), Posizione("attivita"));
  EXPECT_LT(Posizione("fine splash"), Posizione("suggerimenti"));
}

// Without a tips file (the user deleted it, or it could not be put in the user's folder) there
// is no tip to show: no empty tips window, while the choice stays as the user set it.
TEST_F(Avvio, SenzaFileDeiSuggerimentiNessunaFinestraVuota) {
  impostazioni.Scrivi("Varnex", "HintsShow", "true");
  DeleteFileIfExists(FileProgramma("HINTS.CFG"));
  EXPECT_EQ(Esegui(""), EsitoAvvio::Avviato);
  EXPECT_EQ(std::find(log.begin(), log.end(), "suggerimenti"), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "spunta si"), log.end());
}

TEST_F(Avvio, GasInUsoDaiValoriDiDefault) {
  cartella.Write("defaultValue.ini", "!DEFAULTGAS\r\nGPL Propano\r\n~DEFAULTGAS\r\n");
  Esegui("");
  EXPECT_EQ(GasCorrente.Nome, "GPL Propano");
  EXPECT_EQ(DefaultGas, "GPL Propano");
}

TEST_F(Avvio, GasSconosciutoDaiValoriDiDefaultDiventaIlPrimo) {
  cartella.Write("defaultValue.ini", "!DEFAULTGAS\r\nGas di città\r\n~DEFAULTGAS\r\n");
  Esegui("");
  EXPECT_EQ(GasCorrente.Nome, "Metano");
  EXPECT_EQ(DefaultGas, "Metano");
}

TEST_F(Avvio, SenzaProgettoValgonoIValoriDiDefault) {
  cartella.Write("defaultValue.ini", "!DEFAULTMEDIUMSPEED\r\n12,5\r\n!DEFAULTINITPRESSURE\r\n300\r\n");
  Esegui("");
  EXPECT_FLOAT_EQ(VelocitaMaxImpostata, 12.5f);
  EXPECT_DOUBLE_EQ(PressioneIniziale, 300);
  EXPECT_DOUBLE_EQ(PressioneFinale, 150);
}

// A default typed with a point or a comma means the same number at start-up and in every new
// project after it; a text with both marks is no number, and the built-in value applies.
TEST_F(Avvio, ValoriDiDefaultLettiAlloStessoModoAllAvvioENeiNuoviProgetti) {
  struct Caso {
    const char* velocita;
    const char* iniziale;
    float velocitaAttesa;
    double inizialeAttesa;
  };
  for (const Caso& c : {Caso{"12.5", "2.5", 12.5f, 2.5}, Caso{"12,5", "2,5", 12.5f, 2.5},
                        Caso{"1.234,5", "1.234,5", 15.f, 200.}, Caso{"20", "300", 20.f, 300.}}) {
    SCOPED_TRACE(std::string(c.velocita) + " " + c.iniziale);
    cartella.Write("defaultValue.ini", std::string("!DEFAULTMEDIUMSPEED\r\n") + c.velocita +
                                           "\r\n!DEFAULTINITPRESSURE\r\n" + c.iniziale + "\r\n");
    Esegui("");
    EXPECT_FLOAT_EQ(VelocitaMaxImpostata, c.velocitaAttesa);
    EXPECT_DOUBLE_EQ(PressioneIniziale, c.inizialeAttesa);
    // The next new project.
    VelocitaMaxImpostata = 0;
    PressioneIniziale = 0;
    ResetRete();
    EXPECT_FLOAT_EQ(VelocitaMaxImpostata, c.velocitaAttesa);
    EXPECT_DOUBLE_EQ(PressioneIniziale, c.inizialeAttesa);
    NumGas = 0;
    ArchivioGas.resize(1);
    NumMateriali = 0;
  }
}

TEST_F(Avvio, RigaComandoVuotaOBianca) {
  for (const std::string riga : {"", "   "}) {
    log.clear();
    Esegui(riga);
    EXPECT_EQ(log.back(), "attivita") << "'" << riga << "'";
  }
  EXPECT_TRUE(utente.messaggi.empty());
}

TEST(RigaComando, Virgolette) {
  EXPECT_EQ(PercorsoDaRigaComando(""), "");
  EXPECT_EQ(PercorsoDaRigaComando("  "), "");
  EXPECT_EQ(PercorsoDaRigaComando("/a b/c.RTG"), "/a b/c.RTG");
  EXPECT_EQ(PercorsoDaRigaComando("\"/a b/c.RTG\""), "/a b/c.RTG");
  EXPECT_EQ(PercorsoDaRigaComando("\"/a b/c.RTG"), "/a b/c.RTG");
  EXPECT_EQ(PercorsoDaRigaComando("/a b/c.RTG\""), "/a b/c.RTG");
  EXPECT_EQ(PercorsoDaRigaComando(" /c.RTG "), " /c.RTG ");
  EXPECT_EQ(PercorsoDaRigaComando("\""), "");
}

TEST_F(Avvio, RigaComandoFileMancante) {
  for (const std::string riga : {"/non/esiste.RTG", "\"/non/esiste.RTG\"", "\""}) {
    log.clear();
    utente.Attendi("");
    Esegui(riga);
    EXPECT_EQ(utente.messaggi.back().testo, "Il File " + riga + "non esiste o non e' valido");
    EXPECT_EQ(utente.messaggi.back().bottoni, Bottoni::OK);
    EXPECT_EQ(log.back(), "attivita");
    EXPECT_EQ(FileRecenti.GetItem(1), "");
  }
}

// A project named relative to the folder the program was started from ("scripts/run
// lavori/rossi.RTG") enters the recent files, the caption and later saves as its absolute path,
// once, however it was written.
TEST_F(Avvio, RigaComandoRelativaDiventaAssolutaNeiFileRecenti) {
  const std::string percorso = ProgettoInPressione();
  std::filesystem::create_directories(cartella.File("altrove"));
  const std::filesystem::path prima = std::filesystem::current_path();
  std::filesystem::current_path(cartella.Path());
  for (const std::string& riga : {std::string("capannone.RTG"), std::string("\"./altrove/../capannone.RTG\""), percorso}) {
    SCOPED_TRACE(riga);
    NumGas = 0;
    ArchivioGas.resize(1);
    Esegui(riga);
    EXPECT_EQ(PercorsoProgetto, percorso);
    EXPECT_EQ(FileRecenti.GetItem(1), percorso);
    EXPECT_EQ(FileRecenti.GetItem(2), "");
  }
  // Started from another folder, the recent entry still finds the file.
  std::filesystem::current_path(cartella.File("altrove"));
  EXPECT_TRUE(EsisteFile(FileRecenti.GetItem(1)));
  std::filesystem::current_path(prima);
  EXPECT_TRUE(utente.messaggi.empty());
}

TEST_F(Avvio, RigaComandoCaricaIlProgettoESaltaLaSchermataIniziale) {
  const std::string percorso = ProgettoInPressione();
  Esegui("\"" + percorso + "\"");
  EXPECT_EQ(Solo("attivita").size(), 0u);
  EXPECT_EQ(PercorsoProgetto, percorso);
  EXPECT_EQ(Riferimento, "Capannone");
  EXPECT_EQ(FileRecenti.GetItem(1), percorso);
  EXPECT_EQ(finestre.titolo, "VarnexPro - " + percorso);
  EXPECT_EQ(finestre.Editor(),
            (std::vector<std::string>{"ScaricaEditor", "NewRete 1", "MostraEditor", "Elaborazione", "AggiornaCalcoli",
                                      "NewRete 1", "MostraEditor", "Elaborazione"}));
  // The project keeps its own values: a save must not write the defaults into it.
  EXPECT_FLOAT_EQ(VelocitaMaxImpostata, 7.5f);
  EXPECT_DOUBLE_EQ(PressioneIniziale, 320);
  EXPECT_DOUBLE_EQ(PressioneFinale, 250);
  // The command line's project comes after the main window.
  EXPECT_GT(finestre.eventi.size(), 0u);
}

TEST_F(Avvio, RigaComandoProgettoNonValidoNonEntraNeiRecenti) {
  const std::string percorso = cartella.Write("rotto.RTG", "ZZ\r\n");
  utente.Attendi("Archivio non riconosciuto!");
  Esegui(percorso);
  EXPECT_EQ(FileRecenti.GetItem(1), "");
  EXPECT_EQ(log.back(), "attivita");
  EXPECT_EQ(finestre.Editor().size(), 5u);
}

TEST_F(Avvio, ArchivioGasVuotoFermaLAvvio) {
  cartella.Write("gas.cfg", "# nessun gas\r\n");
  utente.Attendi("gas.cfg");
  EXPECT_EQ(Esegui(""), EsitoAvvio::ArchivioMancante);
  EXPECT_EQ(log.back(), "termina 1");
  EXPECT_EQ(Solo("principale").size(), 0u);
}

TEST_F(Avvio, ParametriFamiglieMancantiFermanoLAvvio) {
  DeleteFileIfExists(FileProgramma("PARFAMGAS.CFG"));
  utente.Attendi("PARFAMGAS.CFG");
  EXPECT_EQ(Esegui(""), EsitoAvvio::ArchivioMancante);
  EXPECT_EQ(log.back(), "termina 1");
  EXPECT_NE(std::find(log.begin(), log.end(), "fine splash"), log.end());
}

// A damaged column line in the user's layouts is reported with its file and line, and the
// shipped layouts take their place; the program starts.
TEST_F(Avvio, RigaDiColonnaDanneggiataNonFermaLAvvio) {
  const std::string percorso = FileProgramma("gridgas.cne");
  const std::string riga = CodificaRigaGriglia("Sei\t0\t1\tm\t5\tID_LEN").value();
  const std::string originale = LeggiByte(percorso);
  cartella.Write("gridgas.cne", riga + "\r\n" + originale);
  ImpostaCartellaDistribuita(VARNEX_SOURCE_DATA_DIR);
  utente.Attendi("Numero campi nella tabella errato nel file " + percorso + ", riga 1");
  EXPECT_EQ(Esegui(""), EsitoAvvio::Avviato);
  ImpostaCartellaDistribuita("");
  EXPECT_EQ(Solo("principale").size(), 1u);
  EXPECT_GT(UltimaColonnaGriglia[0], 0);
}

TEST_F(Avvio, DefinizioniTabellaMancantiFermanoLAvvio) {
  DeleteFileIfExists(FileProgramma("gridgas.cne"));
  utente.Attendi("gridgas.cne");
  EXPECT_EQ(Esegui(""), EsitoAvvio::ArchivioMancante);
  EXPECT_EQ(Solo("principale").size(), 0u);
}

}  // namespace
}  // namespace varnex::test
