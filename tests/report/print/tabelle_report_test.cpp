// Content of the five report tables: rows, markers, prefixes, captions, cutting and totals.
#include <gtest/gtest.h>

#include <functional>

#include "editor/tabella.h"
#include "model/campi.h"
#include "model/colonne.h"
#include "model/globals.h"
#include "model/materiali.h"
#include "model/rete.h"
#include "model/raccordi.h"
#include "report/print/sezioni.h"
#include "report/print/tabelle_report.h"

namespace varnex {
namespace {

class TabelleReport : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CaricaDefinizioneGriglie(std::string(VARNEX_SOURCE_DATA_DIR) + "/gridgas.cne"));
    ResetRete();
    ReteInPressione = 0;
    Rete().NumTronchi = 4;
    Tronco(1) = TTronco{};
    Tronco(1).ID_LEFT = 2;
    Tronco(1).ID_RIGHT = 3;
    Tronco(1).ID_P_TRONCO = 2.3f;
    Tronco(1).ID_PDC_TRONCO = 10;
    Tronco(1).ID_PDC_PERCORSO = 50;
    for (int16_t s : {2, 3}) {
      Tronco(s) = TTronco{};
      Tronco(s).ID_PREV = 1;
    }
    Tronco(2).ID_P_UTENZE = 1.5f;
    Tronco(2).ID_PDC_TRONCO = 20;
    Tronco(2).ID_PDC_PERCORSO = 60;
    Tronco(3).ID_P_UTENZE = 0.8f;
    Tronco(3).ID_PDC_TRONCO = 5;
    Tronco(3).ID_PDC_PERCORSO = 55;
    Tronco(4) = TTronco{};
    Tronco(4).ID_P_UTENZE = 9;  // an appliance the calculation never reached
    for (int16_t s : {1, 2, 3}) Tronco(s).Collegato = -1;
    // Limits the rows keep: a design within them carries no mark.
    PDCMaxTesto = "100";
    PDCMaxUtente = 100;
    PressioneFinale = 0;
  }
  void TearDown() override {
    ResetRete();
    ReteInPressione = 0;
    // A new string moved in: assigning the literal in place trips a false -Wrestrict of gcc 12.
    PDCMaxTesto = std::string("0");
    PDCMaxUtente = 0;
  }
};

TEST_F(TabelleReport, ViewsAndTitlesFollowTheActivity) {
  EXPECT_EQ(GetReportView(ReportTable::SegmentTable), 1);
  EXPECT_EQ(GetReportView(ReportTable::ApplianceTable), 4);
  ReteInPressione = -1;
  EXPECT_EQ(GetReportView(ReportTable::SegmentTable), 6);
  EXPECT_EQ(GetReportView(ReportTable::WorstPathTable), 7);
  EXPECT_EQ(GetReportView(ReportTable::ApplianceTable), 8);
  EXPECT_EQ(GetReportView(ReportTable::LocalLossTable), 9);
  EXPECT_EQ(GetReportView(ReportTable::EquivalentLengthTable), 10);
  EXPECT_EQ(GetReportTitle(ReportTable::WorstPathTable), "Analisi percorso più sfavorito");
}

TEST_F(TabelleReport, RowsHoldOnlyLinkedSegments) {
  EXPECT_EQ(GetReportRows(ReportTable::SegmentTable), (std::vector<int16_t>{1, 2, 3}));
  EXPECT_EQ(GetReportRows(ReportTable::ApplianceTable), (std::vector<int16_t>{2, 3}));
  // The path runs from the source to the segment of greatest cumulative drop.
  EXPECT_EQ(GetReportRows(ReportTable::WorstPathTable), (std::vector<int16_t>{1, 2}));
  Tronco(1).Collegato = 0;
  EXPECT_EQ(GetReportRows(ReportTable::WorstPathTable), (std::vector<int16_t>{2}));
  for (int16_t s : {1, 2, 3}) Tronco(s).Collegato = 0;
  EXPECT_TRUE(GetReportRows(ReportTable::SegmentTable).empty());
}

TEST_F(TabelleReport, InternalSegmentTableMarkers) {
  // View 1: column 7 own flow, 11 cumulative drop.
  EXPECT_EQ(GetCellText(1, 0, 2, 20), "2");
  EXPECT_EQ(GetCellText(1, 7, 1, 20), "-");       // no own flow
  EXPECT_EQ(GetCellText(1, 11, 1, 20), "-");      // cumulative drop shown only where there is an appliance
  EXPECT_EQ(GetCellText(1, 11, 2, 20), "60,00");
  EXPECT_EQ(GetCellText(1, 11, 2, 3), "60,");     // cut after trimming
  Tronco(1).ID_P_UTENZE = 0.0001f;
  EXPECT_EQ(GetCellText(1, 7, 1, 20), "0,000");   // not zero: through the mask
}

