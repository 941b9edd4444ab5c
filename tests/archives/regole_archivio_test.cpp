// One rule per archive field for the editor that saves a value and the reader that loads it: a
// table of values at and beyond each range, each typed into the real editor and written into the
// real file. What the editor accepts it saves, and the reader loads it back; what one refuses the
// other refuses. Texts: every character a reader changes or the file cannot hold is refused by
// the editors, and every other text comes back unchanged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archives/editor_gas.h"
#include "archives/editor_materiali.h"
#include "archives/editor_pdc.h"
#include "archives/editor_raccordi.h"
#include "archives/testi_archivio.h"
#include "model/files.h"
#include "model/numbers.h"
#include "model/valori_archivio.h"
#include "shell/ambiente_prova.h"

namespace varnex::test {
namespace {

enum class Campo { Spessore, Interno, Esterno, PesoSpecifico, Densita, Viscosita, PCI, Lunghezza, PDC };

struct Caso {
  Campo campo;
  const char* nelFile;    // as the reader finds it; nullptr when the file does not hold the field
  const char* digitato;   // as typed in the editor's box; nullptr when the editor has no such box
  bool ammesso;
  float valore = 0;       // what an admitted value reads back as
};

const char* NomeCampo(Campo c) {
  static constexpr const char* nomi[] = {"spessore", "interno",  "esterno",   "peso specifico", "densita",
                                         "viscosita", "PCI",     "lunghezza", "PDC"};
  return nomi[static_cast<int>(c)];
}

class RegoleArchivio : public ProgrammaProva {
 protected:
  // True when a reader run showed no refused line.
  bool SenzaErrori(size_t daMessaggio) const {
    for (size_t i = daMessaggio; i < utente.messaggi.size(); ++i)
      if (utente.messaggi[i].testo.find("Errori nel file") != std::string::npos) return false;
    return true;
  }

  // The field written into its archive file and that file loaded: true when the line loaded.
  bool LettoDalFile(const Caso& k, float& letto) {
    const size_t prima = utente.messaggi.size();
    const std::string v = k.nelFile;
    switch (k.campo) {
      case Campo::Spessore:
      case Campo::Interno:
      case Campo::PesoSpecifico: {
        const std::string s = k.campo == Campo::Spessore ? v : " 2 ";
        const std::string i = k.campo == Campo::Interno ? v : " 20 ";
        const std::string p = k.campo == Campo::PesoSpecifico ? v : " 7850";
        cartella.Write("ZZPROVA.mat", " 1\r\n" + p + "\r\nprova\r\nA\t" + s + "\t" + i + "\t\r\n");
        CaricaMateriali();
        std::string nome = "ZZPROVA";
        const TSerieMateriale& m = Materiali[static_cast<size_t>(CercaMateriale(nome))];
        letto = k.campo == Campo::Spessore ? m[1].Spessore : k.campo == Campo::Interno ? m[1].DiamInterno : m[0].PesoSpecifico;
        const bool caricato = SenzaErrori(prima) && (k.campo == Campo::PesoSpecifico || m[0].NumDiametri == 1);
        DeleteFileIfExists(FileProgramma("ZZPROVA.mat"));
        return caricato;
      }
      case Campo::Densita:
      case Campo::Viscosita:
      case Campo::PCI: {
        const std::string d = k.campo == Campo::Densita ? v : " 0,555 ";
        const std::string mu = k.campo == Campo::Viscosita ? v : " 1,617E-05 ";
        const std::string pci = k.campo == Campo::PCI ? v : " 34,02 ";
        cartella.Write("gas.cfg", "Prova\t" + d + "\t" + mu + "\t" + pci + "\t 37,78 \t 0 \r\n");
        InitGas();
        if (NumGas != 1) return false;
        const TGas& g = ArchivioGas[1];
        letto = k.campo == Campo::Densita ? g.Densita : k.campo == Campo::Viscosita ? g.Viscosita : g.PCI;
        return SenzaErrori(prima);
      }
      case Campo::Lunghezza:
        cartella.Write("EQLEN.CFG", "CURVA\t" + v + "\t 1 \t 1 \r\n");
        NomiSpeciali[1] = "prima";
        EXPECT_TRUE(CaricaSpeciali());
        letto = LunghezzeEquivalenti[1][1][1];
        return SenzaErrori(prima) && NomiSpeciali[1] == "CURVA";
      case Campo::PDC:
        cartella.Write("PDCMAX.CFG", " 35 \r\n" + v + "\r\n 100 \r\n 200 \r\n 50 \r\n 50 \r\n 200 \r\n");
        EXPECT_TRUE(CaricaPDCMax());
        letto = PDCMaxTabella[1][1];
        return SenzaErrori(prima);
      case Campo::Esterno:
        break;
    }
    ADD_FAILURE() << "no file holds this field";
    return false;
  }

