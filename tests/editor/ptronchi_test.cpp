// The segment-parameters dialog's logic: loading a segment into the fields, storing into one
// segment or a range with the field choice, the diameter lock, and the editing aids.
#include <gtest/gtest.h>

#include "editor/ptronchi.h"
#include "model/rete.h"
#include "model/rete_prova.h"
#include "model/raccordi.h"
#include "support/fake_interaction.h"

namespace varnex {
namespace {

using test::CaricaSerie;

class ParametriTroncoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRete();
    CaricaSerie(test::SerieStandard());
    ReteInPressione = 0;
    ProgettoModificato = 0;
    // 1 -> 2 -> 3 ... a chain of 8 segments.
    test::CostruisciRete({{0, 2, 0}, {1, 3, 0}, {2, 4, 0}, {3, 5, 0}, {4, 6, 0}, {5, 7, 0}, {6, 8, 0}, {7, 0, 0}});
    for (int16_t s = 1; s <= 8; ++s) {
      Tronco(s).ID_LEN = 5;
      Tronco(s).ID_MATERIALE = "RAME-B";
      Tronco(s).IndiceMateriale = 2;
      Tronco(s).ID_DIAMETRO = "12x1";
    }
    p_.ReteAperta = 1;
  }
  void TearDown() override { ReteInPressione = 0; }
  CampiTronco Apri(int16_t seg) {
    p_.ImpostaTronco(std::to_string(seg));
    return p_.Carica();
  }
  ParametriTronco p_;
  test::FakeInterazione utente_;
};

TEST_F(ParametriTroncoTest, CaricaMostraIValoriNelFormatoDelDialogo) {
  TTronco& t = Tronco(3);
  t.ID_LEN = 12.5f;
  t.ID_EQLENNOTA = 0;
  t.ID_NRACCORDI = 4;
  t.ID_NGOMITI = 2;
  t.ID_RIF = "Cucina";
  t.ID_DIAMCUSTOM = -1;
  NomiSpeciali[2] = "Tee";
  const CampiTronco c = Apri(3);
  EXPECT_EQ(c.Lunghezza, " 12.5");
  EXPECT_EQ(c.LunghezzaAggiuntiva, " 0");
  EXPECT_EQ(c.Provenienza, " 2");
  EXPECT_EQ(c.Locali[1], "4");  // box 1 holds the tees
  EXPECT_EQ(c.Locali[2], "2");  // box 2 the elbows
  EXPECT_EQ(c.EtichetteLocali[1], "Tee");
  EXPECT_EQ(c.Riferimento, "Cucina");
  EXPECT_EQ(c.Materiali, (std::vector<std::string>{"ACCIAIOM", "RAME-B", "PE4437"}));
  EXPECT_EQ(c.MaterialeSelezionato, 1);
  EXPECT_TRUE(c.DiametroRosso);
  EXPECT_TRUE(c.Bloccato);
  EXPECT_FALSE(c.PannelloContemp);
  // An internal installation: rows 4..9 off and grey, 0..3 usable.
  for (size_t i = 0; i < NumLocali; ++i) {
    EXPECT_EQ(c.LocaliAbilitati[i], i < 4) << i;
    EXPECT_EQ(c.EtichettaGrigia[i], i >= 4) << i;
  }
}

TEST_F(ParametriTroncoTest, LunghezzaZeroDisabilitaIConteggiEUnTerminaleBloccaLaContemporaneita) {
  ReteInPressione = -1;
  Tronco(8).ID_LEN = 0;
  const CampiTronco fine = Apri(8);
  EXPECT_TRUE(fine.PannelloContemp);
  EXPECT_TRUE(fine.ContempBloccato);
  for (bool b : fine.LocaliAbilitati) EXPECT_FALSE(b);
  const CampiTronco interno = Apri(3);
  EXPECT_FALSE(interno.ContempBloccato);
  for (bool b : interno.LocaliAbilitati) EXPECT_TRUE(b);
}

TEST_F(ParametriTroncoTest, SerieSconosciutaLasciaLaPrimaVoceESalvaQuella) {
  Tronco(4).ID_MATERIALE = "SPARITA";
  CampiTronco c = Apri(4);
  EXPECT_EQ(c.MaterialeSelezionato, 0);
  c.Diametro = "3/4";
  p_.Salva(c, 4, 4);
  EXPECT_EQ(Tronco(4).ID_MATERIALE, "ACCIAIOM");
  EXPECT_EQ(Tronco(4).IndiceMateriale, 1);
  EXPECT_EQ(Tronco(4).ID_DIAMETRO, "3/4");
}

