// Copying the standard archives and the project files: the questions and their answers, the
// merge of the gas archive, the rename sequence, and failed runs that are logged and reported.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <map>
#include <regex>

#include "archives/copia_archivi.h"
#include "archives/editor_materiali.h"
#include "model/files.h"
#include "model/gas.h"
#include "model/materiali.h"
#include "model/rete.h"
#include "shell/stato_interfaccia.h"
#include "model/archivi_scrittura_bloccata.h"
#include "model/rete_prova.h"
#include "shell/ambiente_prova.h"

namespace varnex::test {
namespace {

namespace fs = std::filesystem;

// The user in front of the overwrite question and the rename prompt: scripted answers in order,
// every question recorded; a question nobody scripted fails the test.
class FakeDomande : public IDomandeCopia {
 public:
  ~FakeDomande() override {
    for (int16_t r : risposte) ADD_FAILURE() << "answer never used: " << r;
    for (const auto& n : nomi) ADD_FAILURE() << "name never used: " << n;
  }
  int16_t ChiediSovrascrittura(const std::string& testo, bool rinomina) override {
    domande.push_back(testo);
    rinomine.push_back(rinomina);
    if (risposte.empty()) {
      ADD_FAILURE() << "unexpected question: " << testo;
      return CopiaAnnulla;
    }
    const int16_t r = risposte.front();
    risposte.pop_front();
    return r;
  }
  std::string ChiediNuovoNome(const std::string& nome) override {
    proposti.push_back(nome);
    if (nomi.empty()) {
      ADD_FAILURE() << "unexpected rename prompt: " << nome;
      return {};
    }
    const std::string n = nomi.front();
    nomi.pop_front();
    return n;
  }
  std::deque<int16_t> risposte;
  std::deque<std::string> nomi;
  std::vector<std::string> domande, proposti;
  std::vector<bool> rinomine;
};

class CopiaArchiviTest : public ProgrammaProva {
 protected:
  void SetUp() override {
    ProgrammaProva::SetUp();
    // Every source archive tells where it comes from.
    for (const char* f : ArchiviStandard()) origine.Write(f, std::string("origine ") + f + "\r\n");
    origine.Write("GAS.CFG", "A\t 1 \r\nC\t 3 \r\n");
    origine.Write("ALTRA.MAT", "non copiata\r\n");
  }
  std::string Da() const { return origine.Path() + "/"; }
  std::string A() const { return destinazione.Path() + "/"; }
  // The destination holds every archive, each saying so.
  void DestinazionePiena() const {
    for (const char* f : ArchiviStandard()) destinazione.Write(f, std::string("destinazione ") + f + "\r\n");
    destinazione.Write("GAS.CFG", "A\t 10 \r\nB\t 20 \r\n");
  }
  bool DaOrigine(const char* f) const { return destinazione.Read(f) == std::string("origine ") + f + "\r\n"; }
  bool Intatto(const char* f) const { return destinazione.Read(f) == std::string("destinazione ") + f + "\r\n"; }

