// The project lifecycle: open, save, save as, close with each answer, exit, the captions and the
// last work folder, run on the shipped archives with a scripted user and scripted windows.
#include <gtest/gtest.h>

#include <filesystem>

#include "model/calcolo.h"
#include "model/campi.h"
#include "model/files.h"
#include "model/progetto_file.h"
#include "model/strings.h"
#include "model/textfile.h"
#include "schema/disegno.h"
#include "schema/superficie_registrata.h"
#include "shell/ambiente_prova.h"
#include "model/tenuta.h"

namespace varnex::test {
namespace {

class Progetto : public ProgrammaProva {
 protected:
  // A saved project on disk (the model then empty again).
  std::string ProgettoSalvato(const std::string& nome = "rossi.RTG") {
    CostruisciImpianto();
    const std::string percorso = cartella.File(nome);
    EXPECT_TRUE(ScriviRTG(percorso));
    ResetRete();
    return percorso;
  }
  FakeAmbiente finestre;
};

TEST_F(Progetto, UltimaCartellaPredefinitaEMemorizzata) {
  EXPECT_EQ(GetUltimaCartella(), UnisciPercorso(CartellaProgramma(), "Archivio Lavori"));
  SalvaUltimaCartella("   ");
  EXPECT_FALSE(impostazioni.Leggi("Recent", "LastWorkDirectory"));
  SalvaUltimaCartella("/lavori/2024/rossi.RTG");
  EXPECT_EQ(impostazioni.Leggi("Recent", "LastWorkDirectory").value_or(""), "/lavori/2024/");
  EXPECT_EQ(GetUltimaCartella(), "/lavori/2024/");
}

TEST_F(Progetto, ApriCaricaIlProgettoEMostraLEditor) {
  const std::string percorso = ProgettoSalvato();
  SalvaUltimaCartella(cartella.File("x"));
  finestre.risposte.push_back(percorso);

  ApriProgetto();

  EXPECT_EQ(finestre.eventi.front(), "apri:Carica impianto|Impianti (*.RTG)|*.RTG|" + cartella.Path() + "/");
  EXPECT_TRUE(ProgettoCaricato);
  EXPECT_EQ(PercorsoProgetto, percorso);
  EXPECT_EQ(Riferimento, "Casa Rossi");
  EXPECT_EQ(Rete().NumTronchi, 2);
  EXPECT_EQ(FileRecenti.GetItem(1), percorso);
  EXPECT_EQ(finestre.titolo, "VarnexPro - " + percorso);
  EXPECT_EQ(finestre.Editor(), (std::vector<std::string>{"ScaricaEditor", "NewRete 1", "MostraEditor", "Elaborazione",
                                                         "AggiornaCalcoli"}));
  // The wait window is up while the file is read.
  EXPECT_TRUE(finestre.Visto("attesa"));
  EXPECT_TRUE(finestre.Visto("fine attesa"));
  EXPECT_EQ(GetUltimaCartella(), cartella.Path() + "/");
}

TEST_F(Progetto, ApriAnnullatoNonChiudeNienteENonRicordaLaCartella) {
  CostruisciImpianto();
  ProgettoModificato = -1;
  finestre.risposte.push_back(std::nullopt);
  ApriProgetto();
  EXPECT_EQ(Rete().NumTronchi, 2);
  EXPECT_TRUE(ProgettoModificato);
  EXPECT_TRUE(finestre.Editor().empty());
  EXPECT_FALSE(impostazioni.Leggi("Recent", "LastWorkDirectory"));
}

TEST_F(Progetto, ApriAbbandonatoAllaDomandaRicordaSoloLaCartella) {
  const std::string percorso = ProgettoSalvato();
  CostruisciImpianto();
  Riferimento = "aperto";
  ProgettoModificato = -1;
  finestre.risposte.push_back(percorso);
  utente.Attendi("Salvare il progetto aperto", Risposta::Annulla);
  ApriProgetto();
  EXPECT_EQ(Riferimento, "aperto");
  EXPECT_EQ(FileRecenti.GetItem(1), "");
  EXPECT_TRUE(finestre.Editor().empty());
  EXPECT_EQ(GetUltimaCartella(), cartella.Path() + "/");
}

TEST_F(Progetto, ApriUnFileMancanteNonEntraNeiRecentiMaMostraIlProgettoVuoto) {
  CostruisciImpianto();
  finestre.risposte.push_back(cartella.File("manca.RTG"));
  utente.Attendi("Il file selezionato non esiste");
  ApriProgetto();
  EXPECT_EQ(utente.messaggi.back().testo, "Il file selezionato non esiste");
  EXPECT_EQ(Rete().NumTronchi, 0);
  EXPECT_EQ(FileRecenti.GetItem(1), "");
  EXPECT_EQ(finestre.titolo, "VarnexPro  - ");
  // The editor must not go on showing the closed project.
  EXPECT_EQ(finestre.Editor(), (std::vector<std::string>{"ScaricaEditor", "NewRete 1", "MostraEditor", "Elaborazione",
                                                         "AggiornaCalcoli"}));
}

TEST_F(Progetto, ApriUnFileNonRiconosciutoNonEntraNeiRecenti) {
  const std::string percorso = cartella.Write("strano.RTG", "XX 4\r\n!PARAMETERS\r\n");
  finestre.risposte.push_back(percorso);
  utente.Attendi("Archivio non riconosciuto!");
  ApriProgetto();
  EXPECT_FALSE(ProgettoCaricato);
  EXPECT_EQ(PercorsoProgetto, "");
  EXPECT_EQ(FileRecenti.GetItem(1), "");
  EXPECT_EQ(finestre.Editor().size(), 5u);
}

TEST_F(Progetto, ApriUnNomeConAsteriscoNonCaricaMaRinfrescaLEditor) {
  finestre.risposte.push_back(cartella.File("*.RTG"));
  ApriProgetto();
  EXPECT_EQ(FileRecenti.GetItem(1), "");
  EXPECT_FALSE(finestre.Visto("attesa"));
  EXPECT_EQ(finestre.Editor().size(), 5u);
}

TEST_F(Progetto, SalvaConPercorsoScriveSenzaDomande) {
  CostruisciImpianto();
  ProgettoModificato = -1;
  const std::string percorso = cartella.File("nuovo.RTG");
  EXPECT_EQ(SalvaProgetto(percorso), percorso);
  EXPECT_TRUE(EsisteFile(percorso));
  EXPECT_EQ(PercorsoProgetto, percorso);
  EXPECT_FALSE(ProgettoModificato);
  EXPECT_EQ(FileRecenti.GetItem(1), percorso);
  EXPECT_EQ(finestre.titolo, "VarnexPro - " + percorso);
  // A plain save leaves the remembered folder alone.
  EXPECT_FALSE(impostazioni.Leggi("Recent", "LastWorkDirectory"));
}

TEST_F(Progetto, SalvaSenzaPercorsoChiedeIlNome) {
  for (const std::string vuoto : {"", "   "}) {
    SCOPED_TRACE("percorso '" + vuoto + "'");
    CostruisciImpianto();
    ProgettoModificato = -1;
    finestre.eventi.clear();
    // A new name each time: the first round's file would otherwise be there already.
    const std::string nome = vuoto.empty() ? "scelto" : "scelto2";
    finestre.risposte.push_back(cartella.File(nome));
    const std::string atteso = cartella.File(nome + ".rtg");  // the dialog's default extension
    EXPECT_EQ(SalvaProgetto(vuoto), atteso);
    EXPECT_EQ(finestre.eventi.front(), "salva:Salva con nome|Reti|*.rtg|" + UnisciPercorso(CartellaProgramma(), "Archivio Lavori"));
    EXPECT_TRUE(EsisteFile(atteso));
    EXPECT_EQ(PercorsoProgetto, atteso);
    EXPECT_FALSE(ProgettoModificato);
    EXPECT_EQ(FileRecenti.GetItem(1), atteso);
    EXPECT_EQ(GetUltimaCartella(), cartella.Path() + "/");
    impostazioni = ImpostazioniInMemoria();
  }
}

TEST_F(Progetto, SalvaConNomeAnnullatoNonCambiaNiente) {
  CostruisciImpianto();
  PercorsoProgetto = "/vecchio/rossi.RTG";
  ProgettoModificato = -1;
  finestre.risposte.push_back(std::nullopt);
  finestre.titolo = "VarnexPro - (titolo lasciato dal dialogo)";
  EXPECT_EQ(SalvaProgetto(""), "");
  EXPECT_EQ(PercorsoProgetto, "/vecchio/rossi.RTG");
  EXPECT_TRUE(ProgettoModificato);
  EXPECT_EQ(FileRecenti.GetItem(1), "");
  // The caption is refreshed to the project as it still is.
  EXPECT_EQ(finestre.titolo, "VarnexPro - /vecchio/rossi.RTG");
}

// Save as onto a name that exists already: typed without the extension, or in another letter
// case. The question names the file on disk; "No" writes nothing, "Sì" replaces that very file.
struct CasoSovrascrittura {
  const char* nome;
  const char* esistente;  // the file already in the folder
  const char* digitato;   // what the user typed in the save dialog
  Risposta risposta;
};
// A failing case names itself, not its bytes.
void PrintTo(const CasoSovrascrittura& c, std::ostream* os) { *os << c.nome; }

class SalvaConNomeSuEsistente : public Progetto, public ::testing::WithParamInterface<CasoSovrascrittura> {};

TEST_P(SalvaConNomeSuEsistente, ChiedePrimaDiScrivere) {
  const CasoSovrascrittura& c = GetParam();
  const std::string vecchio = "contenuto del progetto precedente\r\n";
  const std::string esistente = cartella.Write(c.esistente, vecchio);
  CostruisciImpianto();
  PercorsoProgetto = "";
  ProgettoModificato = -1;
  finestre.risposte.push_back(cartella.File(c.digitato));
  utente.Attendi(c.esistente, c.risposta);

  const std::string salvato = SalvaProgetto("");

  ASSERT_EQ(utente.messaggi.size(), 1u);
  EXPECT_NE(utente.messaggi[0].testo.find(std::string("Il file ") + c.esistente), std::string::npos);
  EXPECT_EQ(utente.messaggi[0].bottoni, Bottoni::SiNo);
  // Whatever the answer, the folder holds one file of that name, never a second in another case.
  size_t file = 0;
  for (const auto& voce : std::filesystem::directory_iterator(cartella.Path()))
    if (UgualiNoCase(voce.path().filename().string(), c.esistente)) ++file;
  EXPECT_EQ(file, 1u);
  if (c.risposta == Risposta::Si) {
    EXPECT_EQ(salvato, esistente);
    EXPECT_EQ(PercorsoProgetto, esistente);
    EXPECT_FALSE(ProgettoModificato);
    EXPECT_NE(LeggiByte(esistente), vecchio);
  } else {
    EXPECT_EQ(salvato, "");
    EXPECT_EQ(LeggiByte(esistente), vecchio);
    EXPECT_EQ(PercorsoProgetto, "");
    EXPECT_TRUE(ProgettoModificato);
    EXPECT_EQ(FileRecenti.GetItem(1), "");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Casi, SalvaConNomeSuEsistente,
    ::testing::Values(CasoSovrascrittura{"SenzaEstensioneNo", "prova.rtg", "prova", Risposta::No},
                      CasoSovrascrittura{"SenzaEstensioneSi", "prova.rtg", "prova", Risposta::Si},
                      CasoSovrascrittura{"AltreMaiuscoleNo", "Villetta.RTG", "Villetta", Risposta::No},
                      CasoSovrascrittura{"AltreMaiuscoleSi", "Villetta.RTG", "villetta.rtg", Risposta::Si},
                      CasoSovrascrittura{"StessoNomeNo", "casa.rtg", "casa.rtg", Risposta::No}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Progetto, SalvataggioFallitoNonCambiaNiente) {
  CostruisciImpianto();
  ProgettoModificato = -1;
  ImpostaCommitProgetto([](TextWriter&, std::string* errore) {
    if (errore) *errore = "Disco pieno";
    return false;
  });
  utente.PermettiTutti();
  EXPECT_EQ(SalvaProgetto(cartella.File("pieno.RTG")), "");
  ImpostaCommitProgetto(nullptr);
  EXPECT_FALSE(utente.messaggi.empty());
  EXPECT_EQ(PercorsoProgetto, "");
  EXPECT_TRUE(ProgettoModificato);
  EXPECT_EQ(FileRecenti.GetItem(1), "");
}

// The close question and its answers.
struct CasoChiusura {
  const char* nome;
  bool modificato;
  std::optional<Risposta> risposta;            // the answer to "Salvare il progetto aperto"
  bool conPercorso;                            // the project has a path
  std::optional<std::optional<bool>> dialogo;  // the save dialog: chosen (true) / cancelled (false)
  bool chiuso;                                 // ChiudiProgetto's result
  bool salvato;                                // a file was written
};
void PrintTo(const CasoChiusura& c, std::ostream* os) { *os << c.nome; }

class Chiusura : public Progetto, public ::testing::WithParamInterface<CasoChiusura> {};

TEST_P(Chiusura, RispostaEdEsito) {
  const CasoChiusura& c = GetParam();
  CostruisciImpianto();
  const std::string percorso = cartella.File("chiuso.RTG");
  if (c.conPercorso) PercorsoProgetto = percorso;
  ProgettoModificato = c.modificato ? -1 : 0;
  if (c.risposta) utente.Attendi("Salvare il progetto aperto", *c.risposta);
  if (c.dialogo) finestre.risposte.push_back(**c.dialogo ? std::optional<std::string>(percorso) : std::nullopt);

  EXPECT_EQ(ChiudiProgetto(), c.chiuso);

  if (c.risposta) {
    EXPECT_EQ(utente.messaggi.at(0).bottoni, Bottoni::SiNoAnnulla);
    EXPECT_EQ(utente.messaggi.at(0).icona, Icona::Domanda);
    EXPECT_EQ(utente.messaggi.at(0).titolo, "");
  }
  EXPECT_EQ(EsisteFile(percorso), c.salvato);
  if (c.chiuso) {
    EXPECT_EQ(Rete().NumTronchi, 0);
    EXPECT_EQ(PercorsoProgetto, "");
    EXPECT_EQ(finestre.titolo, "VarnexPro  - ");
  } else {
    EXPECT_EQ(Rete().NumTronchi, 2);
    EXPECT_EQ(Riferimento, "Casa Rossi");
    EXPECT_TRUE(ProgettoModificato);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Casi, Chiusura,
    ::testing::Values(CasoChiusura{"NonModificato", false, std::nullopt, true, std::nullopt, true, false},
                      CasoChiusura{"No", true, Risposta::No, true, std::nullopt, true, false},
                      CasoChiusura{"Annulla", true, Risposta::Annulla, true, std::nullopt, false, false},
                      CasoChiusura{"SiConPercorso", true, Risposta::Si, true, std::nullopt, true, true},
                      CasoChiusura{"SiNuovoNomeScelto", true, Risposta::Si, false, std::optional<bool>(true), true, true},
                      CasoChiusura{"SiDialogoAnnullato", true, Risposta::Si, false, std::optional<bool>(false), false,
                                   false}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Progetto, ChiudiDimenticaLeSostituzioni) {
  frmEquiv.AddEquiv("GAS VECCHIO", 2, SostituzioneGas);
  ASSERT_FALSE(frmEquiv.Equivalenze()[SostituzioneGas].empty());
  EXPECT_TRUE(ChiudiProgetto());
  EXPECT_TRUE(frmEquiv.Equivalenze()[SostituzioneGas].empty());
}

TEST_F(Progetto, EsciTerminaSoloSeLaChiusuraRiesce) {
  CostruisciImpianto();
  ProgettoModificato = -1;
  utente.Attendi("Salvare il progetto aperto", Risposta::Annulla);
  EsciProgramma();
  EXPECT_FALSE(finestre.Visto("Termina 0"));
  EXPECT_EQ(Rete().NumTronchi, 2);

  utente.Attendi("Salvare il progetto aperto", Risposta::No);
  EsciProgramma();
  EXPECT_TRUE(finestre.Visto("Termina 0"));
}

// Opening a project and calculating it again finds what the file holds: closing asks nothing.
// A real edit, calculated or not, makes the close ask.
// The editor window calculates whenever it loads and shows a network, also while a project file is
// still being read.
class EditorCheCalcola : public FakeAmbiente {
 public:
  void AssicuraEditor() override {
    FakeAmbiente::AssicuraEditor();
    CalcolaRete();
  }
  void Elaborazione() override {
    FakeAmbiente::Elaborazione();
    CalcolaRete();
  }
};

TEST_F(Progetto, RicalcoloSenzaModificheNonChiedeDiSalvare) {
  EditorCheCalcola editor;  // installed in place of the plain scripted windows
  for (const bool inPressione : {false, true}) {
    SCOPED_TRACE(inPressione ? "rete in pressione" : "impianto interno");
    CostruisciImpianto();
    if (inPressione) {
      ReteInPressione = -1;
      OrientamentoSorgente = 1;
      Tronco(2).ID_P_UTENZE = 20;
    }
    CalcolaRete();
    const std::string percorso = cartella.File(inPressione ? "pressione.RTG" : "interno.RTG");
    ASSERT_TRUE(ScriviRTG(percorso));
    // Back to the empty project the program shows after a close.
    ResetRete();
    ReteInPressione = 0;
    OrientamentoSorgente = 0;

    editor.risposte.push_back(percorso);
    ApriProgetto();
    ASSERT_TRUE(ProgettoCaricato);
    CalcolaRete();
    CalcolaRete();
    EXPECT_FALSE(ProgettoModificato);
    EXPECT_TRUE(ChiudiProgetto());  // the scripted user fails the test on any question
  }
}

// The shipped sample, calculated and saved, then opened again: the derived columns the reader does
// not take back and the drawing's end points are no change to save.
TEST_F(Progetto, EsempioCalcolatoERiapertoNonChiedeDiSalvare) {
  EditorCheCalcola editor;
  editor.risposte.push_back(UnisciPercorso(UnisciPercorso(CartellaProgramma(), "Archivio Lavori"), "Villetta.RTG"));
  ApriProgetto();
  ASSERT_TRUE(ProgettoCaricato);
  const std::string copia = cartella.File("villetta_calcolata.RTG");
  ASSERT_EQ(SalvaProgetto(copia), copia);
  // As in a program just started: no result of this session is left in the model.
  ASSERT_TRUE(ChiudiProgetto());
  for (TTronco& t : Rete().Tronchi) t = TTronco{};

  editor.risposte.push_back(copia);
  ApriProgetto();
  ASSERT_TRUE(ProgettoCaricato);
  CalcolaRete();
  EXPECT_FALSE(ProgettoModificato);
  EXPECT_TRUE(ChiudiProgetto());  // no question
}

// An editor that also draws the schema, as the program does whenever a calculation is shown.
class EditorCheDisegna : public EditorCheCalcola {
 public:
  void Elaborazione() override {
    EditorCheCalcola::Elaborazione();
    SuperficieRegistrata schermo;
    DrawSchema(schermo, 2, "Arial", 7);
  }
};

// Files written before their schema was ever drawn (the shipped example, projects of earlier
// versions) hold 0 as the drawn length of every segment; the first drawing lays them out at the
// default length. That is no change of the user's to save.
TEST_F(Progetto, UnoSchemaDisegnatoLaPrimaVoltaNonChiedeDiSalvare) {
  EditorCheDisegna editor;
  CostruisciImpianto();
  CalcolaRete();
  for (int16_t s = 1; s <= Rete().NumTronchi; ++s) Tronco(s).LunghezzaDisegno = 0;
  const std::string percorso = cartella.File("mai_disegnato.RTG");
  ASSERT_TRUE(ScriviRTG(percorso));
  ResetRete();

  editor.risposte.push_back(percorso);
  ApriProgetto();
  ASSERT_TRUE(ProgettoCaricato);
  editor.Elaborazione();
  ASSERT_NE(Tronco(1).LunghezzaDisegno, 0);  // the drawing did lay the segments out
  EXPECT_FALSE(ProgettoModificato);
  EXPECT_TRUE(ChiudiProgetto());  // the scripted user fails the test on any question
}

TEST_F(Progetto, UnaModificaFaChiedereDiSalvareAncheDopoIlRicalcolo) {
  struct Caso {
    const char* nome;
    void (*modifica)();
  };
  for (const Caso& c : {Caso{"lunghezza", [] {
                          SetField(1, campo::ID_LEN, "7");
                          ProgettoModificato = -1;
                        }},
                        // An edit that leaves the marking to the calculation, and changes no result.
                        Caso{"riferimento del tronco", [] { Tronco(2).ID_RIF = "cucina"; }},
                        Caso{"pressione iniziale", [] { PressioneIniziale = 2.2; }}}) {
    SCOPED_TRACE(c.nome);
    CostruisciImpianto();
    CalcolaRete();
    const std::string percorso = cartella.File("modificato.RTG");
    ASSERT_TRUE(ScriviRTG(percorso));
    ResetRete();
    finestre.risposte.push_back(percorso);
    ApriProgetto();
    CalcolaRete();
    ASSERT_FALSE(ProgettoModificato);

    c.modifica();
    CalcolaRete();
    EXPECT_TRUE(ProgettoModificato);
    utente.Attendi("Salvare il progetto aperto", Risposta::No);
    EXPECT_TRUE(ChiudiProgetto());
    EXPECT_EQ(utente.messaggi.size(), 1u);
    utente.messaggi.clear();
  }
}

// An edit that no window marked and no calculation saw (a tightness-record field, a pressure
// chosen with automatic recalculation off) still makes the close ask.
TEST_F(Progetto, UnaModificaNonSegnataFaComunqueChiedereDiSalvare) {
  struct Caso {
    const char* nome;
    void (*modifica)();
  };
  for (const Caso& c : {Caso{"tecnico della prova di tenuta", [] { TenutaImpianto.NomeTecnico = "Mario Verdi"; }},
                        Caso{"pressione finale", [] { PressioneFinale = 1.2; }},
                        Caso{"cartella documenti", [] { PercorsoDocumenti = "/documenti/nuova"; }}}) {
    SCOPED_TRACE(c.nome);
    const std::string percorso = ProgettoSalvato("non_segnato.RTG");
    finestre.risposte.push_back(percorso);
    ApriProgetto();
    ASSERT_FALSE(ProgettoModificato);
    c.modifica();
    utente.Attendi("Salvare il progetto aperto", Risposta::Annulla);
    EXPECT_FALSE(ChiudiProgetto());
    EXPECT_EQ(utente.messaggi.size(), 1u);
    utente.messaggi.clear();
    utente.Attendi("Salvare il progetto aperto", Risposta::No);
    EXPECT_TRUE(ChiudiProgetto());
    utente.messaggi.clear();
  }
}

// A calculation that only fills in results (a project saved before it was calculated) changes
// nothing the user entered: no save is asked for. One that changes an entered value is a change.
TEST_F(Progetto, UnRicalcoloSegnaIlProgettoSoloSeCambiaCioCheLUtenteHaInserito) {
  const std::string percorso = ProgettoSalvato("non_calcolato.RTG");
  finestre.risposte.push_back(percorso);
  ApriProgetto();
  ASSERT_FALSE(ProgettoModificato);
  CalcolaRete();
  EXPECT_FALSE(ProgettoModificato);
  EXPECT_TRUE(ChiudiProgetto());
  EXPECT_TRUE(utente.messaggi.empty());

  finestre.risposte.push_back(percorso);
  ApriProgetto();
  // An appliance flow on a segment that feeds others is cleared by the calculation.
  Tronco(1).ID_P_UTENZE = 1;
  utente.Attendi("non compatibile");
  CalcolaRete();
  EXPECT_TRUE(ProgettoModificato);
}

TEST_F(Progetto, SalvatoERiapertoRestaUguale) {
  CostruisciImpianto();
  PercorsoDocumenti = "/documenti/rossi";
  const std::string percorso = cartella.File("giro.RTG");
  ASSERT_EQ(SalvaProgetto(percorso), percorso);
  ASSERT_TRUE(ChiudiProgetto());
  ASSERT_EQ(Riferimento, "");
  finestre.risposte.push_back(percorso);
  ApriProgetto();
  EXPECT_EQ(Riferimento, "Casa Rossi");
  EXPECT_EQ(DescrizioneLavoro, "Impianto cucina");
  EXPECT_EQ(PercorsoDocumenti, "/documenti/rossi");
  EXPECT_EQ(Rete().NumTronchi, 2);
  EXPECT_FLOAT_EQ(Tronco(2).ID_P_UTENZE, 2.5f);
}

}  // namespace
}  // namespace varnex::test
