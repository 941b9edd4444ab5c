// Cover content: masks, fields of both covers, the values every output shares.
#include <gtest/gtest.h>

#include "model/gas.h"
#include "model/rete.h"
#include "report/print/copertina.h"
#include "report/print/sezioni.h"

namespace varnex {
namespace {

TEST(FormatCopertina, MaskCases) {
  struct Caso {
    double valore;
    const char* maschera;
    const char* atteso;
  } casi[] = {
      {0.65, "##0.###", "0,65"},        {1.0, "##0.###", "1"},
      {0.0, "##0.###", "0"},            {100, " ##0  Pa", " 100  Pa"},
      {1, "##0.00 mbar)", "1,00 mbar)"}, {12.25, " ##0.0  Nmc/h", " 12,3  Nmc/h"},
      {14.0, " ##0.##", " 14"},         {13.999999, " ##0.##", " 14"},
      {0.4, "#######0", "0"},           {12.5, "###0.0", "12,5"},
      {1234.5678, " ##0.###", " 1234,568"}, {-0.0001, "##0.00", "0,00"},
      {2.5, "##0.000 bar)", "2,500 bar)"},
  };
  for (const Caso& c : casi) EXPECT_EQ(FormatCopertina(c.valore, c.maschera), c.atteso) << c.maschera;
}

class Copertina : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRete();
    SetReteCorrente(1);
    GasCorrente = TGas{};
    GasCorrente.Nome = "Metano";
    GasCorrente.Densita = 0.55f;
    GasCorrente.Viscosita = 1.4e-05f;
    GasCorrente.PCI = 34.02f;
    GasCorrente.PCS = 37.78f;
    GasCorrente.MassaVolumica = 0.717f;
    GasCorrente.Famiglia = 2;
    PDCMaxUtente = 100;
    Riferimento = std::string(71, 'R');
    DescrizioneLavoro = "Villa";
    Rete().NumTronchi = 2;
    Tronco(1).ID_P_TRONCO = 4.0f;
    Tronco(1).ID_CONTEMP = 100;
    Tronco(1).Collegato = -1;
    Tronco(1).ID_VELOCITA = 2.5f;
    Tronco(2).ID_VELOCITA = 9.0f;  // not reached by the calculation
  }
  void TearDown() override {
    ResetRete();
    ReteInPressione = 0;
    PDCMaxUtente = 0;
  }
  static const CampoCopertina& Riga(const std::vector<CampoCopertina>& campi, int riga) {
    for (const auto& c : campi)
      if (c.Riga == riga) return c;
    static CampoCopertina nessuno;
    ADD_FAILURE() << "riga " << riga;
    return nessuno;
  }
};

TEST_F(Copertina, InternalCoverRowsAndValues) {
  const auto campi = GetCampiCopertina(RendererReport::Stampa);
  std::vector<int> righe;
  for (const auto& c : campi) righe.push_back(c.Riga);
  EXPECT_EQ(righe, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
  EXPECT_EQ(Riga(campi, 1).EtichettaStampa, "Schema di impianto interno gas");
  EXPECT_EQ(Riga(campi, 3).Valore, std::string(70, 'R'));
  EXPECT_EQ(Riga(campi, 6).Valore, "0,55");
  EXPECT_EQ(Riga(campi, 7).Valore, " 2 ");  // printed as a number
  EXPECT_EQ(Riga(campi, 8).Valore, " 0,717");
  EXPECT_EQ(Riga(campi, 9).Valore, " 14");
  EXPECT_EQ(Riga(campi, 12).Valore, " 100  Pa");
  EXPECT_EQ(Riga(campi, 12).ValoreParentesi, "1,00 mbar)");
  EXPECT_EQ(Riga(campi, 13).Valore, " 4,0  Nmc/h");
  // The maximum drop the design is judged against, as entered: not rounded to a whole Pa.
  const double massima = PDCMaxUtente;
  PDCMaxUtente = 30.5;
  EXPECT_EQ(Riga(GetCampiCopertina(RendererReport::Stampa), 12).Valore, " 30,5  Pa");
  EXPECT_EQ(Riga(GetCampiCopertina(RendererReport::HTML), 12).Valore, " 30,5  Pa");
  PDCMaxUtente = massima;
  EXPECT_EQ(Riga(campi, 4).EtichettaTesto, "Lavoro: ");

  const auto html = GetCampiCopertina(RendererReport::HTML);
  EXPECT_EQ(Riga(html, 7).Valore, "2");
  EXPECT_EQ(Riga(html, 12).ValoreParentesi, "1,00 mbar");
  EXPECT_EQ(Riga(html, 6).Etichetta(RendererReport::HTML), "Densit&agrave&nbsp;:&nbsp;");
}

TEST_F(Copertina, PressurisedCoverFlowsAndVelocity) {
  ReteInPressione = -1;
  PressioneIniziale = 150;
  PressioneFinale = 100;
  Tronco(1).ID_CONTEMP = 50;
  const auto campi = GetCampiCopertina(RendererReport::Stampa);
  std::vector<int> righe;
  for (const auto& c : campi) righe.push_back(c.Riga);
  EXPECT_EQ(righe, (std::vector<int>{1, 2, 3, 4, 5, 6, 8, 9, 14, 15, 16, 17, 18, 19}));
  EXPECT_EQ(Riga(campi, 14).Valore, " 150,00 kPa");
  EXPECT_EQ(Riga(campi, 14).ValoreParentesi, "1,500 bar)");
  EXPECT_EQ(Riga(campi, 15).Valore, " 100,00  kPa");
  EXPECT_EQ(Riga(campi, 17).Valore, " 2,50  m/s");  // the unreached 9 m/s does not count
  EXPECT_EQ(Riga(campi, 18).Valore, " 8,0  Nmc/h");
  EXPECT_EQ(Riga(campi, 19).Valore, " 4,0  Nmc/h");
  EXPECT_EQ(Riga(campi, 4).EtichettaTesto, "Lavoro :");
  const auto testo = GetCampiCopertina(RendererReport::Testo);
  EXPECT_EQ(Riga(testo, 14).Valore, " 150,00  kPa");
}

TEST_F(Copertina, ZeroSimultaneityIsAReportError) {
  ReteInPressione = -1;
  Tronco(1).ID_CONTEMP = 0;
  EXPECT_THROW(GetCampiCopertina(RendererReport::HTML), ErroreReport);
}

TEST_F(Copertina, VelocitaMassimaOfLinkedSegments) {
  EXPECT_EQ(GetVelocitaMassima(), "2,5");
  Tronco(1).Collegato = 0;
  EXPECT_EQ(GetVelocitaMassima(), "0");
}

}  // namespace
}  // namespace varnex