TEST_F(ParametriTroncoTest, UnaRigaScriveOgniCampoELaSerieESegnaLaModifica) {
  CampiTronco c = Apri(3);
  for (size_t i = 0; i < NumLocali; ++i) c.Locali[i] = std::to_string(i + 1);
  c.Locali[9] = "10000";
  c.Lunghezza = "7,25";
  c.LunghezzaAggiuntiva = " 1.5";
  c.Contemporaneita = "60";
  c.MaterialeSelezionato = 0;
  c.Diametro = "1";
  p_.Salva(c, 3, 3);
  const TTronco& t = Tronco(3);
  EXPECT_EQ(t.ID_NCURVE, 1);
  EXPECT_EQ(t.ID_NRACCORDI, 2);
  EXPECT_EQ(t.ID_NGOMITI, 3);
  EXPECT_EQ(t.ID_NRUBINETTI, 4);
  EXPECT_EQ(t.ID_SPC9, 9);
  EXPECT_EQ(t.ID_SPC10, 9999);
  EXPECT_FLOAT_EQ(t.ID_LEN, 7.25f);
  EXPECT_FLOAT_EQ(t.ID_EQLENNOTA, 1.5f);
  EXPECT_EQ(t.ID_CONTEMP, 60);
  EXPECT_EQ(t.ID_MATERIALE, "ACCIAIOM");
  EXPECT_EQ(t.IndiceMateriale, 1);
  EXPECT_EQ(t.ID_DIAMETRO, "1");
  EXPECT_EQ(t.ID_DIAMCUSTOM, -1);  // a new label of the series, lock untouched: fixed
  EXPECT_EQ(ProgettoModificato, -1);
}

// The diameter rules: text typed, lock state, stored label and the outcome.
struct CasoDiametro {
  const char* nome;
  const char* testo;
  int16_t statoBlocco;  // 0 untouched, 1 released, 2 set
  int16_t customPrima;
  const char* dnAtteso;
  int16_t customAtteso;
};
// A failing case names itself, not its bytes.
void PrintTo(const CasoDiametro& c, std::ostream* os) { *os << c.nome; }

class DiametroTest : public ParametriTroncoTest, public ::testing::WithParamInterface<CasoDiametro> {};

TEST_P(DiametroTest, RegoleDelBlocco) {
  const CasoDiametro& k = GetParam();
  Tronco(5).ID_DIAMCUSTOM = k.customPrima;
  CampiTronco c = Apri(5);
  c.Diametro = k.testo;
  p_.StatoBloccoDiametro = k.statoBlocco;
  p_.Salva(c, 5, 5);
  EXPECT_EQ(Tronco(5).ID_DIAMETRO, k.dnAtteso);
  EXPECT_EQ(Tronco(5).ID_DIAMCUSTOM, k.customAtteso);
  EXPECT_EQ(c.Diametro, k.dnAtteso);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, DiametroTest,
    ::testing::Values(CasoDiametro{"nuova etichetta fissa", "22x1", 0, 0, "22x1", -1},
                      CasoDiametro{"stessa etichetta lascia", "12x1", 0, 0, "12x1", 0},
                      // "0" is no size at all: a lock on it would size the segment with no bore.
                      CasoDiametro{"Auto diventa 0 e libera", "Auto", 0, -1, "0", 0},
                      CasoDiametro{"Auto con blocco resta libero", "Auto", 2, 0, "0", 0},
                      CasoDiametro{"vuoto diventa 0", "", 0, 0, "0", 0},
                      CasoDiametro{"etichetta di altra serie", "3/4", 0, 0, "0", 0},
                      CasoDiametro{"sblocco libera anche una etichetta", "22x1", 1, -1, "22x1", 0},
                      CasoDiametro{"blocco fissa", "12x1", 2, 0, "12x1", -1}),
    [](const auto& info) {
      std::string n = info.param.nome;
      for (char& ch : n)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return n;
    });