  TempFolder origine, destinazione;
  FakeDomande domande;
};

TEST_F(CopiaArchiviTest, DestinazioneVuotaCopiaTuttoSenzaDomande) {
  EXPECT_EQ(CopiaArchivi(Da(), A(), domande), EsitoCopia::Completata);
  for (const char* f : ArchiviStandard()) {
    if (std::string(f) != "GAS.CFG") {
      EXPECT_TRUE(DaOrigine(f)) << f;
    }
  }
  EXPECT_EQ(destinazione.Read("GAS.CFG"), "A\t 1 \r\nC\t 3 \r\n");
  EXPECT_FALSE(fs::exists(destinazione.File("ALTRA.MAT")));  // only the standard archives
  EXPECT_TRUE(domande.domande.empty());
  EXPECT_TRUE(utente.messaggi.empty());
}

TEST_F(CopiaArchiviTest, FileMancanteAvvisaEProsegue) {
  fs::remove(origine.File("PE4437.MAT"));
  utente.Attendi("Il file PE4437.MAT non verrà copiato \r\npoichè non è presente nella cartella di provenienza.");
  EXPECT_EQ(CopiaArchivi(Da(), A(), domande), EsitoCopia::Completata);
  EXPECT_EQ(utente.messaggi.size(), 1u);
  EXPECT_EQ(utente.messaggi[0].bottoni, Bottoni::OK);
  EXPECT_TRUE(DaOrigine("RAME-B.MAT"));
  EXPECT_TRUE(DaOrigine("TENIMPTECDEF.CFG"));
}

TEST_F(CopiaArchiviTest, OrigineInesistenteDieciAvvisiNienteCopiato) {
  for (int i = 0; i < 10; ++i) utente.Attendi("non verrà copiato");
  EXPECT_EQ(CopiaArchivi(origine.Path() + "/manca/", A(), domande), EsitoCopia::Completata);
  EXPECT_NE(utente.messaggi[6].testo.find("GAS.CFG"), std::string::npos);
  EXPECT_TRUE(fs::is_empty(destinazione.Path()));
}

TEST_F(CopiaArchiviTest, SiTuttiSulPrimoMatCopiaIlRestoMaChiedeIlGas) {
  DestinazionePiena();
  domande.risposte = {CopiaSiTutti, CopiaNo};
  EXPECT_EQ(CopiaArchivi(Da(), A(), domande), EsitoCopia::Completata);
  ASSERT_EQ(domande.domande.size(), 2u);
  EXPECT_EQ(domande.domande[0], TestoSovrascrittura("ACCIAIOL.MAT"));
  EXPECT_EQ(domande.domande[0],
            "La cartella di destinazione contiene già un file di nome ACCIAIOL.MAT.\r\n\r\nSovrascrivere il file esistente?");
  EXPECT_TRUE(domande.rinomine[0]);
  EXPECT_EQ(domande.domande[1], MsgUnioneGas);
  EXPECT_FALSE(domande.rinomine[1]);
  for (const char* f : ArchiviStandard()) {
    if (std::string(f) != "GAS.CFG") {
      EXPECT_TRUE(DaOrigine(f)) << f;
    }
  }
  EXPECT_EQ(destinazione.Read("GAS.CFG"), "A\t 10 \r\nB\t 20 \r\n");
}

// A copy replaces what is there the way a save does: an archive shared with the group stays
// open to it, and one reached through a symbolic link is replaced where the link leads.
TEST_F(CopiaArchiviTest, SovrascritturaTieneIPermessiESegueICollegamenti) {
  destinazione.Write("ACCIAIOL.MAT", "destinazione ACCIAIOL.MAT\r\n");
  fs::permissions(destinazione.File("ACCIAIOL.MAT"), fs::perms(0664));
  TempFolder altrove;
  altrove.Write("PE4437.MAT", "altrove\r\n");
  fs::create_symlink(altrove.File("PE4437.MAT"), destinazione.File("PE4437.MAT"));
  domande.risposte = {CopiaSiTutti};
  EXPECT_EQ(CopiaArchivi(Da(), A(), domande), EsitoCopia::Completata);
  EXPECT_TRUE(DaOrigine("ACCIAIOL.MAT"));
  EXPECT_EQ(fs::status(destinazione.File("ACCIAIOL.MAT")).permissions(), fs::perms(0664));
  EXPECT_TRUE(fs::is_symlink(destinazione.File("PE4437.MAT")));
  EXPECT_EQ(altrove.Read("PE4437.MAT"), "origine PE4437.MAT\r\n");
}

TEST_F(CopiaArchiviTest, SiTuttiSulGasCopiaIConfigurazioniSeguenti) {
  DestinazionePiena();
  domande.risposte = {CopiaNo, CopiaNo, CopiaNo, CopiaNo, CopiaNo, CopiaSi, CopiaSiTutti};
  EXPECT_EQ(CopiaArchivi(Da(), A(), domande), EsitoCopia::Completata);
  ASSERT_EQ(domande.domande.size(), 7u);
  EXPECT_FALSE(domande.rinomine[5]);  // EQLEN.CFG: no rename for configuration files
  EXPECT_TRUE(Intatto("ACCIAIOL.MAT"));
  EXPECT_TRUE(DaOrigine("EQLEN.CFG"));
  EXPECT_EQ(destinazione.Read("GAS.CFG"), "$$A\t 10 \r\nB\t 20 \r\nA\t 1 \r\nC\t 3 \r\n");
  for (const char* f : {"PARFAMGAS.CFG", "PDCMAX.CFG", "TENIMPTECDEF.CFG"}) EXPECT_TRUE(DaOrigine(f)) << f;
}

TEST_F(CopiaArchiviTest, AnnullaFermaLaCopia) {
  DestinazionePiena();
  domande.risposte = {CopiaSi, CopiaAnnulla};
  EXPECT_EQ(CopiaArchivi(Da(), A(), domande), EsitoCopia::Annullata);
  EXPECT_TRUE(DaOrigine("ACCIAIOL.MAT"));
  EXPECT_TRUE(Intatto("ACCIAIOM.MAT"));
  EXPECT_TRUE(Intatto("PDCMAX.CFG"));
  EXPECT_TRUE(utente.messaggi.empty());
}

TEST_F(CopiaArchiviTest, UnioneGasDueVolteEIlNomeDelGasConfrontatoComeOvunque) {
  destinazione.Write("gas.cfg", "A\tdA\r\nB\tdB\r\n");
  origine.Write("GAS.CFG", "A\tsA\r\nC\tsC\r\n");
  ASSERT_TRUE(UnisciArchivioGas(Da(), A()));
  EXPECT_EQ(destinazione.Read("gas.cfg"), "$$A\tdA\r\nB\tdB\r\nA\tsA\r\nC\tsC\r\n");
  ASSERT_TRUE(UnisciArchivioGas(Da(), A()));
  EXPECT_EQ(destinazione.Read("gas.cfg"), "$$A\tdA\r\nB\tdB\r\n$$A\tsA\r\n$$C\tsC\r\nA\tsA\r\nC\tsC\r\n");
  EXPECT_FALSE(fs::exists(destinazione.File("GAS.CFG")));  // merged into the file that was there
  // Gas names compared by the one rule of the program (letter case, blanks of every kind and runs
  // of blanks do not count): the archive's gas is renamed, never left as a twin the reload refuses.
  destinazione.Write("gas.cfg", "Metano\t1\r\nGPL Propano\t3\r\nAria\t5\r\n");
  origine.Write("GAS.CFG", "METANO\t2\r\nGPL  Propano\xA0\t4\r\nAria2\t6\r\n");
  ASSERT_TRUE(UnisciArchivioGas(Da(), A()));
  EXPECT_EQ(destinazione.Read("gas.cfg"),
            "$$Metano\t1\r\n$$GPL Propano\t3\r\nAria\t5\r\nMETANO\t2\r\nGPL  Propano\xA0\t4\r\nAria2\t6\r\n");
}

TEST_F(CopiaArchiviTest, UnioneGasLasciaCommentiERigheVuote) {
  destinazione.Write("gas.cfg", "# Archivio\r\n\r\nA\t1\r\n");
  origine.Write("GAS.CFG", "# Archivio\r\nA\t2\r\n\r\n");
  ASSERT_TRUE(UnisciArchivioGas(Da(), A()));
  EXPECT_EQ(destinazione.Read("gas.cfg"), "# Archivio\r\n\r\n$$A\t1\r\nA\t2\r\n");
}

TEST_F(CopiaArchiviTest, UnioneGasFallitaLasciaLArchivio) {
  destinazione.Write("gas.cfg", "A\t1\r\nB\t2\r\n");
  ErroreCopia errore;
  {
    ScritturaBloccata bloccata;
    EXPECT_FALSE(UnisciArchivioGas(Da(), A(), &errore));
  }
  EXPECT_FALSE(errore.Descrizione.empty());
  EXPECT_EQ(destinazione.Read("gas.cfg"), "A\t1\r\nB\t2\r\n");
}

TEST_F(CopiaArchiviTest, RinominaAnnullataRichiedeEPoiNoSalta) {
  DestinazionePiena();
  domande.risposte = {CopiaRinomina, CopiaNo, CopiaAnnulla};
  domande.nomi = {""};
  EXPECT_EQ(CopiaArchivi(Da(), A(), domande), EsitoCopia::Annullata);
  ASSERT_EQ(domande.domande.size(), 3u);
  EXPECT_EQ(domande.proposti, std::vector<std::string>{"ACCIAIOL.MAT"});
  EXPECT_EQ(domande.domande[1], domande.domande[0]);  // the same question again
  EXPECT_TRUE(domande.rinomine[1]);
  EXPECT_TRUE(Intatto("ACCIAIOL.MAT"));
  EXPECT_EQ(domande.domande[2], TestoSovrascrittura("ACCIAIOM.MAT"));
}

TEST_F(CopiaArchiviTest, RinominaCopiaColNuovoNome) {
  DestinazionePiena();
  domande.risposte = {CopiaRinomina, CopiaAnnulla};
  domande.nomi = {"ACCIAIOX.MAT"};
  EXPECT_EQ(CopiaArchivi(Da(), A(), domande), EsitoCopia::Annullata);
  EXPECT_EQ(destinazione.Read("ACCIAIOX.MAT"), "origine ACCIAIOL.MAT\r\n");
  EXPECT_TRUE(Intatto("ACCIAIOL.MAT"));
}

TEST_F(CopiaArchiviTest, RinominaSuUnNomeEsistenteChiedeDiNuovo) {
  DestinazionePiena();
  destinazione.Write("acciaiox.mat", "da tenere\r\n");
  domande.risposte = {CopiaRinomina, CopiaNo, CopiaAnnulla};
  domande.nomi = {"ACCIAIOX.MAT"};
  EXPECT_EQ(CopiaArchivi(Da(), A(), domande), EsitoCopia::Annullata);
  EXPECT_EQ(domande.domande[1], TestoSovrascrittura("ACCIAIOX.MAT"));
  EXPECT_EQ(destinazione.Read("acciaiox.mat"), "da tenere\r\n");
  // "Si" on that question overwrites the file that is there, whatever its letter case.
  domande.risposte = {CopiaRinomina, CopiaSi, CopiaAnnulla};
  domande.nomi = {"ACCIAIOX.MAT"};
  EXPECT_EQ(CopiaArchivi(Da(), A(), domande), EsitoCopia::Annullata);
  EXPECT_EQ(destinazione.Read("acciaiox.mat"), "origine ACCIAIOL.MAT\r\n");
  EXPECT_FALSE(fs::exists(destinazione.File("ACCIAIOX.MAT")));
}

TEST_F(CopiaArchiviTest, NomeCheEsceDallaCartellaContaComeAnnullato) {
  DestinazionePiena();
  domande.risposte = {CopiaRinomina, CopiaRinomina, CopiaRinomina, CopiaNo, CopiaAnnulla};
  domande.nomi = {"../fuori.MAT", "sotto/x.MAT", ".."};
  EXPECT_EQ(CopiaArchivi(Da(), A(), domande), EsitoCopia::Annullata);
  EXPECT_FALSE(fs::exists(fs::path(destinazione.Path()).parent_path() / "fuori.MAT"));
  EXPECT_FALSE(fs::exists(destinazione.File("sotto")));
  for (size_t i = 1; i <= 3; ++i) EXPECT_EQ(domande.domande[i], TestoSovrascrittura("ACCIAIOL.MAT"));
  EXPECT_TRUE(NomeFileSicuro("nuovo nome.MAT"));
  EXPECT_FALSE(NomeFileSicuro(""));
  EXPECT_FALSE(NomeFileSicuro("."));
  EXPECT_FALSE(NomeFileSicuro("a\\b"));
}

TEST_F(CopiaArchiviTest, CopiaFallitaScriveIlLogEAvvisa) {
  // The second archive cannot take the place of the folder of that name.
  fs::create_directories(destinazione.File("ACCIAIOM.MAT/dentro"));
  utente.Attendi(MsgErroreCopiaArchivi);
  EXPECT_EQ(CopiaArchivi(Da(), A(), domande), EsitoCopia::Fallita);
  EXPECT_TRUE(DaOrigine("ACCIAIOL.MAT"));  // copies made before the failure stay
  EXPECT_FALSE(fs::exists(destinazione.File("ACCIAIOP.MAT")));
  EXPECT_EQ(utente.messaggi[0].bottoni, Bottoni::OK);
  EXPECT_EQ(utente.messaggi[0].titolo, "");
  // A destination that does not exist fails at the first file; the log grows by one line.
  utente.Attendi(MsgErroreCopiaArchivi);
  EXPECT_EQ(CopiaArchivi(Da(), destinazione.Path() + "/manca/", domande), EsitoCopia::Fallita);
  const std::string log = cartella.Read(FileLogCopiaArchivi);
  const std::regex riga(R"(-?\d+  #  [^\r\n]+  #  \d\d/\d\d/\d{4}  #  \d\d/\d\d/\d{4} \d\d:\d\d:\d\d\r\n)");
  std::smatch m;
  std::string resto = log;
  int righe = 0;
  while (std::regex_search(resto, m, riga) && m.position() == 0) {
    ++righe;
    resto = m.suffix();
  }
  EXPECT_EQ(righe, 2) << log;
  EXPECT_TRUE(resto.empty()) << log;
  EXPECT_NE(log.find("ACCIAIOM.MAT"), std::string::npos);
}

TEST_F(CopiaArchiviTest, UnaCopiaNellaCartellaDelProgrammaRicaricaGliArchiviEIlProgettoLiSegue) {
  RicalcoloAutomatico = 0;
  CostruisciImpianto();
  std::string rame = "RAME-B", acciaio = "ACCIAIOM";
  Tronco(1).ID_MATERIALE = rame;
  Tronco(1).IndiceMateriale = CercaMateriale(rame);
  Tronco(2).ID_MATERIALE = acciaio;
  Tronco(2).IndiceMateriale = CercaMateriale(acciaio);
  Rete().MaterialeDefault = Tronco(2).IndiceMateriale;
  ASSERT_GT(Tronco(1).IndiceMateriale, 0);
  GasCorrente = ArchivioGas[1];
  ASSERT_EQ(GasCorrente.Nome, "Metano");
  const int16_t serie = NumMateriali;

  origine.Write("ACCIAIOL.MAT", "# serie\r\n 1\r\n 7850\r\nNuova\r\nX\t 2 \t 20 \t\r\n");
  origine.Write("GAS.CFG", "Metano\t 0,6 \t 1,6E-05 \t 35 \t 39 \t 0 \r\n");
  // ACCIAIOL.MAT renamed to a series listed before every other, the gas archive merged, the rest
  // left as it is (TENIMPTECDEF.CFG is new there and copied without a question).
  domande.risposte = {CopiaRinomina, CopiaNo, CopiaNo, CopiaNo, CopiaNo, CopiaNo, CopiaSi, CopiaNo, CopiaNo};
  domande.nomi = {"AAAA.MAT"};
  utente.Attendi(std::string(MsgArchiviRicaricati) + MsgProgettoRicaricato);
  EXPECT_EQ(CopiaArchivi(Da(), CartellaProgramma() + "/", domande), EsitoCopia::Completata);

  EXPECT_EQ(NumMateriali, serie + 1);
  std::string nuova = "AAAA";
  const int16_t aaaa = CercaMateriale(nuova);
  ASSERT_GT(aaaa, 0);
  EXPECT_FLOAT_EQ(Materiali[static_cast<size_t>(aaaa)][1].DiamInterno, 20.0f);
  // Every segment still names the series it had, whatever index the series has now.
  for (int16_t s = 1; s <= 2; ++s)
    EXPECT_EQ(Materiali[static_cast<size_t>(Tronco(s).IndiceMateriale)][0].Nome, Tronco(s).ID_MATERIALE) << s;
  EXPECT_EQ(Materiali[static_cast<size_t>(Rete().MaterialeDefault)][0].Nome, "ACCIAIOM");
  // The gas archive in memory is the merged file, and the gas in use is the file's gas of its name.
  const std::vector<TGas> memoria(ArchivioGas.begin(), ArchivioGas.end());
  EXPECT_EQ(ArchivioGas[1].Nome, "$$Metano");
  EXPECT_FLOAT_EQ(GasCorrente.PCI, 35.0f);
  EXPECT_EQ(ProgettoModificato, -1);
  InitGas();
  ASSERT_EQ(ArchivioGas.size(), memoria.size());
  for (size_t i = 1; i < memoria.size(); ++i) EXPECT_EQ(ArchivioGas[i].Nome, memoria[i].Nome);
}

// A series file that left the program folder while the project is open (deleted in the
// pipe-series editor, or moved away) is gone from the table after the next copy's reload. Its
// segments are handled as when a project names a missing series at load: the substitution, or
// without a choice a calculation refused naming them. The other segments follow their series by
// name to its new index, with the figures they had.
struct CasoSerieSparita {
  const char* nome;
  bool cancellataNellEditor;
  int16_t scelta;  // line of the substitution window (ACCIAIOM is the first), 0 for none
};
void PrintTo(const CasoSerieSparita& c, std::ostream* os) { *os << c.nome; }

class SerieSparita : public CopiaArchiviTest, public ::testing::WithParamInterface<CasoSerieSparita> {};

TEST_P(SerieSparita, ItsSegmentsAreSubstitutedOrRefusedAndTheOthersFollowByName) {
  const CasoSerieSparita& caso = GetParam();
  RicalcoloAutomatico = 0;
  CostruisciImpianto();
  const int16_t terzo = AggiungiTronco(1);
  Tronco(terzo).ID_LEN = 4;
  Tronco(terzo).ID_P_UTENZE = 1.0f;
  ASSERT_EQ(Tronco(1).ID_MATERIALE, "ACCIAIOL");
  std::string rame = "RAME-B";
  Tronco(2).IndiceMateriale = CercaMateriale(rame);
  Tronco(2).ID_MATERIALE = rame;
  CalcolaRete();
  const TTronco primaRame = Tronco(2);
  ASSERT_GT(primaRame.ID_PDC_TRONCO, 0);

  TempFolder altrove;
  if (caso.cancellataNellEditor) {
    EditorMateriali editor;
    std::string nome = "ACCIAIOL";
    editor.CaricaSerie(CercaMateriale(nome));
    utente.Attendi(MsgConfermaCancellazione, Risposta::Si);
    utente.Attendi(MsgSerieCancellata);
    editor.Cancella();
  } else {
    fs::rename(cartella.File("ACCIAIOL.MAT"), altrove.File("ACCIAIOL.MAT"));
  }
  ASSERT_FALSE(fs::exists(cartella.File("ACCIAIOL.MAT")));

  // The copy brings a new series and not the one that left.
  fs::remove(origine.File("ACCIAIOL.MAT"));
  origine.Write("ACCIAIOM.MAT", "# serie\r\n 1\r\n 7850\r\nNuova\r\nX\t 2 \t 20 \t\r\n");
  domande.risposte = {CopiaRinomina, CopiaNo, CopiaNo, CopiaNo, CopiaNo, CopiaNo, CopiaNo, CopiaNo};
  domande.nomi = {"ZZZZ.MAT"};
  test::DialogoSostituzioneFinto dialogo;
  dialogo.Rispondi(caso.scelta);
  utente.Attendi(TestoFileMancante("ACCIAIOL.MAT"));
  utente.Attendi(std::string(MsgArchiviRicaricati) + MsgProgettoRicaricato);
  ProgettoModificato = 0;
  EXPECT_EQ(CopiaArchivi(Da(), CartellaProgramma() + "/", domande), EsitoCopia::Completata);

  // Asked once for the two segments that named it.
  ASSERT_EQ(dialogo.domande.size(), 1u);
  EXPECT_EQ(dialogo.domande[0].nome, "ACCIAIOL");
  EXPECT_EQ(dialogo.domande[0].candidati[0], "ACCIAIOM");
  // The copper series moved one place up and the segment went with it.
  EXPECT_EQ(Materiali[static_cast<size_t>(Tronco(2).IndiceMateriale)][0].Nome, "RAME-B");
  if (caso.scelta != 0) {
    for (int16_t s : {int16_t{1}, terzo}) {
      EXPECT_EQ(Tronco(s).ID_MATERIALE, "ACCIAIOM") << s;
      EXPECT_EQ(Materiali[static_cast<size_t>(Tronco(s).IndiceMateriale)][0].Nome, "ACCIAIOM") << s;
    }
    EXPECT_EQ(ProgettoModificato, -1);
    CalcolaRete();
    EXPECT_EQ(Tronco(2).ID_DIAMETRO, primaRame.ID_DIAMETRO);
    EXPECT_EQ(Tronco(2).ID_PDC_TRONCO, primaRame.ID_PDC_TRONCO);
    EXPECT_EQ(Tronco(2).ID_VELOCITA, primaRame.ID_VELOCITA);
  } else {
    // The name stays, so that the file put back finds its segments again.
    for (int16_t s : {int16_t{1}, terzo}) {
      EXPECT_EQ(Tronco(s).ID_MATERIALE, "ACCIAIOL") << s;
      EXPECT_EQ(Tronco(s).IndiceMateriale, 0) << s;
    }
    utente.Attendi("Tronco 1: la tubazione ACCIAIOL non e' presente nell'archivio delle tubazioni\nTronco 3: la "
                   "tubazione ACCIAIOL");
    CalcolaRete();
    EXPECT_EQ(Tronco(2).Collegato, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Casi, SerieSparita,
                         ::testing::Values(CasoSerieSparita{"CancellataSostituita", true, 1},
                                           CasoSerieSparita{"CancellataSenzaScelta", true, 0},
                                           CasoSerieSparita{"SpostataSostituita", false, 1},
                                           CasoSerieSparita{"SpostataSenzaScelta", false, 0}),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST_F(CopiaArchiviTest, UnaCopiaAltroveNonRicaricaNulla) {
  const std::vector<TGas> prima(ArchivioGas.begin(), ArchivioGas.end());
  EXPECT_EQ(CopiaArchivi(Da(), A(), domande), EsitoCopia::Completata);
  EXPECT_EQ(ArchivioGas.size(), prima.size());
  EXPECT_TRUE(utente.messaggi.empty());
}

// Every file of a folder tree with its bytes.
std::map<std::string, std::string> Contenuto(const std::string& cartella) {
  std::map<std::string, std::string> file;
  for (const auto& voce : fs::recursive_directory_iterator(cartella))
    if (voce.is_regular_file()) file[voce.path().string()] = LeggiByte(voce.path().string());
  return file;
}

TEST_F(CopiaArchiviTest, LaDestinazioneComeProvenienzaERifiutataPrimaDiCopiare) {
  DestinazionePiena();
  fs::create_directories(destinazione.File("sotto"));
  fs::create_symlink(destinazione.Path(), origine.File("collegamento"));
  const auto prima = Contenuto(destinazione.Path());
  for (const std::string& da : {A(), destinazione.Path() + "/./", destinazione.Path() + "/sotto/../",
                                origine.File("collegamento") + "/"}) {
    SCOPED_TRACE(da);
    // "Si Tutti" and "Si" would have doubled every gas: no question is even asked.
    utente.Attendi(MsgStessaCartellaArchivi);
    EXPECT_EQ(CopiaArchivi(da, A(), domande), EsitoCopia::Rifiutata);
    EXPECT_TRUE(domande.domande.empty());
    EXPECT_EQ(Contenuto(destinazione.Path()), prima);
  }
  // Another folder is still copied from.
  domande.risposte = {CopiaNo, CopiaNo, CopiaNo, CopiaNo, CopiaNo, CopiaNo, CopiaNo, CopiaNo, CopiaNo, CopiaNo};
  EXPECT_EQ(CopiaArchivi(Da(), A(), domande), EsitoCopia::Completata);
}

class CopiaProgettiTest : public ProgrammaProva {
 protected:
  std::string Da() const { return origine.Path() + "/"; }
  std::string Lavori(std::string_view f) const { return cartella.Read(std::string("Archivio Lavori/") + std::string(f)); }
  TempFolder origine;
  FakeDomande domande;
};

TEST_F(CopiaProgettiTest, CopiaSoloIProgettiDellaCartella) {
  origine.Write("rete.rtg", "uno");
  origine.Write("CASA.RTG", "due");
  origine.Write("rete.RTG.bak", "no");
  origine.Write("sotto/figlio.RTG", "no");
  EXPECT_EQ(CopiaProgetti(Da(), domande), EsitoCopia::Completata);
  EXPECT_EQ(Lavori("rete.rtg"), "uno");
  EXPECT_EQ(Lavori("CASA.RTG"), "due");
  EXPECT_FALSE(fs::exists(cartella.File("Archivio Lavori/rete.RTG.bak")));
  EXPECT_FALSE(fs::exists(cartella.File("Archivio Lavori/figlio.RTG")));
  EXPECT_FALSE(fs::exists(cartella.File("Archivio Lavori/sotto")));
  EXPECT_TRUE(domande.domande.empty());
}

TEST_F(CopiaProgettiTest, ProgettiEsistentiChiedonoRinominanoESiTutti) {
  for (const char* f : {"a.RTG", "b.RTG", "c.RTG", "d.RTG"}) {
    origine.Write(f, std::string("nuovo ") + f);
    cartella.Write(std::string("Archivio Lavori/") + f, "vecchio");
  }
  domande.risposte = {CopiaNo, CopiaRinomina, CopiaSiTutti};
  domande.nomi = {"b2.RTG"};
  EXPECT_EQ(CopiaProgetti(Da(), domande), EsitoCopia::Completata);
  ASSERT_EQ(domande.domande.size(), 3u);
  EXPECT_EQ(domande.domande[0], TestoSovrascrittura("a.RTG"));
  EXPECT_TRUE(domande.rinomine[0]);
  EXPECT_EQ(Lavori("a.RTG"), "vecchio");
  EXPECT_EQ(Lavori("b.RTG"), "vecchio");
  EXPECT_EQ(Lavori("b2.RTG"), "nuovo b.RTG");
  EXPECT_EQ(Lavori("c.RTG"), "nuovo c.RTG");
  EXPECT_EQ(Lavori("d.RTG"), "nuovo d.RTG");  // after "Si Tutti", no question
}

TEST_F(CopiaProgettiTest, CartellaIlleggibileScriveIlLogDeiProgetti) {
  utente.Attendi(MsgErroreCopiaProgetti);
  EXPECT_EQ(CopiaProgetti(origine.Path() + "/manca/", domande), EsitoCopia::Fallita);
  EXPECT_NE(cartella.Read(FileLogCopiaProgetti).find("  #  "), std::string::npos);
  EXPECT_TRUE(cartella.Read(FileLogCopiaArchivi).empty());
}

TEST_F(CopiaProgettiTest, LaCartellaDeiProgettiComeProvenienzaERifiutata) {
  cartella.Write("Archivio Lavori/a.RTG", "progetto");
  const auto prima = Contenuto(cartella.File("Archivio Lavori"));
  utente.Attendi(MsgStessaCartellaProgetti);
  EXPECT_EQ(CopiaProgetti(cartella.File("Archivio Lavori") + "/", domande), EsitoCopia::Rifiutata);
  EXPECT_TRUE(domande.domande.empty());
  EXPECT_EQ(Contenuto(cartella.File("Archivio Lavori")), prima);
}

}  // namespace
}  // namespace varnex::test