  // The value typed into its editor and saved: true when the editor saved it. A saved value is
  // then loaded back from the file, which must take it without a word.
  bool SalvatoDallEditor(const Caso& k) {
    const std::string v = k.digitato;
    bool salvato = false;
    float riletto = 0;
    const size_t prima = utente.messaggi.size();
    switch (k.campo) {
      case Campo::Spessore:
      case Campo::Interno:
      case Campo::Esterno:
      case Campo::PesoSpecifico: {
        EditorMateriali editor;
        editor.CaricaSerie(1);
        bool accettato = true;
        if (k.campo == Campo::Spessore) {
          accettato = editor.Commit(1, 2, "600").accettato && editor.Commit(1, 3, v).accettato;
        } else if (k.campo == Campo::PesoSpecifico) {
          editor.ImpostaDensita(v);
        } else {
          // With no wall the outer diameter is the inner one.
          accettato = editor.Commit(1, 3, "0").accettato && editor.Commit(1, 2, v).accettato;
        }
        salvato = accettato && editor.SalvaSerie();
        if (!salvato) return false;
        const size_t dopo = utente.messaggi.size();
        CaricaMateriali();
        EXPECT_TRUE(SenzaErrori(dopo)) << "saved, then refused by the reader";
        riletto = k.campo == Campo::Spessore        ? Materiali[1][1].Spessore
                  : k.campo == Campo::PesoSpecifico ? Materiali[1][0].PesoSpecifico
                                                    : Materiali[1][1].DiamInterno;
        break;
      }
      case Campo::Densita:
      case Campo::Viscosita:
      case Campo::PCI: {
        EditorGas editor;
        CampiGas c = editor.Seleziona("Metano");
        (k.campo == Campo::Densita ? c.Densita : k.campo == Campo::Viscosita ? c.Viscosita : c.PCinf) = v;
        editor.GasModificato = true;
        salvato = editor.Salva(c);
        if (!salvato) return false;
        const size_t dopo = utente.messaggi.size();
        const int16_t n = NumGas;
        InitGas();
        EXPECT_TRUE(SenzaErrori(dopo)) << "saved, then refused by the reader";
        EXPECT_EQ(NumGas, n);
        const TGas& g = ArchivioGas[1];
        riletto = k.campo == Campo::Densita ? g.Densita : k.campo == Campo::Viscosita ? g.Viscosita : g.PCI;
        break;
      }
      case Campo::Lunghezza: {
        CampiSpeciali c = EditorSpeciali::MostraSpeciali();
        c[0].Range1 = v;
        salvato = EditorSpeciali::Conferma(c);
        if (!salvato) return false;
        const size_t dopo = utente.messaggi.size();
        EXPECT_TRUE(CaricaSpeciali());
        EXPECT_TRUE(SenzaErrori(dopo)) << "saved, then refused by the reader";
        riletto = LunghezzeEquivalenti[1][1][1];
        break;
      }
      case Campo::PDC: {
        CampiPDC c = EditorPDC::MostraPDC();
        c.Potenza1[0] = v;
        salvato = EditorPDC::ApplicaPDC(c);
        if (!salvato) return false;
        const size_t dopo = utente.messaggi.size();
        EXPECT_TRUE(CaricaPDCMax());
        EXPECT_TRUE(SenzaErrori(dopo)) << "saved, then refused by the reader";
        InitPDCMax();
        riletto = PDCMaxTabella[1][1];
        break;
      }
    }
    EXPECT_TRUE(SenzaErrori(prima));
    EXPECT_FLOAT_EQ(riletto, k.valore);
    return salvato;
  }
};

TEST_F(RegoleArchivio, OgniValoreAmmessoDaUnLatoELoEAncheDallAltro) {
  const std::vector<Caso> casi = {
      {Campo::Spessore, "-1", "-1", false},
      {Campo::Spessore, " 0 ", "0", true, 0},
      {Campo::Spessore, " 200 ", "200", true, 200},
      {Campo::Spessore, " 201 ", "201", false},
      {Campo::Spessore, " NaN ", nullptr, false},
      {Campo::Interno, " 3E+30 ", "3E+30", false},
      {Campo::Interno, " 0,4 ", "0,4", false},
      {Campo::Interno, " 0,5 ", "0,5", true, 0.5f},
      {Campo::Interno, " 5000 ", "5000", true, 5000},
      {Campo::Interno, " 5001 ", "5001", false},
      {Campo::Interno, " 12abc ", nullptr, false},
      {Campo::Esterno, nullptr, "1e30", false},
      {Campo::PesoSpecifico, " 0", "0", true, 0},
      {Campo::PesoSpecifico, " 25000", "25000", true, 25000},
      {Campo::PesoSpecifico, " 25001", "25001", false},
      {Campo::PesoSpecifico, "-1", "-1", false},
      {Campo::Densita, " 0,04 ", "0,04", false},
      {Campo::Densita, " 0,05 ", "0,05", true, 0.05f},
      {Campo::Densita, " 10 ", "10", true, 10},
      {Campo::Densita, " 10,5 ", "10,5", false},
      {Campo::Densita, " NaN ", nullptr, false},
      {Campo::Viscosita, " 5E-08 ", "0,05", false},
      {Campo::Viscosita, " 1E-07 ", "0,1", true, 1e-7f},
      {Campo::Viscosita, " 0,001 ", "1000", true, 1e-3f},
      {Campo::Viscosita, " 0,002 ", "2000", false},
      {Campo::PCI, " 0,5 ", "0,5", false},
      {Campo::PCI, " 1 ", "1", true, 1},
      {Campo::PCI, " 250 ", "250", true, 250},
      {Campo::PCI, " 251 ", "251", false},
      {Campo::PCI, " 1E+40 ", "1E+40", false},
      {Campo::Lunghezza, "-0,1", "-0,1", false},
      {Campo::Lunghezza, " 0 ", "0", true, 0},
      {Campo::Lunghezza, " 1000 ", "1000", true, 1000},
      {Campo::Lunghezza, " 1001 ", "1001", false},
      {Campo::PDC, " 100000 ", "100000", true, 100000},
      {Campo::PDC, " 100001 ", "100001", false},
      {Campo::PDC, " 1e40 ", "1e40", false},
      {Campo::PDC, "-5", "-5", true, 50},  // not above 0: the default
  };
  utente.PermettiTutti();
  for (const Caso& k : casi) {
    SCOPED_TRACE(std::string(NomeCampo(k.campo)) + " " + (k.nelFile ? k.nelFile : "") + " / " +
                 (k.digitato ? k.digitato : ""));
    if (k.nelFile) {
      float letto = 0;
      const bool caricato = LettoDalFile(k, letto);
      EXPECT_EQ(caricato, k.ammesso) << "reader";
      if (caricato && k.campo != Campo::PDC) {
        EXPECT_FLOAT_EQ(letto, k.valore);
      }
    }
    // The reader's runs left the archives as the test's file made them: the editors start from
    // the distributed archives every time.
    cartella.CopiaDatiDistribuiti();
    InitGas();
    CaricaMateriali();
    ASSERT_TRUE(CaricaSpeciali());
    CaricaPDCMax();
    InitPDCMax();
    if (k.digitato) {
      EXPECT_EQ(SalvatoDallEditor(k), k.ammesso) << "editor";
    }
    cartella.CopiaDatiDistribuiti();
  }
}

// Every character a reader changes or the file cannot hold, in every text an editor saves: each
// refused by its editor with a message naming it; the same texts without it come back unchanged.
TEST_F(RegoleArchivio, OgniTestoSalvatoTornaUgualeOppureERifiutato) {
  struct Testo {
    const char* testo;
    const char* difetto;  // nullptr: saved and read back unchanged
  };
  const std::vector<Testo> testi = {
      {"Gas, Rete 2", "virgole"},
      {"#1", "\"#\""},
      {"A\tB", "tabulazioni"},
      {"A\r\nB", "ritorni a capo"},
      {"Rete \xCE\xA9", "(\xCE\xA9)"},                 // Greek omega
      {"CH\xE2\x82\x84 \xE2\x86\x92", "(\xE2\x82\x84 \xE2\x86\x92)"},  // subscript four, arrow
      {"Rete 2. \xE2\x82\xAC \xC3\xA0 #", nullptr},  // euro sign and accents are in Windows-1252
      {" #Rete", nullptr},
  };
  utente.PermettiTutti();
  for (const Testo& t : testi) {
    SCOPED_TRACE(t.testo);
    const bool ammesso = t.difetto == nullptr;
    EXPECT_EQ(TestoArchiviabile(t.testo), ammesso);
    if (!ammesso) {
      EXPECT_NE(MsgTestoNonArchiviabile("Il testo", t.testo).find(t.difetto), std::string::npos);
    }

    // The gas name.
    EditorGas gas;
    const int16_t nuovo = gas.Nuovo(t.testo, gas.Seleziona("Metano"));
    EXPECT_EQ(nuovo > 0, ammesso);
    if (nuovo > 0) {
      CampiGas c = gas.Seleziona(t.testo);
      c.Densita = "0,6";
      c.Viscosita = "15";
      c.PCinf = "34";
      c.PCsup = "37";
      gas.GasModificato = true;
      ASSERT_TRUE(gas.Salva(c));
      InitGas();
      bool trovato = false;
      for (int16_t i = 1; i <= NumGas; ++i) trovato = trovato || ArchivioGas[static_cast<size_t>(i)].Nome == t.testo;
      EXPECT_TRUE(trovato) << "gas name read back changed";
    }

    // A diameter label and the series' description.
    EditorMateriali serie;
    serie.CaricaSerie(1);
    EXPECT_EQ(serie.Commit(1, 1, t.testo).accettato, ammesso);
    serie.ImpostaDescrizione(t.testo);
    EXPECT_EQ(serie.SalvaSerie(), ammesso);
    if (ammesso) {
      CaricaMateriali();
      EXPECT_EQ(Materiali[1][1].RifDiametro, t.testo);
      EXPECT_EQ(Materiali[1][0].Descrizione, t.testo);
    }

    // A fitting's description.
    CampiSpeciali c = EditorSpeciali::MostraSpeciali();
    c[5].Descrizione = t.testo;
    BoxSpeciale box;
    EXPECT_EQ(EditorSpeciali::Conferma(c, &box), ammesso);
    if (ammesso) {
      ASSERT_TRUE(CaricaSpeciali());
      EXPECT_EQ(NomiSpeciali[6], t.testo);
    } else {
      EXPECT_EQ(box.riga, 5);
      EXPECT_EQ(box.colonna, 0);
    }
    cartella.CopiaDatiDistribuiti();
    InitGas();
    CaricaMateriali();
    ASSERT_TRUE(CaricaSpeciali());
  }
}

}  // namespace
}  // namespace varnex::test