TEST_F(ParametriTroncoTest, IntervalloScriveSoloICampiSceltiInEntrambiIVersi) {
  for (auto [prima, ultima] : {std::pair<int16_t, int16_t>{3, 7}, {7, 3}}) {
    SetUp();
    CampiTronco c = Apri(3);
    c.Locali[0] = "6";
    c.Locali[1] = "8";
    c.Lunghezza = "99";
    c.MaterialeSelezionato = 0;
    c.Diametro = "22x1";
    p_.CampiDaApplicare = {};
    p_.CampiDaApplicare[0] = -1;
    p_.CampiDaApplicare[12] = -1;
    p_.Salva(c, prima, ultima);
    for (int16_t s = 1; s <= 8; ++s) {
      const bool dentro = s >= 3 && s <= 7;
      EXPECT_EQ(Tronco(s).ID_NCURVE, dentro ? 6 : 0) << s;
      EXPECT_EQ(Tronco(s).ID_NRACCORDI, 0) << s;
      EXPECT_FLOAT_EQ(Tronco(s).ID_LEN, dentro ? 99.0f : 5.0f) << s;
      EXPECT_EQ(Tronco(s).ID_MATERIALE, "RAME-B") << s;  // never the series on a range
      EXPECT_EQ(Tronco(s).ID_DIAMETRO, "12x1") << s;
    }
  }
}

TEST_F(ParametriTroncoTest, IntervalloScriveIlDiametroSoloDoveLaSerieLoHa) {
  // Segments 4 and 6 are steel: copper "22x1" would stand fixed on them with no inner diameter.
  for (int16_t s : {4, 6}) {
    Tronco(s).ID_MATERIALE = "ACCIAIOM";
    Tronco(s).IndiceMateriale = 1;
    Tronco(s).ID_DIAMETRO = "3/4";
  }
  CampiTronco c = Apri(3);
  c.Diametro = "22x1";
  c.Lunghezza = "100";
  p_.CampiDaApplicare = {};
  p_.CampiDaApplicare[12] = -1;
  p_.CampiDaApplicare[13] = -1;
  utente_.Attendi("Il diametro 22x1 non fa parte della serie di tubi dei tronchi 4, 6:\r\nil loro diametro non e' stato cambiato.");
  p_.Salva(c, 3, 7);
  ASSERT_EQ(utente_.messaggi.size(), 1u);
  for (int16_t s = 3; s <= 7; ++s) {
    const bool acciaio = s == 4 || s == 6;
    EXPECT_EQ(Tronco(s).ID_DIAMETRO, acciaio ? "3/4" : "22x1") << s;
    EXPECT_EQ(Tronco(s).ID_DIAMCUSTOM, acciaio ? 0 : -1) << s;
    EXPECT_FLOAT_EQ(Tronco(s).ID_LEN, 100) << s;  // the other fields still go everywhere
  }
}

TEST_F(ParametriTroncoTest, BloccoSuDiametroVuotoVieneRilasciato) {
  CampiTronco c = Apri(2);
  c.Diametro = "  ";
  p_.CambiaBlocco(c, true);
  EXPECT_FALSE(c.Bloccato);
  EXPECT_FALSE(c.DiametroRosso);
  EXPECT_EQ(p_.StatoBloccoDiametro, 1);
  Tronco(2).ID_DIAMCUSTOM = -1;
  p_.Salva(c, 2, 2);
  EXPECT_EQ(Tronco(2).ID_DIAMCUSTOM, 0);

  c.Diametro = "12x1";
  p_.CambiaBlocco(c, true);
  EXPECT_TRUE(c.DiametroRosso);
  EXPECT_EQ(p_.StatoBloccoDiametro, 2);
  p_.CambiaBlocco(c, false);
  EXPECT_FALSE(c.DiametroRosso);
  EXPECT_EQ(p_.StatoBloccoDiametro, 1);
  // Loading again forgets what the user did to the lock.
  Apri(2);
  EXPECT_EQ(p_.StatoBloccoDiametro, 0);
}