TEST_F(TabelleReport, PressurisedSimultaneityPrefixAndEndPressure) {
  ReteInPressione = -1;
  struct Caso {
    int16_t contemp;
    float portata;
    const char* atteso;
  } casi[] = {{60, 12.5f, "[60%] 12,500"}, {100, 0, "-"}, {50, 0, "[50%] 0,000"}, {0, 3, "3,000"}, {120, 3, "3,000"}};
  for (const Caso& c : casi) {
    Tronco(1).ID_CONTEMP = c.contemp;
    Tronco(1).ID_P_TRONCO = c.portata;
    EXPECT_EQ(GetCellText(6, 7, 1, 30), c.atteso) << c.contemp;
  }
  Tronco(1).ID_PFINALE = 2.5f;
  Tronco(2).ID_PFINALE = 0;
  EXPECT_EQ(GetCellText(6, 11, 1, 20), "-");       // has children
  EXPECT_EQ(GetCellText(6, 11, 2, 20), "0,000");   // end segment shows even 0
}

// The printed tables showed the -1 of a choked segment as "-1,000", and summed it into the total.
TEST_F(TabelleReport, ValuesTheCalculationCouldNotComputeReadNotComputable) {
  ReteInPressione = -1;
  Tronco(2).ID_PDC_TRONCO = -1;
  Tronco(2).ID_PFINALE = -1;
  Tronco(2).ID_PDC_PERCORSO = -1;
  for (int16_t view : {6, 7}) {
    for (int16_t col = 1; col <= UltimaColonnaReport(view); ++col) {
      const int16_t codice = ColonneGriglia[static_cast<size_t>(view)][static_cast<size_t>(col)].IdCampo;
      const std::string testo = GetCellText(view, col, 2, 20);
      if (codice == campo::ID_PDC_TRONCO || codice == campo::ID_PFINALE || codice == campo::ID_PDC_PERCORSO)
        EXPECT_EQ(testo, "n.c.") << view << " " << col;
      else
        EXPECT_EQ(testo.find("-1"), std::string::npos) << view << " " << col;
    }
  }
  const auto totale = GetReportTotal(ReportTable::WorstPathTable, {1, 2});
  ASSERT_TRUE(totale);
  EXPECT_EQ(GetReportTotalText(*totale, 7, 20), "n.c.");
  EXPECT_EQ(GetReportTotalText(*GetReportTotal(ReportTable::WorstPathTable, {1, 3}), 7, 20), "15,000");
}

TEST_F(TabelleReport, FittingNamesCaptionView9) {
  NomiSpeciali[5] = "  Valvola  ";
  NomiSpeciali[6] = "";
  EXPECT_EQ(GetColumnCaption(9, 7, 20).Titolo, "Valvola");
  EXPECT_EQ(GetColumnCaption(9, 8, 20).Titolo, "");
  EXPECT_EQ(GetColumnCaption(9, 7, 20).Unita, "N.");
  EXPECT_EQ(GetColumnCaption(1, 5, 4).Titolo, "Lung");
}

// Fitting names too long for their column go on over the caption's second line, so that names
// sharing a first word stay apart.
TEST_F(TabelleReport, LongFittingNamesGoOnOverTheSecondCaptionLine) {
  struct Caso {
    const char* nome;
    const char* titolo;
    const char* unita;
  };
  const Caso casi[] = {
      {"VALVOLA A SFERA", "VALVOLA", "A SFERA"},
      {"VALVOLA DI RITEGNO", "VALVOLA", "DI RITE"},
      {"VALVOLA A FARFALLA", "VALVOLA", "A FARFA"},
      {"SARACINESCA", "SARACIN", "ESCA"},
      {"T PASSANTE", "T", "PASSANT"},
      {"CURVA", "CURVA", "N."},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    NomiSpeciali[5] = c.nome;
    const CaptionColonna caption = GetColumnCaption(9, 7, 7);
    EXPECT_EQ(caption.Titolo, c.titolo);
    EXPECT_EQ(caption.Unita, c.unita);
  }
}

