// The logic of the gas archive editor: the texts shown and read back, saving and its refusals,
// the questions on pending changes, adding and deleting gases, leaving the editor and the gas in
// use that follows it, and failed writes that must not pass for a save.
#include <gtest/gtest.h>

#include "archives/editor_gas.h"
#include "archives/testi_archivio.h"
#include "model/archivi_scrittura_bloccata.h"
#include "shell/ambiente_prova.h"
#include "shell/selettore_gas.h"
#include "shell/stato_interfaccia.h"
#include "report/print/tenuta_report.h"
#include "support/pagina_tenuta_prova.h"
#include "model/progetto_file.h"
#include "tightness/pagina_tenuta.h"
#include "model/tenuta.h"

namespace varnex::test {
namespace {

class EditorGasTest : public ProgrammaProva {
 protected:
  void SetUp() override {
    ProgrammaProva::SetUp();
    RicalcoloAutomatico = 0;
    PDCMaxUtente = 123;
    ProgettoModificato = 0;
    fileIniziale = cartella.Read("gas.cfg");
    ASSERT_FALSE(fileIniziale.empty());
  }
  // Shows the gas as the window does after a pick in the list.
  CampiGas Mostra(const std::string& nome) { return editor.Seleziona(nome); }

  FakeAmbiente finestre;
  EditorGas editor;
  std::string fileIniziale;
};

TEST_F(EditorGasTest, MostraITestiERileggeIValoriScritti) {
  const CampiGas c = Mostra("Metano");
  EXPECT_EQ(editor.IndiceGas, 1);
  EXPECT_EQ(c.Densita, "0,555");
  EXPECT_EQ(c.Viscosita, "16,17");
  EXPECT_EQ(c.PCinf, "34,0");
  EXPECT_EQ(c.PCsup, "37,8");
  EXPECT_EQ(c.Massa, "0,680");
  EXPECT_FALSE(c.NonCombustibile);
  EXPECT_FALSE(editor.GasModificato);
  EXPECT_TRUE(Mostra("Aria").NonCombustibile);

  TGas g;
  g.Nome = "X";
  g.MassaVolumica = 9;
  g.Famiglia = 2;
  CampiGas t;
  t.Densita = "0,5";
  t.Viscosita = "14,3";
  t.PCinf = "30.5";
  t.PCsup = "abc";
  t.NonCombustibile = true;
  EditorGas::LeggiDatiGas(t, g);
  EXPECT_FLOAT_EQ(g.Densita, 0.5f);
  EXPECT_FLOAT_EQ(g.Viscosita, 1.43e-5f);
  EXPECT_FLOAT_EQ(g.PCI, 30.5f);
  EXPECT_FLOAT_EQ(g.PCS, 0.0f);
  EXPECT_EQ(g.NonCombustibile, 1);
  // Name and derived values are left alone.
  EXPECT_EQ(g.Nome, "X");
  EXPECT_FLOAT_EQ(g.MassaVolumica, 9.0f);
  EXPECT_EQ(g.Famiglia, 2);
  t.Densita = "0.5";
  g.Densita = 0;
  EditorGas::LeggiDatiGas(t, g);
  EXPECT_FLOAT_EQ(g.Densita, 0.5f);
  EXPECT_EQ(EditorGas::MostraDatiGas(g).Viscosita, "14,30");
}

TEST_F(EditorGasTest, IlGasMostratoPerPrimoEIlPredefinitoTrovatoPerNome) {
  // Found as every gas is found by its name: without regard to letter case and blanks around it.
  for (const char* nome : {"GPL Butano", "gpl butano", " GPL Butano "}) {
    DefaultGas = nome;
    EXPECT_EQ(EditorGas::IndiceDefault(), 3) << nome;
  }
  for (const char* assente : {"Nessuno", ""}) {
    DefaultGas = assente;
    EXPECT_EQ(EditorGas::IndiceDefault(), 1) << assente;
  }
}

TEST_F(EditorGasTest, UnGasSiSceglieDalNomeEsattoPrima) {
  const int16_t maiuscolo = AggiungiGas("METANO");
  ArchivioGas[static_cast<size_t>(maiuscolo)].Densita = 0.7f;
  EXPECT_EQ(Mostra("METANO").Densita, "0,700");
  EXPECT_EQ(editor.IndiceGas, maiuscolo);
  EXPECT_EQ(Mostra("Metano").Densita, "0,555");
  EXPECT_EQ(editor.IndiceGas, 1);
}

TEST_F(EditorGasTest, SalvaRifiutaUnGasIncompletoELasciaLaModificaInSospeso) {
  CampiGas c = Mostra("Metano");
  c.Densita = "0";
  editor.GasModificato = true;
  utente.Attendi(MsgGasIncompleto);
  EXPECT_FALSE(editor.Salva(c));
  EXPECT_TRUE(editor.GasModificato);
  EXPECT_FLOAT_EQ(ArchivioGas[1].Densita, 0.555f);
  EXPECT_EQ(cartella.Read("gas.cfg"), fileIniziale);
  // A non-combustible gas needs no heating values, but its density and viscosity are used by the
  // calculation of a pressurised network like any other gas's.
  c = Mostra("Aria");
  c.Densita = "0";
  utente.Attendi("Impossibile salvare il gas: densita' relativa fuori dai valori ammessi (da 0,05 a 10).");
  EXPECT_FALSE(editor.Salva(c));
  c.Densita = "1,2";
  EXPECT_TRUE(editor.Salva(c));
  EXPECT_FALSE(editor.GasModificato);
  EXPECT_FLOAT_EQ(ArchivioGas[4].Densita, 1.2f);
}

TEST_F(EditorGasTest, SalvaScriveIValoriDerivatiEIBoxNonToccatiConLaLoroPrecisione) {
  CampiGas c = Mostra("GPL Propano");
  c.Densita = "1,6";
  c.PCinf = "90.5";
  ASSERT_TRUE(editor.Salva(c));
  EXPECT_FLOAT_EQ(ArchivioGas[2].Densita, 1.6f);
  EXPECT_FLOAT_EQ(ArchivioGas[2].PCI, 90.5f);
  // The derived values belong to the values saved: the gas in use is copied from this entry.
  EXPECT_FLOAT_EQ(ArchivioGas[2].MassaVolumica, 1.6f * 1.22566f);
  // The untouched boxes keep the stored values, not the ones rounded for display.
  EXPECT_NE(cartella.Read("gas.cfg").find("GPL Propano\t 1,6 \t 4,211E-06 \t 90,5 \t 95,65 \t 0 \r\n"),
            std::string::npos)
      << cartella.Read("gas.cfg");
  EXPECT_NE(cartella.Read("gas.cfg").find("Metano\t 0,555 \t 1,617E-05 \t 34,02 \t 37,78 \t 0 \r\n"),
            std::string::npos);
}

TEST_F(EditorGasTest, RicalcolaMostraIValoriDerivatiSenzaToccareLArchivio) {
  CampiGas c = Mostra("Metano");
  c.Densita = "0,6";
  editor.GasModificato = true;
  const CampiGas r = editor.Ricalcola(c);
  EXPECT_TRUE(editor.GasModificato);
  EXPECT_EQ(r.Densita, "0,6");
  EXPECT_EQ(r.Massa, "0,735");
  EXPECT_FLOAT_EQ(ArchivioGas[1].Densita, 0.555f);
  EXPECT_FLOAT_EQ(ArchivioGas[1].MassaVolumica, 0.555f * 1.22566f);
  EXPECT_EQ(cartella.Read("gas.cfg"), fileIniziale);
}

TEST_F(EditorGasTest, UscireSenzaModificheLasciaLArchivioComE) {
  ArchivioGas[1].Densita = 0.5554f;
  ArchivioGas[1].Viscosita = 1.61749e-5f;
  ArchivioGas[1].PCI = 34.04f;
  const TGas prima = ArchivioGas[1];
  const CampiGas c = Mostra("Metano");
  EXPECT_EQ(editor.Esci(c, "Metano", std::nullopt), UscitaGas::Chiusa);
  EXPECT_EQ(ArchivioGas[1].Densita, prima.Densita);
  EXPECT_EQ(ArchivioGas[1].Viscosita, prima.Viscosita);
  EXPECT_EQ(ArchivioGas[1].PCI, prima.PCI);
  EXPECT_EQ(ArchivioGas[1].PCS, prima.PCS);
  EXPECT_EQ(cartella.Read("gas.cfg"), fileIniziale);
  EXPECT_EQ(ProgettoModificato, 0);  // the selector shows no gas: the gas in use is not touched
}

TEST_F(EditorGasTest, LeTreRisposteAllUscitaConModifiche) {
  struct Caso {
    Risposta risposta;
    UscitaGas esito;
    float pci;        // in memory afterwards
    bool scritto;     // gas.cfg rewritten
  };
  for (const Caso& k : {Caso{Risposta::Annulla, UscitaGas::RestaAperta, 34.02f, false},
                        Caso{Risposta::No, UscitaGas::Chiusa, 34.02f, false},
                        Caso{Risposta::Si, UscitaGas::Chiusa, 33.0f, true}}) {
    SCOPED_TRACE(static_cast<int>(k.risposta));
    InitGas();
    CampiGas c = Mostra("Metano");
    c.PCinf = "33";
    editor.GasModificato = true;
    utente.Attendi(MsgSalvareModifiche, k.risposta);
    EXPECT_EQ(editor.Esci(c, "Metano", std::nullopt), k.esito);
    EXPECT_EQ(utente.messaggi.back().bottoni, Bottoni::SiNoAnnulla);
    EXPECT_EQ(utente.messaggi.back().icona, Icona::Domanda);
    EXPECT_FLOAT_EQ(ArchivioGas[1].PCI, k.pci);
    EXPECT_EQ(cartella.Read("gas.cfg") != fileIniziale, k.scritto);
    if (k.risposta == Risposta::Annulla) {
      EXPECT_TRUE(editor.GasModificato);
    }
  }
}

TEST_F(EditorGasTest, UscitaConSiSuUnGasIncompletoRestaApertaSenzaToccareLArchivio) {
  CampiGas c = Mostra("Metano");
  c.Densita = "0";
  editor.GasModificato = true;
  utente.Attendi(MsgSalvareModifiche, Risposta::Si);
  utente.Attendi(MsgGasIncompleto);
  EXPECT_EQ(editor.Esci(c, "Metano", std::nullopt), UscitaGas::RestaAperta);
  EXPECT_TRUE(editor.GasModificato);
  EXPECT_FLOAT_EQ(ArchivioGas[1].Densita, 0.555f);
  EXPECT_EQ(cartella.Read("gas.cfg"), fileIniziale);
  // No drops the change and closes.
  utente.Attendi(MsgSalvareModifiche, Risposta::No);
  EXPECT_EQ(editor.Esci(c, "Metano", std::nullopt), UscitaGas::Chiusa);
  EXPECT_FLOAT_EQ(ArchivioGas[1].Densita, 0.555f);
  EXPECT_EQ(cartella.Read("gas.cfg"), fileIniziale);
}

TEST_F(EditorGasTest, UnSalvataggioRifiutatoPoiAnnullaNonCambiaNullaNeiGasSalvatiDopo) {
  // The gas in use is edited to an invalid density, "Salva" is refused, then "Annulla".
  GasCorrente = ArchivioGas[2];
  CampiGas c = Mostra("GPL Propano");
  c.Densita = "0";
  editor.GasModificato = true;
  utente.Attendi(MsgGasIncompleto);
  EXPECT_FALSE(editor.Salva(c));
  utente.Attendi(MsgSalvareModifiche, Risposta::No);
  EXPECT_EQ(editor.Esci(c, "GPL Propano", std::string("GPL Propano")), UscitaGas::Chiusa);
  EXPECT_FLOAT_EQ(ArchivioGas[2].Densita, 1.55f);
  EXPECT_FLOAT_EQ(GasCorrente.Densita, 1.55f);
  EXPECT_EQ(cartella.Read("gas.cfg"), fileIniziale);

  // Reopened: a new gas saved writes every other gas exactly as the file had it.
  EditorGas riaperto;
  riaperto.Seleziona("Metano");
  const int16_t nuovo = riaperto.Nuovo("Gas Citta", riaperto.Seleziona("Metano"));
  ASSERT_GT(nuovo, 0);
  CampiGas g = riaperto.Seleziona("Gas Citta");
  g.Densita = "0,45";
  g.Viscosita = "25";
  g.PCinf = "16";
  g.PCsup = "20";
  riaperto.GasModificato = true;
  ASSERT_TRUE(riaperto.Salva(g));
  EXPECT_EQ(cartella.Read("gas.cfg"), fileIniziale + "Gas Citta\t 0,45 \t 2,5E-05 \t 16 \t 20 \t 0 \r\n");
}

TEST_F(EditorGasTest, UnGasNuovoNonSalvatoNonEntraNelFileENonRestaInMemoria) {
  const int16_t prima = NumGas;
  CampiGas c = Mostra("Metano");
  const int16_t nuovo = editor.Nuovo("Biogas", c);
  ASSERT_EQ(nuovo, prima + 1);
  Mostra("Biogas");
  // Another gas saved meanwhile: the new one, still all zeros, stays out of the file.
  ASSERT_TRUE(editor.ConfermaCambio(c, 1));
  CampiGas m = Mostra("Metano");
  EXPECT_TRUE(editor.ListaDaRicaricare);
  EXPECT_EQ(NumGas, prima);  // left unsaved: out of the archive again
  m.PCinf = "34,1";
  editor.GasModificato = true;
  ASSERT_TRUE(editor.Salva(m));
  EXPECT_EQ(cartella.Read("gas.cfg").find("Biogas"), std::string::npos);

  // Added again and the editor left without saving it.
  ASSERT_GT(editor.Nuovo("Biogas", Mostra("Metano")), 0);
  Mostra("Biogas");
  EXPECT_EQ(editor.Esci(Mostra("Biogas"), "Biogas", std::nullopt), UscitaGas::Chiusa);
  EXPECT_EQ(NumGas, prima);
  EXPECT_EQ(cartella.Read("gas.cfg").find("Biogas"), std::string::npos);
}

TEST_F(EditorGasTest, CambioDiGasChiedeDelleModifiche) {
  for (Risposta r : {Risposta::Annulla, Risposta::No, Risposta::Si}) {
    SCOPED_TRACE(static_cast<int>(r));
    InitGas();
    CampiGas c = Mostra("Metano");
    c.PCsup = "40";
    editor.GasModificato = true;
    utente.Attendi(MsgSalvareModifiche, r);
    EXPECT_EQ(editor.ConfermaCambio(c), r != Risposta::Annulla);
    EXPECT_EQ(editor.GasModificato, r == Risposta::Annulla);
    EXPECT_FLOAT_EQ(ArchivioGas[1].PCS, r == Risposta::Si ? 40.0f : 37.78f);
    EXPECT_EQ(cartella.Read("gas.cfg") != fileIniziale, r == Risposta::Si);
    EXPECT_EQ(editor.IndiceGas, 1);
  }
  // Without changes nothing is asked.
  editor.GasModificato = false;
  EXPECT_TRUE(editor.ConfermaCambio(Mostra("Metano")));
}

TEST_F(EditorGasTest, NuovoRifiutaIlNomeVuotoEChiedePrimaDelGasMostrato) {
  const int16_t prima = NumGas;
  CampiGas c = Mostra("Metano");
  EXPECT_EQ(editor.Nuovo("", c), 0);
  EXPECT_EQ(editor.Nuovo("   ", c), 0);
  EXPECT_EQ(NumGas, prima);
  // Pending changes: cancelling the question adds nothing.
  c.PCinf = "30";
  editor.GasModificato = true;
  utente.Attendi(MsgSalvareModifiche, Risposta::Annulla);
  EXPECT_EQ(editor.Nuovo("Biogas", c), 0);
  EXPECT_EQ(NumGas, prima);
  EXPECT_TRUE(editor.GasModificato);
  // Yes stores them into the gas shown, not into the new one.
  utente.Attendi(MsgSalvareModifiche, Risposta::Si);
  const int16_t nuovo = editor.Nuovo("Biogas", c);
  EXPECT_EQ(nuovo, prima + 1);
  EXPECT_FALSE(editor.GasModificato);
  EXPECT_FLOAT_EQ(ArchivioGas[1].PCI, 30.0f);
  EXPECT_EQ(ArchivioGas[static_cast<size_t>(nuovo)].Nome, "Biogas");
  EXPECT_FLOAT_EQ(ArchivioGas[static_cast<size_t>(nuovo)].PCI, 0.0f);
  const CampiGas v = Mostra("Biogas");
  EXPECT_EQ(editor.IndiceGas, nuovo);
  EXPECT_EQ(v.Densita, "0,000");
  // Not in the file until the next save.
  EXPECT_EQ(cartella.Read("gas.cfg").find("Biogas"), std::string::npos);
}

TEST_F(EditorGasTest, CancellaIlGasInUsoERifiutato) {
  Mostra("Metano");
  utente.Attendi(MsgGasInUso);
  EXPECT_FALSE(editor.Cancella());
  EXPECT_EQ(cartella.Read("gas.cfg"), fileIniziale);
  EXPECT_EQ(NumGas, 7);
}

TEST_F(EditorGasTest, CancellaChiedeConfermaEToglieIlGasDalFile) {
  Mostra("GPL Butano");
  utente.Attendi("Confermi la cancellazione del gas : \rGPL Butano", Risposta::No);
  EXPECT_FALSE(editor.Cancella());
  EXPECT_EQ(utente.messaggi.back().bottoni, Bottoni::SiNo);
  EXPECT_EQ(cartella.Read("gas.cfg"), fileIniziale);

  CampiGas c = Mostra("GPL Butano");
  c.PCinf = "1";
  editor.GasModificato = true;  // pending values of the gas being deleted
  utente.Attendi("Confermi la cancellazione del gas", Risposta::Si);
  EXPECT_TRUE(editor.Cancella());
  EXPECT_FALSE(editor.GasModificato);  // dropped with the gas: nothing asks about them now
  EXPECT_EQ(NumGas, 6);
  EXPECT_EQ(ArchivioGas[3].Nome, "Aria");
  EXPECT_EQ(cartella.Read("gas.cfg").find("GPL Butano"), std::string::npos);
  EXPECT_NE(cartella.Read("gas.cfg").find("Ossigeno"), std::string::npos);
  EXPECT_TRUE(editor.ConfermaCambio(c));
}

TEST_F(EditorGasTest, IlGasInUsoSegueLeModifiche) {
  RicalcoloAutomatico = -1;
  CampiGas c = Mostra("GPL Propano");
  c.PCinf = "87";
  editor.GasModificato = true;
  utente.Attendi(MsgSalvareModifiche, Risposta::Si);
  EXPECT_EQ(editor.Esci(c, "GPL Propano", std::string("GPL Propano")), UscitaGas::Chiusa);
  EXPECT_EQ(CurrentGas, 2);
  EXPECT_EQ(GasCorrente.Nome, "GPL Propano");
  EXPECT_FLOAT_EQ(GasCorrente.PCI, 87.0f);
  EXPECT_DOUBLE_EQ(PDCMaxUtente, 0.0);
  EXPECT_EQ(ProgettoModificato, -1);
  EXPECT_TRUE(finestre.Visto("Elaborazione"));
}

TEST_F(EditorGasTest, UnAltroGasNelSelettoreLasciaIlGasInUso) {
  const CampiGas c = Mostra("GPL Propano");
  EXPECT_EQ(editor.Esci(c, "GPL Propano", std::string("Metano")), UscitaGas::Chiusa);
  EXPECT_EQ(GasCorrente.Nome, "Metano");
  EXPECT_DOUBLE_EQ(PDCMaxUtente, 123.0);
  EXPECT_EQ(ProgettoModificato, 0);
}

TEST_F(EditorGasTest, UnGasNonCombustibileERifiutatoPerLImpiantoInterno) {
  const TGas prima = GasCorrente;
  const CampiGas c = Mostra("Aria");
  utente.Attendi(MsgGasNonCombustibile);
  EXPECT_EQ(editor.Esci(c, "Aria", std::string("Aria")), UscitaGas::Nascosta);
  EXPECT_EQ(GasCorrente.Nome, prima.Nome);
  // The refusal leaves the user's maximum drop alone.
  EXPECT_DOUBLE_EQ(PDCMaxUtente, 123.0);
  EXPECT_EQ(ProgettoModificato, 0);
  // After the question on changes the editor stays open.
  CampiGas m = Mostra("Aria");
  m.Densita = "1,1";
  editor.GasModificato = true;
  utente.Attendi(MsgSalvareModifiche, Risposta::Si);
  utente.Attendi(MsgGasNonCombustibile);
  EXPECT_EQ(editor.Esci(m, "Aria", std::string("Aria")), UscitaGas::RestaAperta);
  EXPECT_EQ(GasCorrente.Nome, prima.Nome);
  // A pressurised network takes it.
  ReteInPressione = -1;
  EXPECT_EQ(editor.Esci(Mostra("Aria"), "Aria", std::string("Aria")), UscitaGas::Chiusa);
  EXPECT_EQ(GasCorrente.Nome, "Aria");
}

TEST_F(EditorGasTest, UnGasInUsoNonTrovatoLasciaIlGasInUso) {
  CurrentGas = 1;
  EXPECT_TRUE(EditorGas::AggiornaGasInUso(std::nullopt));
  utente.Attendi("Attenzione! Il gas Sconosciuto selezionato non è disponibile");
  EXPECT_TRUE(EditorGas::AggiornaGasInUso(std::string("Sconosciuto")));
  EXPECT_EQ(CurrentGas, 1);
  EXPECT_EQ(GasCorrente.Nome, "Metano");
  EXPECT_EQ(ProgettoModificato, 0);
}

TEST_F(EditorGasTest, ScrittureFalliteNonPassanoPerSalvataggi) {
  CampiGas c = Mostra("Metano");
  c.PCinf = "31";
  // "Salva": the error, memory and file as they were.
  utente.Attendi("");
  {
    ScritturaBloccata bloccata;
    EXPECT_FALSE(editor.Salva(c));
  }
  EXPECT_EQ(utente.messaggi.back().icona, Icona::Critico);
  EXPECT_FLOAT_EQ(ArchivioGas[1].PCI, 34.02f);
  EXPECT_EQ(cartella.Read("gas.cfg"), fileIniziale);
  // Switching: the other gas is not shown, the changes stay pending.
  editor.GasModificato = true;
  utente.Attendi(MsgSalvareModifiche, Risposta::Si);
  utente.Attendi("");
  {
    ScritturaBloccata bloccata;
    EXPECT_FALSE(editor.ConfermaCambio(c));
  }
  EXPECT_TRUE(editor.GasModificato);
  EXPECT_FLOAT_EQ(ArchivioGas[1].PCI, 34.02f);
  // Leaving: the editor stays open with the changes pending.
  utente.Attendi(MsgSalvareModifiche, Risposta::Si);
  utente.Attendi("");
  {
    ScritturaBloccata bloccata;
    EXPECT_EQ(editor.Esci(c, "Metano", std::string("Metano")), UscitaGas::RestaAperta);
  }
  EXPECT_TRUE(editor.GasModificato);
  EXPECT_EQ(cartella.Read("gas.cfg"), fileIniziale);
  EXPECT_EQ(ProgettoModificato, 0);
  // Deleting: the gas stays.
  Mostra("Azoto");
  utente.Attendi("Confermi la cancellazione del gas", Risposta::Si);
  utente.Attendi("");
  {
    ScritturaBloccata bloccata;
    EXPECT_FALSE(editor.Cancella());
  }
  EXPECT_EQ(ArchivioGas[5].Cancellato, 0);
  EXPECT_EQ(NumGas, 7);
  EXPECT_EQ(cartella.Read("gas.cfg"), fileIniziale);
}

TEST_F(EditorGasTest, SalvaSenzaModificheNonRiscriveGasCfg) {
  // Comments and a line refused at load stay in the file, byte for byte, also when the user
  // changes a gas.
  const std::string testo = "# gas della rete\r\n" + fileIniziale + "Rotto\t NaN \t 1 \t 1 \t 1 \t 0 \r\n";
  cartella.Write("gas.cfg", testo);
  utente.Attendi("riga 9: valore non valido");
  InitGas();
  CampiGas c = Mostra("Metano");
  c.NonCombustibile = false;
  EXPECT_TRUE(editor.Salva(c));
  EXPECT_EQ(cartella.Read("gas.cfg"), testo);
  c.PCsup = "38";
  EXPECT_TRUE(editor.Salva(c));
  EXPECT_FLOAT_EQ(ArchivioGas[1].PCS, 38.0f);
  const std::string salvato = cartella.Read("gas.cfg");
  EXPECT_NE(salvato, testo);
  EXPECT_EQ(salvato.rfind("# gas della rete\r\n", 0), 0u) << salvato;
  EXPECT_EQ(salvato.substr(salvato.size() - 31), "\r\nRotto\t NaN \t 1 \t 1 \t 1 \t 0 \r\n") << salvato;
  // The flag the box writes loads back: the reader takes what the editor saves.
  c.NonCombustibile = true;
  EXPECT_TRUE(editor.Salva(c));
  const int16_t n = NumGas;
  const size_t messaggi = utente.messaggi.size();
  // The line still refused, told again: nothing else.
  utente.Attendi("riga 9: valore non valido");
  InitGas();
  EXPECT_EQ(NumGas, n);
  EXPECT_EQ(utente.messaggi.size(), messaggi + 1);
  EXPECT_NE(ArchivioGas[1].NonCombustibile, 0);
}

TEST_F(EditorGasTest, UnValoreOltreLaPrecisioneSingolaNonEntraNelLArchivio) {
  for (const std::string& testo : {std::string(40, '9'), std::string(100, '9')}) {
    CampiGas c = Mostra("Metano");
    c.PCsup = testo;
    editor.GasModificato = true;
    utente.Attendi(MsgGasValoreNonValido);
    EXPECT_FALSE(editor.Salva(c));
    EXPECT_FLOAT_EQ(ArchivioGas[1].PCS, 37.78f);
    EXPECT_EQ(cartella.Read("gas.cfg"), fileIniziale);
  }
}

// A box holds one plain number, by the table's rule: a typo is refused naming its box, nothing is
// stored (not 2,5 for "2,5,9").
TEST_F(EditorGasTest, UnRefusoNonEUnNumeroENonVieneSalvato) {
  struct Caso {
    std::string CampiGas::*casella;
    const char* testo;
    const char* nome;
  } casi[] = {{&CampiGas::Densita, "0,5,9", "la densita' relativa"},
              {&CampiGas::Viscosita, "16abc", "la viscosita'"},
              {&CampiGas::PCinf, "abc", "il potere calorifico inferiore"},
              {&CampiGas::PCsup, "1E+39", "il potere calorifico superiore"}};
  for (const Caso& k : casi) {
    SCOPED_TRACE(k.testo);
    CampiGas c = Mostra("Metano");
    c.*k.casella = k.testo;
    editor.GasModificato = true;
    utente.Attendi("\"" + std::string(k.testo) + "\" non e' un numero valido per " + k.nome + ".");
    EXPECT_FALSE(editor.Salva(c));
    EXPECT_FLOAT_EQ(ArchivioGas[1].Densita, 0.555f);
    EXPECT_FLOAT_EQ(ArchivioGas[1].PCS, 37.78f);
    EXPECT_EQ(cartella.Read("gas.cfg"), fileIniziale);
  }
}

TEST_F(EditorGasTest, UnNomeCheGasCfgNonRestituirebbeERifiutato) {
  const int16_t prima = NumGas;
  for (const char* nome : {"#1", "A\tB", "A\nB", "A\r\nB", "A\r", "Gas, Rete 2", "Gas \u03A9", "CH\u2084"}) {
    SCOPED_TRACE(nome);
    utente.Attendi(MsgTestoNonArchiviabile("Il nome del gas", nome));
    EXPECT_EQ(editor.Nuovo(nome, Mostra("Metano")), 0);
    EXPECT_EQ(NumGas, prima);
    EXPECT_EQ(cartella.Read("gas.cfg"), fileIniziale);
  }
  // A "#" further in reads back as typed.
  const int16_t nuovo = editor.Nuovo(" #2 Gas", Mostra("Metano"));
  ASSERT_GT(nuovo, 0);
  CampiGas c = Mostra(" #2 Gas");
  c.Densita = "0,6";
  c.Viscosita = "14";
  c.PCinf = "30";
  c.PCsup = "33";
  ASSERT_TRUE(editor.Salva(c));
  InitGas();
  EXPECT_EQ(ArchivioGas[static_cast<size_t>(nuovo)].Nome, " #2 Gas");
}

TEST_F(EditorGasTest, UnGasResoNonCombustibileNonHaPiuFamigliaNeVerdettoDiTenuta) {
  ASSERT_TRUE(InitFamiglieGas());
  CostruisciImpianto();
  TTenutaImpianto& t = TenutaImpianto;
  t = TTenutaImpianto{};
  for (std::string* testo : {&t.ProvaContModello, &t.ProvaContCalibro, &t.ProvaContMarca, &t.ProvaContMatricola})
    *testo = "x";
  t.CapacitaContatore = "2,0";
  t.ProvaContQn = "0,5";
  t.ProvaContPprova = "2000";
  t.ProvaContDispRil = "0,5";
  t.Metodo = 1;
  t.DisposIntercett = 1;
  const std::string percorso = cartella.Path() + "/casa.RTG";
  ASSERT_TRUE(ScriviRTG(percorso));
  const auto verdetto = [&] {
    utente.PermettiTutti();
    EXPECT_TRUE(LeggiRTG(percorso));
    PaginaTenuta pagina;
    pagina.TenutaImpiantoInit();
    return TenutaImpianto.Risultato;
  };
  ASSERT_EQ(verdetto(), VerdettoIdoneo);

  // The gas of the project is made non-combustible and the project opened again in the same run.
  CampiGas c = Mostra("Metano");
  c.NonCombustibile = true;
  editor.GasModificato = true;
  ASSERT_TRUE(editor.Salva(c));
  EXPECT_EQ(ArchivioGas[1].Famiglia, 0);
  EXPECT_EQ(EditorGas::MostraDatiGas(ArchivioGas[1]).Famiglia, "0");
  EXPECT_EQ(verdetto(), NessunVerdetto);
  EXPECT_EQ(TenutaImpianto.FamigliaGas, 0);
  EXPECT_EQ(MotivoSenzaVerdetto(TenutaImpianto),
            "Nessun esito: la verifica di tenuta non si applica ai gas non combustibili.");

  // Made combustible again, it is judged as a gas of its family.
  c = Mostra("Metano");
  c.NonCombustibile = false;
  editor.GasModificato = true;
  ASSERT_TRUE(editor.Salva(c));
  EXPECT_EQ(ArchivioGas[1].Famiglia, 2);
  EXPECT_EQ(verdetto(), VerdettoIdoneo);
}

TEST_F(EditorGasTest, IlGasInUsoSalvatoPoiLasciatoPerUnAltroSegueLArchivio) {
  // Corrected, saved, then the list moved on to another gas before leaving: the project must not
  // go on with values the archive no longer holds (they come back at its next opening).
  RicalcoloAutomatico = -1;
  CampiGas c = Mostra("Metano");
  c.Densita = "0,6";
  editor.GasModificato = true;
  ASSERT_TRUE(editor.Salva(c));
  const CampiGas altro = Mostra("GPL Propano");
  EXPECT_EQ(editor.Esci(altro, "GPL Propano", std::string("Metano")), UscitaGas::Chiusa);
  EXPECT_EQ(GasCorrente.Nome, "Metano");
  EXPECT_FLOAT_EQ(GasCorrente.Densita, 0.6f);
  EXPECT_FLOAT_EQ(GasCorrente.MassaVolumica, ArchivioGas[1].MassaVolumica);
  EXPECT_EQ(CurrentGas, 1);
  EXPECT_EQ(ProgettoModificato, -1);
  EXPECT_TRUE(finestre.Visto("Elaborazione"));

  // The same when the other gas's pending changes are dropped on leaving.
  c = Mostra("Metano");
  c.Densita = "0,65";
  editor.GasModificato = true;
  ASSERT_TRUE(editor.Salva(c));
  CampiGas propano = Mostra("GPL Propano");
  propano.PCinf = "80";
  editor.GasModificato = true;
  utente.Attendi(MsgSalvareModifiche, Risposta::No);
  EXPECT_EQ(editor.Esci(propano, "GPL Propano", std::string("Metano")), UscitaGas::Chiusa);
  EXPECT_FLOAT_EQ(GasCorrente.Densita, 0.65f);
  EXPECT_FLOAT_EQ(ArchivioGas[2].PCI, 88.0f);

  // Nothing saved for it: the gas in use and the user's maximum drop stay as they are.
  ProgettoModificato = 0;
  PDCMaxUtente = 123;
  EXPECT_EQ(editor.Esci(Mostra("GPL Propano"), "GPL Propano", std::string("Metano")), UscitaGas::Chiusa);
  EXPECT_DOUBLE_EQ(PDCMaxUtente, 123.0);
  EXPECT_EQ(ProgettoModificato, 0);
}

TEST_F(EditorGasTest, IlGasDelProgettoSegueLArchivioAncheSeIlSelettoreNonLoMostra) {
  // The project's gas saved with other values while the main selector shows no gas, or another
  // one: the project must calculate with the values of the gas it names, never keep the old ones
  // under that name (they would come back different at its next opening).
  ASSERT_TRUE(InitFamiglieGas());
  CostruisciImpianto();
  test::PaginaTenutaProva pagina;
  test::CompilaPaginaTenuta(pagina.pagina);
  pagina.Refresh();
  ASSERT_EQ(TenutaImpianto.FamigliaGas, 2);
  struct Caso {
    const char* nome;
    std::optional<std::string> voce;
    bool conDomanda;  // left with the changes pending (answered Yes) rather than saved first
    const char* densita;
    float attesa;
    int16_t famiglia;
  };
  const Caso casi[] = {{"nessuna voce", std::nullopt, false, "1,8", 1.8f, 1},
                       {"un altro gas", std::string("GPL Propano"), false, "0,6", 0.6f, 2},
                       {"nessuna voce, Si all'uscita", std::nullopt, true, "2", 2.0f, 1},
                       {"un altro gas, Si all'uscita", std::string("GPL Propano"), true, "0,7", 0.7f, 2}};
  for (const Caso& k : casi) {
    SCOPED_TRACE(k.nome);
    RicalcoloAutomatico = -1;
    ProgettoModificato = 0;
    CampiGas c = Mostra("Metano");
    c.Densita = k.densita;
    editor.GasModificato = true;
    if (k.conDomanda)
      utente.Attendi(MsgSalvareModifiche, Risposta::Si);
    else
      ASSERT_TRUE(editor.Salva(c));
    EXPECT_EQ(editor.Esci(c, "Metano", k.voce), UscitaGas::Chiusa);
    EXPECT_EQ(GasCorrente.Nome, "Metano");
    EXPECT_TRUE(StessiValoriGas(GasCorrente, ArchivioGas[1]));
    EXPECT_FLOAT_EQ(GasCorrente.Densita, k.attesa);
    EXPECT_EQ(GasCorrente.Famiglia, k.famiglia);
    EXPECT_EQ(TenutaImpianto.FamigliaGas, k.famiglia);
    EXPECT_EQ(ProgettoModificato, -1);
    EXPECT_TRUE(finestre.Visto("Elaborazione"));
  }
}

TEST_F(EditorGasTest, NuovoRifiutaIlNomeDiUnGasGiaInArchivio) {
  // A project names its gas, found regardless of letter case: a second "metano" would be sized
  // with the first one's values.
  const int16_t prima = NumGas;
  // Nor blanks of another kind or a run of them: the one rule for gas names.
  for (const char* nome : {"Metano", "metano", "GPL PROPANO", "Metano\u00A0", "GPL  Propano", "\u00A0gpl\u00A0 propano "}) {
    SCOPED_TRACE(nome);
    utente.Attendi(MsgGasEsistente);
    EXPECT_EQ(editor.Nuovo(nome, Mostra("Metano")), 0);
    EXPECT_EQ(NumGas, prima);
    EXPECT_EQ(cartella.Read("gas.cfg"), fileIniziale);
  }
  EXPECT_GT(editor.Nuovo("Metano 2", Mostra("Metano")), 0);
}

TEST_F(EditorGasTest, CancellareUnGasPrecedenteNonSpostaIlGasInUsoSuUnAltro) {
  // The index of the gas in use points past a deleted gas: read afterwards (a selector that shows
  // no entry applies the gas at that index) it must still be the gas in use, never the next one.
  CurrentGas = 3;
  GasCorrente = ArchivioGas[3];
  ASSERT_EQ(GasCorrente.Nome, "GPL Butano");
  Mostra("Metano");
  utente.Attendi("Confermi la cancellazione del gas", Risposta::Si);
  ASSERT_TRUE(editor.Cancella());
  EXPECT_EQ(ArchivioGas[static_cast<size_t>(CurrentGas)].Nome, "GPL Butano");
  EXPECT_EQ(ApplicaSceltaGas(std::nullopt), EsitoSceltaGas::Invariato);
  EXPECT_EQ(GasCorrente.Nome, "GPL Butano");
  EXPECT_EQ(ProgettoModificato, 0);
}

TEST_F(EditorGasTest, GuardareIlGasInUsoSenzaCambiarloNonToccaLaPerditaMassimaNeIRisultati) {
  // The editor opens on the gas in use; leaving it with nothing changed, or with the gas refused,
  // must not turn the project's maximum drop back to automatic and size the network again.
  RicalcoloAutomatico = -1;
  EXPECT_EQ(editor.Esci(Mostra("Metano"), "Metano", std::string("Metano")), UscitaGas::Chiusa);
  EXPECT_DOUBLE_EQ(PDCMaxUtente, 123.0);
  EXPECT_EQ(ProgettoModificato, 0);
  EXPECT_FALSE(finestre.Visto("Elaborazione"));
  EXPECT_EQ(GasCorrente.Nome, "Metano");

  // The gas in use made non-combustible: the project's copy follows the archive (the user is
  // told to replace it), the user's maximum drop and the results stay.
  CampiGas c = Mostra("Metano");
  c.NonCombustibile = true;
  ASSERT_TRUE(editor.Salva(c));
  CurrentGas = 1;
  utente.Attendi(MsgGasNonCombustibile);
  EXPECT_EQ(editor.Esci(Mostra("Metano"), "Metano", std::string("Metano")), UscitaGas::Nascosta);
  EXPECT_DOUBLE_EQ(PDCMaxUtente, 123.0);
  EXPECT_EQ(GasCorrente.NonCombustibile, 1);
  EXPECT_EQ(ProgettoModificato, -1);
  EXPECT_FALSE(finestre.Visto("Elaborazione"));
}

TEST_F(EditorGasTest, IlGasDelProgettoResoNonCombustibileTogliSubitoIlVerdettoDiTenuta) {
  // The project stays open: the page, the record and the report follow the archive at once,
  // without waiting for the file to be opened again.
  ASSERT_TRUE(InitFamiglieGas());
  CostruisciImpianto();
  test::PaginaTenutaProva pagina;
  test::CompilaPaginaTenuta(pagina.pagina);
  pagina.Refresh();
  ASSERT_EQ(TenutaImpianto.Risultato, VerdettoIdoneo);
  ASSERT_EQ(TenutaImpianto.FamigliaGas, 2);

  CampiGas c = Mostra("Metano");
  c.NonCombustibile = true;
  editor.GasModificato = true;
  utente.Attendi(MsgSalvareModifiche, Risposta::Si);
  utente.Attendi("il gas Metano del progetto deve essere sostituito");
  EXPECT_EQ(editor.Esci(c, "Metano", std::string("Metano")), UscitaGas::RestaAperta);
  EXPECT_EQ(GasCorrente.NonCombustibile, 1);
  EXPECT_EQ(GasCorrente.Famiglia, 0);
  EXPECT_EQ(TenutaImpianto.FamigliaGas, 0);
  EXPECT_EQ(TenutaImpianto.Risultato, NessunVerdetto);
  EXPECT_EQ(pagina.pagina.Descrizione, AvvisoNonCombustibile);
  bool motivo = false;
  for (const PezzoTenuta& p : GetPezziTenuta()) {
    EXPECT_EQ(p.Testo.find("idonea"), std::string::npos) << p.Testo;
    EXPECT_NE(p.Testo, "I famiglia");
    motivo = motivo || p.Testo == "Nessun esito: la verifica di tenuta non si applica ai gas non combustibili.";
  }
  EXPECT_TRUE(motivo);
}

TEST_F(EditorGasTest, IlGasDelProgettoCheCambiaFamigliaPortaSubitoConSeIlRecordDiTenuta) {
  // Metano's calorific values lowered into family I: the record is judged with family I's
  // reference pressure as soon as the editor is left, not at the next refresh.
  ASSERT_TRUE(InitFamiglieGas());
  CostruisciImpianto();
  test::PaginaTenutaProva pagina;
  test::CompilaPaginaTenuta(pagina.pagina);
  pagina.Refresh();
  ASSERT_EQ(TenutaImpianto.FamigliaGas, 2);
  ASSERT_EQ(TenutaImpianto.ProvaContPRif, "2200");
  CampiGas c = Mostra("Metano");
  c.PCinf = "17";
  c.PCsup = "19";
  editor.GasModificato = true;
  utente.Attendi(MsgSalvareModifiche, Risposta::Si);
  EXPECT_EQ(editor.Esci(c, "Metano", std::string("Metano")), UscitaGas::Chiusa);
  EXPECT_EQ(GasCorrente.Famiglia, 1);
  EXPECT_EQ(TenutaImpianto.FamigliaGas, 1);
  EXPECT_EQ(TenutaImpianto.ProvaContPRif, "1000");
  EXPECT_EQ(TenutaImpianto.Risultato, VerdettoIdoneo);
}

TEST_F(EditorGasTest, UnGasSenzaFamigliaNonMostraLaFamigliaSupplente) {
  // The family rule stands family I in for a Wobbe index of no family: the box must not say 1
  // right after the message that the gas has none.
  TGas g = ArchivioGas[1];
  g.Famiglia = 1;
  g.ErroreFamiglia = -1;
  EXPECT_EQ(EditorGas::MostraDatiGas(g).Famiglia, "nessuna");
  g.ErroreFamiglia = 0;
  EXPECT_EQ(EditorGas::MostraDatiGas(g).Famiglia, "1");
}

}  // namespace
}  // namespace varnex::test