TEST_F(ParametriTroncoTest, PrimingFuoriIntervalloNonEsceDallaTabella) {
  p_.ImpostaTronco("  999");
  EXPECT_EQ(p_.TroncoAperto, MaxTronchi);
  p_.ImpostaTronco("-4");
  EXPECT_EQ(p_.TroncoAperto, 0);
  p_.ImpostaRete(" 1.4");
  EXPECT_EQ(p_.ReteAperta, 1);
  CampiTronco c = Apri(3);
  // A row past the last slot is no segment: nothing is written.
  p_.Salva(c, 201, 201);
  p_.Salva(c, 0, 0);
  EXPECT_EQ(ProgettoModificato, 0);
}

TEST_F(ParametriTroncoTest, ConteggioIncollatoEnormeNonTrabocca) {
  CampiTronco c = Apri(3);
  c.Locali[0] = "99999999999999";
  c.Contemporaneita = "99999999";
  p_.Salva(c, 3, 3);
  EXPECT_EQ(Tronco(3).ID_NCURVE, 9999);
  EXPECT_EQ(Tronco(3).ID_CONTEMP, INT16_MAX);
}

TEST(AiutiParametriTronco, FiltriDeiTasti) {
  for (int16_t k = 0; k < 256; ++k) {
    const bool cifra = k >= '0' && k <= '9';
    EXPECT_EQ(TastoAmmesso(CampoTasti::Conteggio, k), cifra || k == 8) << k;
    EXPECT_EQ(TastoAmmesso(CampoTasti::Quantita, k), cifra || k == 8 || k == ',' || k == '.') << k;
    EXPECT_EQ(TastoAmmesso(CampoTasti::Lunghezza, k), cifra || k == 8 || k == ',' || k == '.') << k;
    EXPECT_EQ(TastoAmmesso(CampoTasti::Diametro, k), cifra || k == 8 || k == ',' || k == '.' || k == '?') << k;
    EXPECT_FALSE(TastoAmmesso(CampoTasti::Materiali, k)) << k;
  }
}

TEST(AiutiParametriTronco, UnConteggioNonInteroVieneRifiutato) {
  EXPECT_EQ(RifiutoQuantita("\"Curve\"", "12"), "");
  EXPECT_EQ(RifiutoQuantita("\"Curve\"", ""), "");
  EXPECT_EQ(RifiutoQuantita("\"Curve\"", " 7 "), "");
  EXPECT_EQ(RifiutoQuantita("\"Curve\"", "1,5"),
            "\"1,5\" non e' un numero intero valido per \"Curve\".\r\nIl valore non e' stato cambiato.");
  for (const char* t : {"1.5", "-3", "1E+3", "x"}) EXPECT_NE(RifiutoQuantita("\"Curve\"", t), "") << t;
}

TEST(AiutiParametriTronco, SpinELimitiDellaContemporaneita) {
  EXPECT_EQ(SpinContemporaneita("12", false), "7");
  EXPECT_EQ(LimitaContemporaneita("7"), "10");
  EXPECT_EQ(LimitaContemporaneita("150"), "100");
  EXPECT_EQ(LimitaContemporaneita("55"), "55");
  // Not a whole number: left as typed for OK to refuse, never read as 12 or 10.
  EXPECT_EQ(LimitaContemporaneita("12,5"), "12,5");
  EXPECT_EQ(LimitaContemporaneita("1,5"), "1,5");
  EXPECT_EQ(LimitaContemporaneita(""), "10");
  EXPECT_EQ(SpinContemporaneita("96", true), "100");
  EXPECT_EQ(SpinContemporaneita("100", true), "100");
  EXPECT_EQ(SpinContemporaneita("95", true), "100");
  EXPECT_EQ(SpinContemporaneita("10", false), "10");
  EXPECT_EQ(SpinConteggio("0", false), "0");
  EXPECT_EQ(SpinConteggio("", true), "1");
  EXPECT_EQ(SpinConteggio("9999", true), "10000");
  EXPECT_EQ(SpinTronco("12", true, 12), "12");
  EXPECT_EQ(SpinTronco("1", false, 12), "1");
  EXPECT_EQ(SpinTronco("5", true, 12), "6");
}

TEST(AiutiParametriTronco, TestoStrComeLaFunzioneDiSistema) {
  EXPECT_EQ(TestoStr(12.5f), " 12.5");
  EXPECT_EQ(TestoStr(-3.25f), "-3.25");
  EXPECT_EQ(TestoStr(0.0f), " 0");
  EXPECT_EQ(TestoStr(int32_t{7}), " 7");
}

}  // namespace
}  // namespace varnex