TEST_F(TabelleReport, TotalsSumTheRowsOnly) {
  const auto percorso = GetReportTotal(ReportTable::WorstPathTable, GetReportRows(ReportTable::WorstPathTable));
  ASSERT_TRUE(percorso);
  EXPECT_EQ(percorso->Etichetta, "TOTALE PERDITA DI PRESSIONE:");
  EXPECT_FLOAT_EQ(percorso->Valore, 30);
  EXPECT_EQ(percorso->Colonna, 7);

  const auto utenze = GetReportTotal(ReportTable::ApplianceTable, GetReportRows(ReportTable::ApplianceTable));
  ASSERT_TRUE(utenze);
  EXPECT_EQ(utenze->Etichetta, "TOTALE PORTATA GAS:");
  EXPECT_FLOAT_EQ(utenze->Valore, 2.3f);  // the unlinked appliance adds nothing
  EXPECT_EQ(utenze->Colonna, 4);
  ReteInPressione = -1;
  const auto rete = GetReportTotal(ReportTable::ApplianceTable, GetReportRows(ReportTable::ApplianceTable));
  EXPECT_EQ(rete->Colonna, 2);
  EXPECT_EQ(GetReportTotalText(*rete, 8, 20), "2,300");
  EXPECT_FALSE(GetReportTotal(ReportTable::SegmentTable, {1}));
}

// The column of field `id` in a table layout, -1 when it has none.
int16_t ColonnaDi(int16_t layout, int16_t id) {
  for (int16_t c = 0; c <= UltimaColonnaGriglia[static_cast<size_t>(layout)]; ++c)
    if (ColonneGriglia[static_cast<size_t>(layout)][static_cast<size_t>(c)].IdCampo == id) return c;
  return -1;
}

// Every value the editor's table shows in red or with the diameter warning carries the mark in the
// report tables, and no other does: one judgement for the screen and every output.
TEST_F(TabelleReport, TheReportMarksWhatTheEditorMarks) {
  Materiali = {};
  NumMateriali = 1;
  Materiali[1][0].Nome = "ACC";
  Materiali[1][0].NumDiametri = 2;
  Materiali[1][1].RifDiametro = "20";
  Materiali[1][1].DiamInterno = 21.6f;
  Materiali[1][2].RifDiametro = "25";
  Materiali[1][2].DiamInterno = 27.2f;
  for (int16_t s : {1, 2, 3}) {
    Tronco(s).IndiceMateriale = 1;
    Tronco(s).ID_MATERIALE = "ACC";
    Tronco(s).ID_DIAMETRO = "25";  // the largest of the series: warned when its drop is too high
  }
  struct Caso {
    const char* nome;
    bool rete;
    std::function<void()> prepara;
    int16_t campo;
    int16_t tronco;
    bool marcato;
  };
  const Caso casi[] = {
      {"drop within the maximum", false, [] {}, campo::ID_PDC_PERCORSO, 2, false},
      {"drop over the maximum", false, [] { PDCMaxUtente = 55; }, campo::ID_PDC_PERCORSO, 2, true},
      {"largest diameter over the maximum", false, [] { PDCMaxUtente = 40; }, campo::ID_DIAMETRO, 2, true},
      {"smaller diameter over the maximum", false,
       [] {
         PDCMaxUtente = 40;
         Tronco(2).ID_DIAMETRO = "20";
       },
       campo::ID_DIAMETRO, 2, false},
      {"velocity over the limit", true,
       [] {
         VelocitaMaxImpostata = 5;
         Tronco(1).ID_VELOCITA = 7.5f;
       },
       campo::ID_VELOCITA, 1, true},
      {"velocity within the limit", true, [] { Tronco(1).ID_VELOCITA = 3; }, campo::ID_VELOCITA, 1, false},
      {"network drop over its budget", true,
       [] {
         PressioneIniziale = 100;
         PressioneFinale = 50;
       },
       campo::ID_PDC_PERCORSO, 2, true},
      {"end pressure under the final one", true,
       [] {
         PressioneFinale = 2;
         Tronco(2).ID_PFINALE = 1.5f;
       },
       campo::ID_PFINALE, 2, true},
  };
  for (const Caso& k : casi) {
    SCOPED_TRACE(k.nome);
    ReteInPressione = k.rete ? -1 : 0;
    PDCMaxTesto = "100";
    PDCMaxUtente = 100;
    PressioneIniziale = 1000;
    PressioneFinale = 0;
    VelocitaMaxImpostata = 20;
    Tronco(2).ID_DIAMETRO = "25";
    k.prepara();
    // The editor's judgement: red text, or the warning's dark red ground.
    const int16_t layout = k.rete ? 5 : 0;
    const int16_t colEditor = ColonnaDi(layout, k.campo);
    ASSERT_GE(colEditor, 0);
    const CellaTabella cella = CellaAggiornata(k.tronco, layout, colEditor, CellaFormattata(layout, colEditor));
    const bool rossa = cella.ColoreTesto == colore::Rosso || cella.ColoreSfondo == colore::RossoScuro;
    EXPECT_EQ(rossa, k.marcato);
    // Every report table that shows the field marks it alike.
    int viste = 0;
    for (int16_t view : k.rete ? std::vector<int16_t>{6, 7, 8} : std::vector<int16_t>{1, 3, 4}) {
      const int16_t col = ColonnaDi(view, k.campo);
      if (col < 0) continue;
      ++viste;
      const std::string testo = GetCellText(view, col, k.tronco, 100);
      const bool marcato = testo.size() > 4 && testo.substr(testo.size() - 4) == MarcaOltreLimite;
      EXPECT_EQ(marcato, k.marcato) << "view " << view << ": " << testo;
    }
    EXPECT_GT(viste, 0);
  }
}

// A path over the maximum drop says so under its total, and a table holding a mark explains it.
TEST_F(TabelleReport, AFailingPathIsStatedUnderItsTotal) {
  const std::vector<int16_t> righe = GetReportRows(ReportTable::WorstPathTable);
  auto totale = GetReportTotal(ReportTable::WorstPathTable, righe);
  ASSERT_TRUE(totale);
  EXPECT_EQ(totale->Avviso, "");
  EXPECT_EQ(GetReportLimitNote(ReportTable::WorstPathTable, righe), "");
  PDCMaxUtente = 50;
  totale = GetReportTotal(ReportTable::WorstPathTable, righe);
  EXPECT_EQ(totale->Avviso, "ATTENZIONE: PERDITA DI PRESSIONE MASSIMA AMMESSA SUPERATA (50 Pa)");
  EXPECT_EQ(GetReportLimitNote(ReportTable::WorstPathTable, righe), NotaOltreLimite);
  EXPECT_EQ(GetReportLimitNote(ReportTable::SegmentTable, GetReportRows(ReportTable::SegmentTable)), NotaOltreLimite);
  EXPECT_FALSE(GetReportTotal(ReportTable::ApplianceTable, GetReportRows(ReportTable::ApplianceTable))->Avviso.size());
  ReteInPressione = -1;
  PressioneIniziale = 80;
  PressioneFinale = 30;
  totale = GetReportTotal(ReportTable::WorstPathTable, righe);
  EXPECT_EQ(totale->Avviso, "ATTENZIONE: PERDITA DI PRESSIONE DISPONIBILE SUPERATA (50,000 kPa)");
}

// The statement and the marks weigh the maximum the sizing worked to, as entered: a path of 60 Pa
// fails a maximum of 59,6 Pa and passes one of 60,4 Pa, whatever the editor's selector text says.
TEST_F(TabelleReport, AFailingPathIsJudgedAndStatedWithTheMaximumAsEntered) {
  const std::vector<int16_t> righe = GetReportRows(ReportTable::WorstPathTable);
  struct Caso {
    double massima;
    const char* testo;
    const char* avviso;
  } casi[] = {
      {59.6, "60", "ATTENZIONE: PERDITA DI PRESSIONE MASSIMA AMMESSA SUPERATA (59,6 Pa)"},
      {60.4, "60", ""},
      {60.5, "0", ""},
      {30.5, "100", "ATTENZIONE: PERDITA DI PRESSIONE MASSIMA AMMESSA SUPERATA (30,5 Pa)"},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.massima);
    PDCMaxUtente = c.massima;
    PDCMaxTesto = c.testo;
    const auto totale = GetReportTotal(ReportTable::WorstPathTable, righe);
    ASSERT_TRUE(totale);
    EXPECT_EQ(totale->Avviso, c.avviso);
    const bool fallito = std::string(c.avviso).size() > 0;
    EXPECT_EQ(GetReportLimitNote(ReportTable::WorstPathTable, righe), fallito ? NotaOltreLimite : "");
    // The path's own cumulative drop (view 3, segment 2 at 60 Pa) carries the mark alike.
    const int16_t col = ColonnaDi(3, campo::ID_PDC_PERCORSO);
    ASSERT_GE(col, 0);
    const std::string cella = GetCellText(3, col, 2, 100);
    EXPECT_EQ(cella.find(MarcaOltreLimite) != std::string::npos, fallito) << cella;
  }
}

TEST_F(TabelleReport, TooManyColumnsIsAReportError) {
  const int16_t prima = UltimaColonnaGriglia[1];
  UltimaColonnaGriglia[1] = 21;
  EXPECT_THROW(UltimaColonnaReport(1), ErroreReport);
  UltimaColonnaGriglia[1] = 20;
  EXPECT_EQ(UltimaColonnaReport(1), 20);
  UltimaColonnaGriglia[1] = prima;
}

}  // namespace
}  // namespace varnex
